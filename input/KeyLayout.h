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

// The keys a player may bind: driving, turning, firing and the camera.
struct SKeyBindings {
    SDLKey forward, back, left, right, fire, camera;
    bool operator==(const SKeyBindings& o) const
    {
        return forward == o.forward && back == o.back && left == o.left && right == o.right && fire == o.fire &&
               camera == o.camera;
    }
};

// The build's own keys as bindings: its driving keys, Space and c.
SKeyBindings DefaultKeyBindings(EBuildFlavour flavour);

#endif
