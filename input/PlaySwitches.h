#ifndef FERROWIND_PLAYSWITCHES_H
#define FERROWIND_PLAYSWITCHES_H

// What the keys and the menu ask of the game besides messages: a practice
// game against computer tanks (the menu's Practice, cleared by the game once
// it has them), and the scoreboard, shown while Tab is held.
struct SPlaySwitches {
    bool practice = false;
    bool scoreboard = false;
};

#endif
