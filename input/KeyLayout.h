#ifndef FERROWIND_KEYLAYOUT_H
#define FERROWIND_KEYLAYOUT_H

#include <SDL/SDL.h>

#include "model/BuildFlavour.h"

// The held keys that drive the tank and move the light, and the one-shot key
// sets a build has. The two builds swap the tank and light keys.
struct SKeyLayout {
    SDLKey faster, slower, turnLeft, turnRight;
    SDLKey lightXUp, lightXDown, lightZUp, lightZDown;
    // q and e change the simulated lag, m the shadow mode.
    bool lagAndShadowKeys;
    // F1 to F9: a help text and the drawing switches.
    bool functionKeys;
};

const SKeyLayout& KeyLayoutFor(EBuildFlavour flavour);

#endif
