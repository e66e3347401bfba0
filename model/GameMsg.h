#ifndef FERROWIND_GAMEMSG_H
#define FERROWIND_GAMEMSG_H

#include <atomic>
#include <cstddef>
#include <utility>
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
    GMSG_TOGGLE_MUSIC = 401,
    // This copy's own, never sent as they are: a peer's tank in full (from
    // its state record, for a newcomer or a peer coming back), a peer's tank
    // taken off the battlefield when the peer left or fell silent, and a
    // power-up a peer has seen taken, with the game time it comes back (for
    // a newcomer, which never saw it taken), and a tank's pose as its owner
    // has it, every few seconds, so that a copy that judged a move otherwise
    // comes back to where the owner is.
    GMSG_TANK_STATE = 501,
    GMSG_DEPARTED = 502,
    GMSG_POWERUP_STATE = 503,
    GMSG_TANK_POSE = 504
};

// This copy's own types, which no peer may send.
constexpr bool IsLocalOnly(int type)
{
    return type == GMSG_TANK_STATE || type == GMSG_DEPARTED || type == GMSG_POWERUP_STATE || type == GMSG_TANK_POSE;
}

// The values a message carries. Copies share one array, so a change through
// one copy shows in all; the last copy to go releases it, wherever that copy
// lives (queue, rule, wire, a cancelled message).
class CMsgData {
public:
    CMsgData() {}
    CMsgData(std::nullptr_t) {}
    // A fresh array holding `count` values copied from `values`.
    CMsgData(const float* values, int count);
    CMsgData(const CMsgData& other) : m_block(other.m_block)
    {
        if (m_block)
            m_block->users.fetch_add(1, std::memory_order_relaxed);
    }
    CMsgData(CMsgData&& other) noexcept : m_block(other.m_block) { other.m_block = nullptr; }
    CMsgData& operator=(const CMsgData& other)
    {
        CMsgData copy(other);
        std::swap(m_block, copy.m_block);
        return *this;
    }
    CMsgData& operator=(CMsgData&& other) noexcept
    {
        CMsgData taken(std::move(other));
        std::swap(m_block, taken.m_block);
        return *this;
    }
    ~CMsgData() { Release(); }

    float* get() const { return m_block ? m_block->Values() : nullptr; }
    float& operator[](int i) const { return get()[i]; }
    explicit operator bool() const { return m_block != nullptr; }

private:
    // The count of copies and the values, in one allocation: a queue of ten
    // thousand messages makes one allocation and one count less per message
    // than a shared pointer would, and a handle is one pointer wide.
    struct SBlock {
        SBlock() : users(1) {}
        float* Values() { return reinterpret_cast<float*>(this + 1); }
        std::atomic<int> users;
    };
    void Release();

    SBlock* m_block = nullptr;
};

// A typed, time-stamped change of the shared game state.
struct SGameMsg {
    int type;
    int count;
    int object;
    int handled;
    int late;
    CMsgData data;
    unsigned long time;
    bool flag;
    // The address of the peer it came from; 0 for this copy's own. Messages
    // of one time are applied in the order of their senders' addresses.
    // (Beside `flag`, where it fills the gap before `children`.)
    unsigned int sender;
    // The sender's number for the record it came in; 0 for this copy's own
    // and for records that are not numbered. A resent record arrives after
    // those sent after it: of one sender's messages of one time, the number
    // says which was sent first.
    unsigned int sequence;
    std::vector<SGameMsg*> children;

    SGameMsg() : handled(0), late(0), flag(false), sender(0), sequence(0) {}
    SGameMsg(const SGameMsg& m) = default;
    SGameMsg& operator=(const SGameMsg& m) = default;
    // The queue shifts its messages whenever one goes in or out; a move
    // leaves the shared data's count of users alone.
    SGameMsg(SGameMsg&& m) noexcept = default;
    SGameMsg& operator=(SGameMsg&& m) noexcept = default;
    ~SGameMsg() = default;
};

// What a tank-state message carries, in this order: position (3), angles (3),
// drive, armour, gun, timed power-up kind and time left, active, the four
// effect values, and how long before the message's time the tank last fired
// or died (its reload). Not the throttle: a peer's tank moves by its owner's
// moves, and its throttle is the owner's alone.
enum {
    TSV_POS = 0, TSV_ANGLES = 3, TSV_CONDITIONS = 6, TSV_POWERUP_KIND = 9, TSV_POWERUP_LEFT = 10, TSV_ACTIVE = 11,
    TSV_EFFECT = 12, TSV_RELOAD_AGE = 16,
    TANK_STATE_VALUES = 17
};

// What a power-up state message carries: the game time the power-up comes
// back, in two halves that a float holds exactly.
enum { PSV_BACK_HIGH = 0, PSV_BACK_LOW = 1, POWERUP_STATE_VALUES = 2, POWERUP_TIME_HALF = 65536 };

// What a tank-pose message carries: position (3) and angles (3).
enum { PV_POS = 0, PV_ANGLES = 3, TANK_POSE_VALUES = 6 };

// What the queue, the rules and the log know of each message type; a new
// type is one row. `name` is the log's name for the type.
struct SMsgKind {
    int type;
    const char* name;
    int dataNeeded;    // data values the rule reads
    bool namesObject;  // the rule reads the object the message names
    bool tankOnly;     // that object must be a tank
    bool replayable;   // applied again after a time warp
};

// Every change of the battlefield is applied again after a snapshot is
// loaded, in time order, so that a copy that heard a message late ends where
// the others are.
constexpr SMsgKind MSG_KINDS[] = {
    {GMSG_MOVE_ALONG, "Unknown", 0, true, false, false},
    {GMSG_MOVE_TO_LOC, "GMSG_MOVE_TO_LOC", 3, true, false, true},
    {GMSG_CHANGE_ANGLES, "GMSG_CHANGE_ANGLES", 2, true, false, true},
    {GMSG_SHOOT, "GMSG_SHOOT", 0, true, true, true},
    {GMSG_DEATH, "GMSG_DEATH", 0, true, false, true},
    {GMSG_ACCELERATE, "GMSG_ACCELERATE", 1, true, true, true},
    {GMSG_DAMAGE, "GMSG_DAMAGE", 3, true, true, true},
    {GMSG_FRAG, "GMSG_FRAG", 0, false, false, true},
    {GMSG_TIMING_PROBE, "Unknown", 0, false, false, false},
    // Not replayed: the move that takes a power-up takes it again.
    {GMSG_POWERUP_TAKEN, "Unknown", 1, true, false, false},
    {GMSG_POWERUP_APPEAR, "GMSG_POWERUP_APPEAR", 0, true, false, false},
    {GMSG_TOGGLE_MUSIC, "Unknown", 0, false, false, false},
    {GMSG_TANK_STATE, "GMSG_TANK_STATE", TANK_STATE_VALUES, true, true, true},
    {GMSG_DEPARTED, "GMSG_DEPARTED", 0, true, true, true},
    {GMSG_POWERUP_STATE, "GMSG_POWERUP_STATE", POWERUP_STATE_VALUES, true, false, true},
    {GMSG_TANK_POSE, "GMSG_TANK_POSE", TANK_POSE_VALUES, true, true, true},
};

// The row of a type; a type without one reads as an unnamed type no rule
// applies, whose object is checked all the same.
constexpr SMsgKind MsgKind(int type)
{
    for (const SMsgKind& kind : MSG_KINDS)
        if (kind.type == type)
            return kind;
    return SMsgKind{type, "Unknown", 0, true, false, false};
}

const char* getMsgString(int type);

// Builds a message whose data are `count` floats copied from `values`.
SGameMsg MakeMsg(int type, int object, int count, const float* values, unsigned long time);

#endif
