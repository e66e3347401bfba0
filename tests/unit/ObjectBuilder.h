#ifndef FERROWIND_TESTS_OBJECTBUILDER_H
#define FERROWIND_TESTS_OBJECTBUILDER_H

#include "model/GameObject.h"

// The one way tests make battlefield objects: an active object of a kind, at
// a place, facing a heading (degrees about the vertical), of a model; the
// rest as the game's own constructors leave it. A test sets further fields on
// the result.
inline SGameObject Plain(int kind, Vector3f pos = Vector3f(0, 0, 0), float heading = 0, int model = 0)
{
    SGameObject o;
    o.kind = kind;
    o.model = model;
    o.pos = pos;
    o.angles = Vector3f(0, heading, 0);
    o.active = 1;
    return o;
}

// A new object of the type its kind calls for: a tank or a power-up comes
// with its state.
inline SGameObject* NewObject(int kind, Vector3f pos = Vector3f(0, 0, 0), float heading = 0, int model = 0)
{
    const SGameObject base = Plain(kind, pos, heading, model);
    if (kind == KIND_TANK)
        return new STankPrototype(base);
    if (kind == KIND_POWERUP)
        return new SGamePowerup(base);
    return new SGameObject(base);
}

inline STankPrototype* NewTank(Vector3f pos, float heading = 0, int model = 0)
{
    return static_cast<STankPrototype*>(NewObject(KIND_TANK, pos, heading, model));
}

#endif
