#ifndef FERROWIND_GAMEOBJECT_H
#define FERROWIND_GAMEOBJECT_H

#include "GameMsg.h"
#include "Vector.h"

// Object kinds as read from the object definitions file.
enum {
    KIND_SCENERY = 0,
    KIND_TANK = 1,
    KIND_POWERUP = -1,
    KIND_GROUND = 2,
    KIND_EFFECT = 3,
    KIND_PASSIVE = -2,
    // A peer's tank whose player left: not drawn, hit or counted until the
    // peer comes back.
    KIND_DEPARTED = -3
};

// Footprint box fields, in the order they are stored in `bbox`.
enum { BB_MIN_Z = 0, BB_MAX_Z = 1, BB_MAX_X = 2, BB_MIN_X = 3 };

// Tank state array layout.
enum {
    TS_SPEED = 0,
    TS_TURN_RATE = 1,
    TS_THROTTLE = 2,
    TS_DRIVE = 3,
    TS_ARMOUR = 4,
    TS_GUN = 5,
    TS_DISPLAY = 6,
    TS_IMPACT_X = 7,
    TS_IMPACT_Z = 8,
    TS_POWERUP_KIND = 9,
    TS_POWERUP_LEFT = 10,
    TANK_STATE_COUNT = 11
};

// Everything in the game world. The object's index in the game's list is its
// identity in messages and never changes.
struct SGameObject {
    int kind;
    int model;
    int texture0;
    int texture1;
    Vector3f pos;
    Vector3f angles;
    float bbox[4];
    float effect[4];
    int stateCount;
    float* state;
    int active;
    unsigned long timer;
    // A tank's score: kills credited to it and its deaths. Kept with the
    // object so that a time warp takes them back with everything else.
    int frags;
    int deaths;

    SGameObject()
        : kind(0), model(0), texture0(0), texture1(0), pos(0, 0, 0), angles(0, 0, 0), bbox{0, 0, 0, 0},
          effect{0, 0, 0, 0}, stateCount(0), state(0), active(0), timer(0), frags(0), deaths(0)
    {
    }
    SGameObject(const SGameObject&) = default;
    SGameObject& operator=(const SGameObject&) = default;
    virtual ~SGameObject() {}

    // Base objects have no behaviour of their own.
    virtual std::vector<SGameMsg> Action(unsigned long dt, int id);

    Vector3f Direction() const { return DirectionFromAngles(angles.x, angles.y); }
};

// A tank: turns its throttle into a move and a throttle-decay message each frame.
struct STankPrototype : public SGameObject {
    explicit STankPrototype(SGameObject base);
    // No message while the throttle is 0, else two: [0] GMSG_MOVE_TO_LOC with
    // the new position, [1] GMSG_ACCELERATE with the decay.
    std::vector<SGameMsg> Action(unsigned long dt, int id) override;
};

// A power-up: counts down until it is available again.
struct SGamePowerup : public SGameObject {
    explicit SGamePowerup(SGameObject base);
    using SGameObject::Action;
    virtual void Action(unsigned long dt);
};

// A taken power-up's wait until it is available again.
void CountDownPowerUp(SGameObject& powerUp, unsigned long dt);

// Deep copy as the saved-state ring makes it: tanks come back as tanks, every
// other kind as a plain object, with a state array of its own.
SGameObject* DeepCopyObject(const SGameObject& source);
// Whether `copy`, made by DeepCopyObject, can take a deep copy of `source` in
// place (the same class and state size), and so taking it.
bool TakesCopyOf(const SGameObject& copy, const SGameObject& source);
void CopyObjectInto(SGameObject& copy, const SGameObject& source);
void DestroyObject(SGameObject* object);

#endif
