#ifndef FERROWIND_CONTROLS_H
#define FERROWIND_CONTROLS_H

#include <cstddef>
#include <vector>

// Whose keys a line of the guide names: fixed ones, or the player's (the
// bindings) and the build's (the light keys), which the guide names as they
// are set.
enum EControlKeys { KEYS_FIXED, KEYS_DRIVE, KEYS_TURN, KEYS_FIRE, KEYS_CAMERA, KEYS_LIGHT };

// One line of the key guide: the default keys in capitals as the menu's font
// has them, and what they do.
struct SControl {
    const char* keys;
    const char* action;
    EControlKeys bound;
};

// Every key of the game, in the order the menu's controls panel and --help list them.
const std::vector<SControl>& Controls();

// Where line `line` of the menu's controls panel starts, in pixels of the
// 1024 x 768 menu from its top left: the top left of its keys, whose column
// is kControlsKeysWidth wide; the action follows.
struct SControlPlace {
    float x, y;
};
SControlPlace ControlsPanelPlace(std::size_t line);
const float kControlsKeysWidth = 112;

#endif
