#include "game/BotSteering.h"

#include <cmath>

#include "model/GameObject.h"

namespace {

// The game's pi, as in its one angle-to-direction formula.
const double GAME_PI = 3.14;

}  // namespace

float FullTurnDegrees()
{
    return (float)(360.0 * M_PI / GAME_PI);
}

float HeadingTowards(const Vector3f& from, const Vector3f& to)
{
    // A facing direction is (-sin t, -cos t) in x and z, t = heading * 3.14 / 180.
    double t = std::atan2(-(double)(to.x - from.x), -(double)(to.z - from.z));
    return (float)(t * 180.0 / GAME_PI);
}

float HeadingError(float desired, float current)
{
    double turn = FullTurnDegrees();
    double e = std::fmod((double)desired - current, turn);
    if (e > turn / 2)
        e -= turn;
    else if (e <= -turn / 2)
        e += turn;
    return (float)e;
}

float TurnStep(float error, float maxStep)
{
    if (error > maxStep)
        return maxStep;
    if (error < -maxStep)
        return -maxStep;
    return error;
}

float RayToFootprint(const Vector3f& origin, const Vector3f& dir, const Vector3f& pos, float heading,
                     const float* bbox)
{
    // Into the box's own frame: forward f, sideways s = (-f.z, f.x); a model
    // point (x, z) lies at pos + x s - z f.
    Vector3f f = DirectionFromAngles(0, heading);
    Vector3f s(-f.z, 0, f.x);
    Vector3f rel = origin - pos;
    float ox = rel.x * s.x + rel.z * s.z, oz = -(rel.x * f.x + rel.z * f.z);
    float dx = dir.x * s.x + dir.z * s.z, dz = -(dir.x * f.x + dir.z * f.z);
    // Slab test over the box's x and z extents.
    float near = -1e30f, far = 1e30f;
    const float lows[2] = {bbox[BB_MIN_X], bbox[BB_MIN_Z]}, highs[2] = {bbox[BB_MAX_X], bbox[BB_MAX_Z]};
    const float o[2] = {ox, oz}, d[2] = {dx, dz};
    for (int axis = 0; axis < 2; ++axis) {
        if (std::fabs(d[axis]) < 1e-9f) {
            if (o[axis] < lows[axis] || o[axis] > highs[axis])
                return -1;
            continue;
        }
        float t1 = (lows[axis] - o[axis]) / d[axis], t2 = (highs[axis] - o[axis]) / d[axis];
        if (t1 > t2)
            std::swap(t1, t2);
        near = std::fmax(near, t1);
        far = std::fmin(far, t2);
    }
    if (near > far || far < 0)
        return -1;
    return near > 0 ? near : 0;
}

SBotSkill SkillFor(EBotLevel level)
{
    switch (level) {
    case BOT_EASY:
        return SBotSkill{700, 9, 450};
    case BOT_HARD:
        return SBotSkill{150, 1.5f, 800};
    case BOT_NORMAL:
    default:
        return SBotSkill{350, 4, 600};
    }
}

bool ParseBotLevel(const std::string& word, EBotLevel& level)
{
    const EBotLevel levels[] = {BOT_EASY, BOT_NORMAL, BOT_HARD};
    for (EBotLevel l : levels)
        if (word == BotLevelName(l)) {
            level = l;
            return true;
        }
    return false;
}

const char* BotLevelName(EBotLevel level)
{
    return level == BOT_EASY ? "easy" : level == BOT_HARD ? "hard" : "normal";
}
