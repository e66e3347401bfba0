#ifndef FERROWIND_BOTSTEERING_H
#define FERROWIND_BOTSTEERING_H

#include <string>

#include "model/Vector.h"

// The arithmetic a computer tank steers and aims by. Headings are the game's
// degrees, turned into directions with 3.14 for pi, so one whole turn is a
// little more than 360 of them.

// One whole turn in the game's heading degrees.
float FullTurnDegrees();

// The heading whose facing direction points from `from` to `to` on the ground.
float HeadingTowards(const Vector3f& from, const Vector3f& to);

// How far to turn from `current` to face `desired`: the shorter way round,
// within half a turn either side (positive: the heading grows).
float HeadingError(float desired, float current);

// The turn one frame allows towards `error`: at most `maxStep` either way,
// never past the heading wanted.
float TurnStep(float error, float maxStep);

// Distance along the ray from `origin` in ground direction `dir` (unit
// length) to the first crossing of the footprint box `bbox` placed at `pos`
// with heading `heading`; negative when the ray misses it or it lies behind.
float RayToFootprint(const Vector3f& origin, const Vector3f& dir, const Vector3f& pos, float heading,
                     const float* bbox);

// How well a computer tank plays.
enum EBotLevel { BOT_EASY, BOT_NORMAL, BOT_HARD };

struct SBotSkill {
    unsigned int reactionMs;  // how old its picture of the enemy is, and its pause before a new one
    float aimErrorDeg;        // largest aiming error, drawn afresh with each picture
    float sightRange;         // how far it looks for an enemy
};

SBotSkill SkillFor(EBotLevel level);

// "easy", "normal" or "hard"; false for anything else.
bool ParseBotLevel(const std::string& word, EBotLevel& level);
const char* BotLevelName(EBotLevel level);

#endif
