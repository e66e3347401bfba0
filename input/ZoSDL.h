#ifndef FERROWIND_ZOSDL_H
#define FERROWIND_ZOSDL_H

#include <SDL/SDL.h>

#include <atomic>

#include "model/Interfaces.h"
#include "model/NoDevice.h"
#include "input/EventSet.h"
#include "input/KeyLayout.h"
#include "input/PeerCalls.h"
#include "input/PlaySwitches.h"
#include "input/SDLDevice.h"

// The window with its OpenGL context, the game clock, and keyboard and mouse.
class CZoSDL {
public:
    // Opens the 1024 x 768 OpenGL window; exits the program when SDL cannot.
    CZoSDL(char* title, char* iconTitle);
    // No window: the clock runs on SDL's tick count.
    explicit CZoSDL(SNoDevice);
    // No window: everything comes from the given device, which stays the caller's.
    explicit CZoSDL(ISDLDevice* device);
    virtual ~CZoSDL() {}

    virtual void SetGameInterface(IGameInterface* game);
    // The game's menu state, frame-rate display state and chase-camera
    // switch, which the keys change; until given, the input keeps its own.
    void ShareGameSwitches(int* menuState, int* showFramerate, bool* chaseCamera);
    // The menu's Practice and the scoreboard key; until given, the input keeps its own.
    void SharePlaySwitches(SPlaySwitches* play) { m_play = play; }
    virtual void SetGraficInterface(IGraphicInterface* graphic);
    // The renderer's light and drawing switches, which the keys change; until
    // given, those keys change nothing.
    void SetRendererSwitches(IRendererSwitches* renderer);
    // The socket layer's sending, lag and connection calls.
    void SetPeerCalls(const SPeerCalls& peers);
    virtual void CheckInput();
    virtual void CheckMenuInput();
    virtual void EndCyrcle();
    virtual void SetTimeOffset(unsigned long offset);

    unsigned long GetTime();
    // The keys of one build; the program's own by default.
    void SetKeyLayout(EBuildFlavour flavour) { m_keys = &KeyLayoutFor(flavour); }

    // Shortest frame that EndCyrcle lets pass (about a display refresh), so
    // that a light frame such as the menu does not spin a core. Mouse look is
    // scaled by the frame time, so this also sets its feel on fast machines.
    enum { MIN_FRAME_MS = 16 };

    set m_events;
    IGameInterface* m_game;
    IGraphicInterface* m_graphic;
    unsigned int m_lastTicks;
    // Set by a listener thread (clock synchronisation), read by every thread.
    std::atomic<int> m_timeOffset;

    ISDLDevice* m_device;
    SPeerCalls m_peers;
    // The switches ShareGameSwitches names, else the input's own, so that the
    // menu logic needs no special case.
    int* m_menuState;
    int m_ownMenuState;
    int* m_showFramerate;
    int m_ownShowFramerate;
    bool* m_chaseCamera;
    bool m_ownChaseCamera;
    SPlaySwitches m_ownPlay;
    SPlaySwitches* m_play = &m_ownPlay;
    const SKeyLayout* m_keys;
    // The renderer's switches that the keys change; null until given.
    IRendererSwitches* m_renderer;
    unsigned int m_frameEndTicks;

private:
    void HandleGameEvent(const SDL_Event& event, unsigned int elapsed);
    void HandleGameKey(SDLKey key);
    void HandleFunctionKey(SDLKey key);
    void HandleHeldKeys(unsigned int elapsed);
    void ToggleChaseCamera();
    void ToggleFramerate();
    void Strafe(Vector3f axis, double elapsed);
    void Fly(double sign, double elapsed);
    void Accelerate(double amount);
    void Turn(double sign, unsigned int elapsed);
    void Shoot();
    void SelfDestruct();
    void ProbeTiming();
    void MoveLight(unsigned int elapsed);
    SGameObject* LocalTank();

    void HandleMenuEvent(const SDL_Event& event);
    void ReleaseOverMenu(int mouseX, int mouseY);
    void StartPlaying();
};

#endif
