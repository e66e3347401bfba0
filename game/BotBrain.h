#ifndef FERROWIND_BOTBRAIN_H
#define FERROWIND_BOTBRAIN_H

#include <random>
#include <vector>

#include "game/BotSteering.h"
#include "model/GameObject.h"

// What a computer tank does in one frame: the same things a player's keys
// ask for. The throttle change and the turn are already held to what the
// keys allow in the frame's time.
struct SBotActions {
    float throttle;  // change of the throttle, 0 for none
    bool turn;
    float heading;  // the heading asked for when turning
    bool shoot;
    // Wedged for good (footprints that overlap refuse every move and turn):
    // the self-destruct key, as a player would press it.
    bool selfDestruct;
};

// The decisions of one computer tank. It sees the battlefield as a player
// does: where the tanks and crates are, its own gauges and its own reload.
class CBotBrain {
public:
    CBotBrain(int tank, EBotLevel level, unsigned int seed);

    SBotActions Think(const std::vector<SGameObject*>& objects, unsigned long now, unsigned int elapsedMs);
    int Tank() const { return m_tank; }

private:
    void Look(const std::vector<SGameObject*>& objects, const SGameObject& me, unsigned long now);
    int NearestPowerUp(const std::vector<SGameObject*>& objects, const SGameObject& me, float& distance) const;
    void Nearby(const std::vector<SGameObject*>& objects, const SGameObject& me);
    bool PathClear(const SGameObject& me, float heading) const;
    float AvoidObstacles(const SGameObject& me, float desired);
    bool ClearShot(const std::vector<SGameObject*>& objects, const SGameObject& me, float heading, float range) const;
    bool Stuck(const SGameObject& me, unsigned long now, bool moving);
    float Uniform(float low, float high);

    int m_tank;
    SBotSkill m_skill;
    std::minstd_rand m_random;

    // The enemy it goes for, where it last saw it, and the aiming error of that look.
    int m_target;
    unsigned long m_targetSince;
    unsigned long m_nextLook;
    Vector3f m_seen;
    float m_aimError;

    Vector3f m_wander;
    unsigned long m_wanderUntil;

    // Progress check: where it stood and faced at the last check; backing out until.
    Vector3f m_checkPos;
    float m_checkHeading;
    unsigned long m_checkAt;
    unsigned long m_reverseUntil;
    float m_reverseTurn;
    int m_stuckCount;
    int m_avoidSide;
    // Which way it moves aside while its gun reloads near an enemy.
    int m_dodgeSide;

    // Objects near enough to block this frame's path.
    std::vector<const SGameObject*> m_near;
};

#endif
