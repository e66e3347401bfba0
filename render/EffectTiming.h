#ifndef FERROWIND_EFFECTTIMING_H
#define FERROWIND_EFFECTTIMING_H

#include "model/Vector.h"

// Timed effects follow from the game clock and an object's timer alone. The
// clock is a 32-bit millisecond count that wraps, so differences are taken in
// 32 bits: a timer in the future reads as long ago.

// Milliseconds from `timer` to `now`.
unsigned int ElapsedSince(unsigned long now, unsigned long timer);

// Shot flashes last 500 ms after the shot.
bool ShotEffectShown(unsigned long now, unsigned long timer);
// Frame (0 to 12) of the 14-frame flash strip, by 38.5 ms a frame.
int ShotEffectFrame(unsigned long now, unsigned long timer);

// The local tank stays visible for two seconds after its death.
bool DeathEffectShown(unsigned long now, unsigned long timer);

// Direction of a tank's gun from its elevation (angles.x) and heading (angles.y).
Vector3f GunDirection(const Vector3f& angles);

// Roll about the gun axis, in degrees, that turns the muzzle sprite towards
// the camera. `toCamera` is the camera position minus the gun's position.
float MuzzleRollDegrees(const Vector3f& gun, const Vector3f& toCamera);

// Turn about y and tilt about x, in degrees, that face the impact sprite at
// ground point (ix, 0, iz) towards the camera at `camera`.
struct SImpactTurn {
    float yaw, tilt;
};
SImpactTurn ImpactSpriteTurn(float ix, float iz, const Vector3f& camera);

// The impact point of a tank's last shot is known unless both slots are -1.
bool ImpactKnown(float impactX, float impactZ);

#endif
