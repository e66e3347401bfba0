#ifndef FERROWIND_ZOSDL_H
#define FERROWIND_ZOSDL_H

#include <SDL/SDL.h>

#include "game/Interfaces.h"
#include "game/NoDevice.h"

// Ten slots of stored key events.
class set {
public:
    enum { SLOTS = 10 };
    set();
    int add(SDL_Event* event);
    void remove(SDL_Event event);

    SDL_Event* slots[SLOTS];
};

// The window with its OpenGL context, the game clock, and keyboard and mouse.
class CZoSDL {
public:
    CZoSDL(char* title, char* iconTitle);
    explicit CZoSDL(SNoDevice);
    virtual ~CZoSDL() {}

    virtual void SetGameInterface(IGameInterface* game);
    virtual void SetGraficInterface(IGraphicInterface* graphic);
    virtual void CheckInput();
    virtual void CheckMenuInput();
    virtual void EndCyrcle();
    virtual void SetTimeOffset(unsigned long offset);

    unsigned long GetTime();

    set m_events;
    IGameInterface* m_game;
    IGraphicInterface* m_graphic;
    unsigned int m_lastTicks;
    int m_timeOffset;
};

extern Uint8* keystate;

#endif
