#ifndef FERROWIND_KEYGUIDE_H
#define FERROWIND_KEYGUIDE_H

#include <string>
#include <vector>

#include "input/KeyLayout.h"
#include "render/ImageRect.h"

// A line of the key guide with its keys named as they are set, in capitals.
struct SGuideLine {
    std::string keys, action;
};

// Every line of the controls: the player's keys (driving, turning, firing,
// the camera) and the build's light keys named as set, the others as they are.
std::vector<SGuideLine> KeyGuide(const SKeyBindings& keys, const SKeyLayout& layout);

// The keys column of the menu's controls panel, whose picture holds the
// actions: each line's keys in the notice font, squeezed where they would
// run into the action.
std::vector<SImageRect> KeyGuideImages(const std::vector<SGuideLine>& guide);

#endif
