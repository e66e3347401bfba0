#include "render/EffectTiming.h"

#include <cmath>

namespace {

const float kDegreesPerRadian = 180 / 3.14f;

// Rounding can push a cosine of unit vectors just past 1; keep it in range.
float Unit(float v)
{
    return v > 1 ? 1 : (v < -1 ? -1 : v);
}

}  // namespace

unsigned int ElapsedSince(unsigned long now, unsigned long timer)
{
    return (unsigned int)now - (unsigned int)timer;
}

bool ShotEffectShown(unsigned long now, unsigned long timer)
{
    return ElapsedSince(now, timer) <= 499;
}

int ShotEffectFrame(unsigned long now, unsigned long timer)
{
    return (int)(ElapsedSince(now, timer) / 38.5);
}

bool DeathEffectShown(unsigned long now, unsigned long timer)
{
    return ElapsedSince(now, timer) < 2000;
}

Vector3f GunDirection(const Vector3f& angles)
{
    float h = angles.y / 180 * 3.14f;
    float p = angles.x / 180 * 3.14f;
    return Vector3f(std::sin(-h) * std::cos(p), std::sin(p), -std::cos(h) * std::cos(p));
}

float MuzzleRollDegrees(const Vector3f& gun, const Vector3f& toCamera)
{
    Vector3f r = gun.CrossProduct(toCamera.CrossProduct(gun));
    r.Rescale(1);
    float j = Unit(r.y);
    Vector3f k = r.CrossProduct(gun);
    if (k.y > 0)
        return std::asin(j) * kDegreesPerRadian;
    return std::acos(j) * kDegreesPerRadian + 90;
}

SImpactTurn ImpactSpriteTurn(float ix, float iz, const Vector3f& camera)
{
    SImpactTurn turn;
    Vector3f u(camera.x - ix, 0, camera.z - iz);
    u.Rescale(1);
    turn.yaw = std::acos(Unit(-u.z)) * kDegreesPerRadian;
    if (!(ix - camera.x > 0))
        turn.yaw = -turn.yaw;

    Vector3f w(ix - camera.x, camera.y, iz - camera.z);
    Vector3f g(ix - camera.x, 0, iz - camera.z);
    w.Rescale(1);
    g.Rescale(1);
    turn.tilt = std::acos(Unit(w.Dot(g))) * kDegreesPerRadian;
    if (!(camera.y > 0))
        turn.tilt = -turn.tilt;
    return turn;
}

bool ImpactKnown(float impactX, float impactZ)
{
    return !(impactX == -1 && impactZ == -1);
}
