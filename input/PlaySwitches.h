#ifndef FERROWIND_PLAYSWITCHES_H
#define FERROWIND_PLAYSWITCHES_H

// What the keys and the menu ask of the game besides messages: a practice
// game against computer tanks (the menu's Practice, cleared by the game once
// it has them), the scoreboard, shown while Tab is held, and computer tanks
// told to hold still (key b), as their players would let go of every key.
struct SPlaySwitches {
    bool practice = false;
    bool scoreboard = false;
    bool botsHold = false;
};

#endif
