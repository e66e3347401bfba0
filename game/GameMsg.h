#ifndef FERROWIND_GAMEMSG_H
#define FERROWIND_GAMEMSG_H

#include <vector>

// Message type numbers. A type of 0 or less is a cancel request for the type
// minus that value.
enum {
    GMSG_MOVE_ALONG = 1,
    GMSG_MOVE_TO_LOC = 200,
    GMSG_CHANGE_ANGLES = 201,
    GMSG_SHOOT = 202,
    GMSG_DEATH = 203,
    GMSG_ACCELERATE = 204,
    GMSG_DAMAGE = 205,
    GMSG_FRAG = 206,
    GMSG_TIMING_PROBE = 216,
    GMSG_POWERUP_TAKEN = 301,
    GMSG_POWERUP_APPEAR = 302,
    GMSG_TOGGLE_MUSIC = 401
};

// A typed, time-stamped change of the shared game state. Copies share one
// float array, which is never released: every copy stays valid for the life
// of the program (messages are replayed after time warps).
struct SGameMsg {
    int type;
    int count;
    int object;
    int handled;
    int late;
    float* data;
    unsigned long time;
    bool flag;
    std::vector<SGameMsg*> children;
    // The address of the peer it came from; 0 for this copy's own. Messages
    // of one time are applied in the order of their senders' addresses.
    unsigned int sender;

    SGameMsg() : handled(0), late(0), data(0), flag(false), sender(0) {}
    SGameMsg(const SGameMsg& m) = default;
    SGameMsg& operator=(const SGameMsg& m) = default;
    ~SGameMsg() {}
};

const char* getMsgString(int type);

// Builds a message with a fresh data array of `count` floats copied from `values`.
SGameMsg MakeMsg(int type, int object, int count, const float* values, unsigned long time);

#endif
