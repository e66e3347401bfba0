#ifndef FERROWIND_FRAMEKEYS_H
#define FERROWIND_FRAMEKEYS_H

#include <SDL/SDL.h>

// The keys that count as held during one frame: those held at its end and
// those pressed at any time during it. A tap shorter than a frame (a quick
// Space at 30 frames per second, most taps at a few frames per second) thus
// still acts once, while a held key acts every frame as before.
class CFrameKeys {
public:
    CFrameKeys();
    // A new frame: no key pressed in it yet.
    void Begin();
    void Pressed(SDLKey key);
    // The keys held now, or pressed since Begin; valid until the next call.
    const Uint8* Down(const Uint8* held);

private:
    Uint8 m_pressed[SDLK_LAST];
    Uint8 m_down[SDLK_LAST];
};

#endif
