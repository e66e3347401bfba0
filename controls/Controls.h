#ifndef FERROWIND_CONTROLS_H
#define FERROWIND_CONTROLS_H

#include <vector>

// One line of the key guide: the keys in capitals as the menu's font has
// them, and what they do.
struct SControl {
    const char* keys;
    const char* action;
};

// Every key of the game, in the order the menu's controls panel and --help list them.
const std::vector<SControl>& Controls();

#endif
