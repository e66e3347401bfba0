#ifndef FERROWIND_PLAYSWITCHES_H
#define FERROWIND_PLAYSWITCHES_H

#include "model/Interfaces.h"

// What the keys and the menu ask of the game besides messages, all in the
// game thread: the menu's state (below 0 while playing); what the local
// tank's display (state element 6) carries, one of the FRAMERATE_ values,
// any other counting frags as well; the chase camera, which puts the camera
// behind the living local tank each playing frame (key c); a practice game
// against computer tanks (the menu's Practice, cleared by the game once it
// has them); the scoreboard, shown while Tab is held; computer tanks told to
// hold still (key b), as their players would let go of every key; the
// network overlay (key n); and a state digest asked for (key g), cleared by
// the game once printed.
struct SPlaySwitches {
    int menuState = 0;
    int showFramerate = FRAMERATE_SHOWN;
    bool chaseCamera = false;
    bool practice = false;
    bool scoreboard = false;
    bool botsHold = false;
    bool netOverlay = false;
    bool digestAsked = false;

    static SPlaySwitches WithChaseCamera()
    {
        SPlaySwitches play;
        play.chaseCamera = true;
        return play;
    }
};

#endif
