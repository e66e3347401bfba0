#include "game/BotBrain.h"

#include <cmath>

#include "game/Footprint.h"

namespace {

// Throttle change a held key gives per millisecond, as the input makes it.
const float KEY_THROTTLE = 0.011f;
const float HOLD_DISTANCE = 140;
const float POWERUP_REACH = 450;
const float WANDER_REACHED = 40;
const unsigned long WANDER_MS = 15000;
const unsigned long PROGRESS_MS = 1000;
// Headway below this share of what full throttle gives in the time means held;
// a tank with its drive shot crawls, and that is headway too.
const float PROGRESS_SHARE = 0.25f;
const float PROGRESS_DEGREES = 10;
// Below this throttle the tank means to stand (holding its aim), so standing
// still is no sign of being held.
const float MOVING_THROTTLE = 0.3f;
// Progress checks in a row without headway, backing out in between, before
// the tank gives up on the spot.
const int STUCK_CHECKS_TO_GIVE_UP = 5;
const float FEELERS[2] = {22, 48};
const float NEAR_UNITS = 90;
const float ARENA_LOW = 120, ARENA_HIGH = 880;
// How long before the gun is ready a dodging tank turns back to aim.
const double DODGE_END_MS = 450;

float Distance(const Vector3f& a, const Vector3f& b)
{
    float dx = a.x - b.x, dz = a.z - b.z;
    return std::sqrt(dx * dx + dz * dz);
}

bool IsLiveTank(const SGameObject& o)
{
    return o.kind == KIND_TANK && o.active && o.state && o.stateCount >= TANK_STATE_COUNT;
}

// Reload time of the gun rule: 1500 ms less 500 per unit of gun condition.
double ReloadMs(const float* s)
{
    return (-0.5 * s[TS_GUN] - 1) * 1000 + 2500;
}

}  // namespace

CBotBrain::CBotBrain(int tank, EBotLevel level, unsigned int seed)
    : m_tank(tank), m_skill(SkillFor(level)), m_random(seed ? seed : 1), m_target(-1), m_targetSince(0),
      m_nextLook(0), m_seen(0, 0, 0), m_aimError(0), m_wander(500, 0, 500), m_wanderUntil(0),
      m_checkPos(0, 0, 0), m_checkHeading(0), m_checkAt(0), m_reverseUntil(0), m_reverseTurn(0), m_stuckCount(0), m_avoidSide(1), m_dodgeSide(1)
{
}

float CBotBrain::Uniform(float low, float high)
{
    return low + (high - low) * (float)((double)(m_random() - m_random.min()) / (m_random.max() - m_random.min()));
}

SBotActions CBotBrain::Think(const std::vector<SGameObject*>& objects, unsigned long now, unsigned int elapsedMs)
{
    SBotActions act = {0, false, 0, false, false};
    if (m_tank < 0 || m_tank >= (int)objects.size())
        return act;
    const SGameObject& me = *objects[m_tank];
    if (!me.state || me.stateCount < TANK_STATE_COUNT)
        return act;
    const float* s = me.state;
    long sinceShot = (long)(int)((unsigned int)now - (unsigned int)me.timer);

    if (!me.active) {
        // Back in like a player: fire once the gun would have reloaded, after a pause to notice.
        m_target = -1;
        m_checkAt = 0;
        m_reverseUntil = 0;
        m_stuckCount = 0;
        act.shoot = sinceShot > ReloadMs(s) + m_skill.reactionMs;
        return act;
    }

    Look(objects, me, now);
    Nearby(objects, me);
    float condition = s[TS_DRIVE] + s[TS_ARMOUR] + s[TS_GUN];
    float powerUpDistance = 0;
    int powerUp = NearestPowerUp(objects, me, powerUpDistance);
    bool wantsRepair = powerUp >= 0 && condition < 1.8f && powerUpDistance < POWERUP_REACH;

    Vector3f goal;
    bool engaging = m_target >= 0 && !wantsRepair;
    if (engaging) {
        goal = m_seen;
    } else if (powerUp >= 0 && (wantsRepair || m_target < 0) && powerUpDistance < POWERUP_REACH) {
        goal = objects[powerUp]->pos;
    } else {
        if (Distance(me.pos, m_wander) < WANDER_REACHED || (int)((unsigned int)now - (unsigned int)m_wanderUntil) >= 0) {
            m_wander = Vector3f(Uniform(ARENA_LOW, ARENA_HIGH), 0, Uniform(ARENA_LOW, ARENA_HIGH));
            m_wanderUntil = now + WANDER_MS;
        }
        goal = m_wander;
    }
    float distance = Distance(me.pos, goal);
    float aimHeading = HeadingTowards(me.pos, goal) + (engaging ? m_aimError : 0);

    float wantedThrottle;
    float heading;
    bool backing = (int)((unsigned int)m_reverseUntil - (unsigned int)now) > 0;
    if (backing) {
        wantedThrottle = -1;
        heading = me.angles.y + m_reverseTurn;
    } else {
        // Close in, the gun reloading: move aside, then turn back to aim.
        // Cover in between is no place to hold: it would wait there for good.
        bool close = engaging && distance < HOLD_DISTANCE &&
                     ClearShot(objects, me, HeadingTowards(me.pos, goal),
                               distance + FootprintReach(objects[m_target]->bbox));
        bool dodging = close && sinceShot < ReloadMs(s) - DODGE_END_MS;
        bool holding = close && !dodging;
        heading = holding ? aimHeading : AvoidObstacles(me, dodging ? aimHeading + 90.0f * m_dodgeSide : aimHeading);
        float error = std::fabs(HeadingError(heading, me.angles.y));
        wantedThrottle = holding ? 0.15f : error > 60 ? 0.35f : 1.0f;
        if (Stuck(me, now, wantedThrottle > MOVING_THROTTLE)) {
            m_reverseUntil = now + (unsigned long)Uniform(600, 1200);
            m_reverseTurn = Uniform(0, 1) < 0.5f ? -90.0f : 90.0f;
            act.selfDestruct = ++m_stuckCount >= STUCK_CHECKS_TO_GIVE_UP;
        }
    }

    // The key is let go once the gap would close: in a long frame a whole
    // frame's push overshoots, and the throttle would swing from one sign to
    // the other with the tank standing still.
    float throttleGap = wantedThrottle - s[TS_THROTTLE];
    if (std::fabs(throttleGap) > 0.05f)
        act.throttle = TurnStep(throttleGap, KEY_THROTTLE * (float)elapsedMs);
    float step = TurnStep(HeadingError(heading, me.angles.y), s[TS_TURN_RATE] * (float)elapsedMs);
    if (std::fabs(step) > 0.001f) {
        act.turn = true;
        act.heading = me.angles.y + step;
    }

    // Fire when the gun has reloaded, this enemy has been seen long enough to
    // react, the gun points where it thinks the enemy is, and nothing is in between.
    if (engaging && sinceShot > ReloadMs(s) && (int)((unsigned int)now - (unsigned int)m_targetSince) >= (int)m_skill.reactionMs) {
        const SGameObject& enemy = *objects[m_target];
        float range = Distance(me.pos, m_seen);
        float halfWidth = 0.5f * FootprintReach(enemy.bbox);
        float cone = (float)(std::atan2(halfWidth, range > 1 ? range : 1) * 180 / 3.14);
        if (range < m_skill.sightRange && std::fabs(HeadingError(aimHeading, me.angles.y)) < cone &&
            ClearShot(objects, me, me.angles.y, range + FootprintReach(enemy.bbox))) {
            act.shoot = true;
            m_dodgeSide = Uniform(0, 1) < 0.5f ? -1 : 1;
        }
    }
    return act;
}

// A fresh picture of the nearest enemy once per reaction time; between
// pictures it goes by the last one, wherever the enemy has gone since.
void CBotBrain::Look(const std::vector<SGameObject*>& objects, const SGameObject& me, unsigned long now)
{
    if (m_target >= 0 && !IsLiveTank(*objects[m_target]))
        m_target = -1;
    if (m_target >= 0 && (int)((unsigned int)now - (unsigned int)m_nextLook) < 0)
        return;
    int nearest = -1;
    float best = m_skill.sightRange;
    for (int i = 1; i < (int)objects.size(); ++i) {
        if (i == m_tank || !IsLiveTank(*objects[i]))
            continue;
        float d = Distance(me.pos, objects[i]->pos);
        if (d < best) {
            best = d;
            nearest = i;
        }
    }
    if (nearest != m_target)
        m_targetSince = now;
    m_target = nearest;
    m_nextLook = now + m_skill.reactionMs;
    if (nearest >= 0) {
        m_seen = objects[nearest]->pos;
        m_aimError = Uniform(-m_skill.aimErrorDeg, m_skill.aimErrorDeg);
    }
}

// Crates that help: all but the one that strips armour.
int CBotBrain::NearestPowerUp(const std::vector<SGameObject*>& objects, const SGameObject& me, float& distance) const
{
    int nearest = -1;
    distance = 1e30f;
    for (int i = 1; i < (int)objects.size(); ++i) {
        const SGameObject& o = *objects[i];
        if (o.kind != KIND_POWERUP || !o.active || !o.state || o.stateCount < 1 || o.state[0] < 1)
            continue;
        float d = Distance(me.pos, o.pos);
        if (d < distance) {
            distance = d;
            nearest = i;
        }
    }
    return nearest;
}

void CBotBrain::Nearby(const std::vector<SGameObject*>& objects, const SGameObject& me)
{
    m_near.clear();
    float mine = FootprintReach(me.bbox);
    for (int i = 1; i < (int)objects.size(); ++i) {
        const SGameObject& o = *objects[i];
        if (i == m_tank || !o.active || o.kind < 0)
            continue;
        float limit = NEAR_UNITS + mine + FootprintReach(o.bbox);
        float dx = o.pos.x - me.pos.x, dz = o.pos.z - me.pos.z;
        if (dx * dx + dz * dz < limit * limit)
            m_near.push_back(&o);
    }
}

// The tank's own footprint, turned to `heading`, pushed a little and a
// little more along it: free of everything that would block a move.
bool CBotBrain::PathClear(const SGameObject& me, float heading) const
{
    Vector3f d = DirectionFromAngles(0, heading);
    for (float ahead : FEELERS) {
        SFootprint probe(me.pos + d * ahead, 0, heading, me.bbox);
        for (const SGameObject* o : m_near)
            if (FootprintsOverlap(probe, SFootprint(o->pos, o->angles.x, o->angles.y, o->bbox)))
                return false;
    }
    return true;
}

// The heading nearest the wanted one whose path is clear; the side that
// worked last is tried first, so the tank does not swing back and forth.
float CBotBrain::AvoidObstacles(const SGameObject& me, float desired)
{
    if (PathClear(me, desired))
        return desired;
    for (int k = 1; k <= 5; ++k)
        for (int side : {m_avoidSide, -m_avoidSide}) {
            float heading = desired + side * 32.0f * k;
            if (PathClear(me, heading)) {
                m_avoidSide = side;
                return heading;
            }
        }
    return desired + 180;
}

// The first thing a line from the tank along `heading` crosses is the enemy.
bool CBotBrain::ClearShot(const std::vector<SGameObject*>& objects, const SGameObject& me, float heading,
                          float range) const
{
    Vector3f d = DirectionFromAngles(0, heading);
    float first = range;
    int hit = -1;
    for (int i = 1; i < (int)objects.size(); ++i) {
        const SGameObject& o = *objects[i];
        if (i == m_tank || !o.active || o.kind < 0)
            continue;
        float dx = o.pos.x - me.pos.x, dz = o.pos.z - me.pos.z;
        float reach = FootprintReach(o.bbox);
        if (dx * d.x + dz * d.z < -reach || dx * dx + dz * dz > (range + reach) * (range + reach))
            continue;
        float t = RayToFootprint(me.pos, d, o.pos, o.angles.y, o.bbox);
        if (t >= 0 && t < first) {
            first = t;
            hit = i;
        }
    }
    return hit == m_target;
}

// Neither headway nor a turn for a second while it means to move:
// something holds the tank. A tank pressed against cover at an angle can be
// refused its turn as well as its move, and slows while it waits to turn.
bool CBotBrain::Stuck(const SGameObject& me, unsigned long now, bool moving)
{
    if (m_checkAt == 0 || !moving) {
        m_checkAt = now;
        m_checkPos = me.pos;
        m_checkHeading = me.angles.y;
        return false;
    }
    if ((int)((unsigned int)now - (unsigned int)m_checkAt) < (int)PROGRESS_MS)
        return false;
    const float* s = me.state;
    float fullThrottle = s[TS_SPEED] * (0.25f + s[TS_DRIVE]) * (float)((unsigned int)now - (unsigned int)m_checkAt);
    bool stuck = Distance(me.pos, m_checkPos) < PROGRESS_SHARE * fullThrottle &&
                 std::fabs(HeadingError(me.angles.y, m_checkHeading)) < PROGRESS_DEGREES;
    if (!stuck)
        m_stuckCount = 0;
    m_checkAt = now;
    m_checkPos = me.pos;
    m_checkHeading = me.angles.y;
    return stuck;
}
