// What each message does to the battlefield.
#include <cmath>
#include <cstdlib>

#include "game/Damage.h"
#include "model/Log.h"
#include "game/Ferrowind.h"
#include "net/BotWire.h"

namespace {

const double RELOAD_BASE_MS = 2500;
const float HIT_DISTANCE_START = 100000;
const float IMPACT_PULL_BACK = 8;
const float DAMAGE_TOTAL = 0.8f;
const float DAMAGE_TOTAL_BOOSTED = 3.2f;
const int RESPAWN_AREA = 1000;
const int RESPAWN_DRAWS = 10000;
const float RESPAWN_TOLERANCE = 0.05f;
const unsigned long RESPAWN_RELOAD_OFFSET_MS = 500;
const double POWERUP_BOOST = 0.35;
const float POWERUP_CAP = 2;
const unsigned long POWERUP_RESPAWN_MS = 5000;
const float TIMED_POWERUP_MS = 10000;

void Boost(float& value)
{
    double boosted = value + POWERUP_BOOST;
    value = (float)(boosted > POWERUP_CAP ? POWERUP_CAP : boosted);
}

}  // namespace

bool CFerrowind::IsTank(int index) const
{
    return index >= 0 && index < (int)m_objects.size() && m_objects[index]->state &&
           m_objects[index]->stateCount >= TANK_STATE_COUNT;
}

// Messages arrive from the network: anything a rule would read out of range
// makes the whole message void.
bool CFerrowind::MessageIsValid(const SGameMsg& msg) const
{
    const SMsgKind kind = MsgKind(msg.type);
    if (!kind.namesObject)
        return true;
    if (msg.object < 0 || msg.object >= (int)m_objects.size())
        return false;
    if (kind.dataNeeded > 0 && (msg.count < kind.dataNeeded || !msg.data))
        return false;
    if (kind.tankOnly && !IsTank(msg.object))
        return false;
    if (msg.type == GMSG_POWERUP_STATE) {
        for (int half : {PSV_BACK_HIGH, PSV_BACK_LOW})
            if (!(msg.data[half] >= 0 && msg.data[half] < POWERUP_TIME_HALF))
                return false;
        return m_objects[msg.object]->kind == KIND_POWERUP;
    }
    if (msg.type == GMSG_POWERUP_TAKEN) {
        const SGameObject* powerUp = m_objects[msg.object];
        float taker = msg.data[0];
        if (powerUp->kind != KIND_POWERUP || powerUp->stateCount < 1 || !powerUp->state)
            return false;
        if (!(taker >= 0 && taker < (float)m_objects.size()) || !IsTank((int)taker))
            return false;
    }
    return true;
}

void CFerrowind::ActOnMessage(SGameMsg msg)
{
    if (!MessageIsValid(msg))
        return;
    if (msg.type == GMSG_TOGGLE_MUSIC)
        Sound().ToggleMusic();
    if (msg.type == GMSG_POWERUP_TAKEN)
        TakePowerUp(msg);

    switch (msg.type) {
    case GMSG_MOVE_ALONG: {
        SGameObject* o = m_objects[msg.object];
        double k = (double)(unsigned int)(GetTime() - msg.time) / 25;
        Vector3f d = o->Direction();
        o->pos = Vector3f((float)(o->pos.x + d.x * k), (float)(o->pos.y + d.y * k), (float)(o->pos.z + d.z * k));
        break;
    }
    case GMSG_MOVE_TO_LOC:
        if (m_objects[msg.object]->active)
            m_objects[msg.object]->pos = MCollision(Vector3f(msg.data[0], msg.data[1], msg.data[2]), msg.object);
        break;
    case GMSG_CHANGE_ANGLES:
        if (m_objects[msg.object]->active)
            m_objects[msg.object]->angles = RCollision(Vector3f(msg.data[0], msg.data[1], 0), msg.object);
        break;
    case GMSG_SHOOT:
        Shoot(msg);
        break;
    case GMSG_DEATH:
        if (m_objects[msg.object]->active)
            ++m_objects[msg.object]->deaths;
        m_objects[msg.object]->active = 0;
        // A wreck has no throttle: left as it was, the owner would keep the
        // last one for good (a dead tank takes no throttle change), while
        // the peers, who never hear throttle changes, hold another.
        if (IsTank(msg.object))
            m_objects[msg.object]->state[TS_THROTTLE] = 0;
        m_objects[msg.object]->timer = msg.time;
        break;
    case GMSG_ACCELERATE: {
        SGameObject* o = m_objects[msg.object];
        if (!o->active)
            break;
        float* s = o->state;
        float before = s[TS_THROTTLE];
        s[TS_THROTTLE] += (s[TS_DRIVE] / 5 + 0.8f) * msg.data[0];
        if (s[TS_THROTTLE] > 1)
            s[TS_THROTTLE] = 1;
        if (s[TS_THROTTLE] < -1)
            s[TS_THROTTLE] = -1;
        // A change that crosses zero stops at zero.
        if ((before > 0 && s[TS_THROTTLE] <= 0) || (before < 0 && s[TS_THROTTLE] > 0))
            s[TS_THROTTLE] = 0;
        break;
    }
    case GMSG_DAMAGE: {
        float* s = m_objects[msg.object]->state;
        for (int k = 0; k < 3; ++k) {
            s[TS_DRIVE + k] -= msg.data[k];
            if (s[TS_DRIVE + k] < 0)
                s[TS_DRIVE + k] = 0;
        }
        break;
    }
    case GMSG_FRAG:
        if (msg.object == LOCAL_TANK && IsTank(LOCAL_TANK))
            m_objects[LOCAL_TANK]->state[TS_DISPLAY] += 1;
        if (IsTank(msg.object))
            ++m_objects[msg.object]->frags;
        break;
    case GMSG_TANK_STATE:
        SetTankState(msg);
        break;
    case GMSG_TANK_POSE:
        SetTankPose(msg);
        break;
    case GMSG_DEPARTED:
        m_objects[msg.object]->active = 0;
        m_objects[msg.object]->kind = KIND_DEPARTED;
        break;
    case GMSG_POWERUP_STATE: {
        SGameObject* powerUp = m_objects[msg.object];
        powerUp->timer = (unsigned long)msg.data[PSV_BACK_HIGH] * POWERUP_TIME_HALF + (unsigned long)msg.data[PSV_BACK_LOW];
        powerUp->active = Present(*powerUp);
        break;
    }
    case GMSG_TIMING_PROBE:
        LogOut("%lu %lu\n", msg.time, GetTime());
        break;
    default:
        break;
    }
}

// A peer's tank as its owner had it at the message's time: a newcomer starts
// from it, and a peer that comes back is put where it now is.
void CFerrowind::SetTankState(const SGameMsg& msg)
{
    SGameObject* o = m_objects[msg.object];
    const float* v = msg.data.get();
    float* s = o->state;
    o->kind = KIND_TANK;
    o->pos = Vector3f(v[TSV_POS], v[TSV_POS + 1], v[TSV_POS + 2]);
    o->angles = Vector3f(v[TSV_ANGLES], v[TSV_ANGLES + 1], v[TSV_ANGLES + 2]);
    for (int k = 0; k < 3; ++k)
        s[TS_DRIVE + k] = v[TSV_CONDITIONS + k];
    s[TS_POWERUP_KIND] = v[TSV_POWERUP_KIND];
    s[TS_POWERUP_LEFT] = v[TSV_POWERUP_LEFT];
    o->active = v[TSV_ACTIVE] != 0;
    for (int k = 0; k < 4; ++k)
        o->effect[k] = v[TSV_EFFECT + k];
    float age = v[TSV_RELOAD_AGE];
    o->timer = (unsigned int)msg.time - (unsigned int)(age >= 0 && age < 1e9f ? age : 0);
}

// Every copy puts the tank where its owner had it at the message's time, so
// that one that judged a move otherwise (a push into a wedged tank) comes
// back to the same place within one period. Not a dead tank: its owner
// brings it in by a shot.
void CFerrowind::SetTankPose(const SGameMsg& msg)
{
    SGameObject* o = m_objects[msg.object];
    const float* v = msg.data.get();
    for (int k = 0; k < TANK_POSE_VALUES; ++k)
        if (!std::isfinite(v[k]))
            return;
    if (o->kind != KIND_TANK || !o->active)
        return;
    o->pos = Vector3f(v[PV_POS], v[PV_POS + 1], v[PV_POS + 2]);
    o->angles = Vector3f(v[PV_ANGLES], v[PV_ANGLES + 1], v[PV_ANGLES + 2]);
}

void CFerrowind::TakePowerUp(const SGameMsg& msg)
{
    SGameObject* powerUp = m_objects[msg.object];
    SGameObject* tank = m_objects[(int)msg.data[0]];
    float* st = tank->state;
    powerUp->active = 0;
    powerUp->timer = RuleTime() + POWERUP_RESPAWN_MS;
    float kind = powerUp->state[0];
    if (!(kind >= 0 && kind < 6))
        return;
    switch ((int)kind) {
    case 0:
        st[TS_ARMOUR] = 0;
        break;
    case 1:
        Boost(st[TS_ARMOUR]);
        break;
    case 2:
        Boost(st[TS_GUN]);
        break;
    case 3:
        Boost(st[TS_DRIVE]);
        break;
    case 4:
        tank->effect[0] = 0.05f;
        tank->effect[1] = -0.5f;
        tank->effect[2] = -0.5f;
        st[TS_POWERUP_KIND] = 4;
        st[TS_POWERUP_LEFT] = TIMED_POWERUP_MS;
        break;
    case 5:
        tank->effect[0] = tank->effect[1] = tank->effect[2] = 0;
        st[TS_POWERUP_KIND] = 5;
        st[TS_POWERUP_LEFT] = TIMED_POWERUP_MS;
        break;
    default:
        break;
    }
}

void CFerrowind::Shoot(const SGameMsg& msg)
{
    int shooter = msg.object;
    SGameObject* a = m_objects[shooter];
    float* s = a->state;
    double reload = (-0.5 * s[TS_GUN] - 1) * 1000 + RELOAD_BASE_MS;
    if ((double)(unsigned int)(msg.time - a->timer) <= reload)
        return;
    s[TS_IMPACT_X] = -1;
    s[TS_IMPACT_Z] = -1;
    if (a->active != 1) {
        Respawn(shooter, msg.time);
        return;
    }
    a->timer = msg.time;
    // The copy that drives a tank pushes it back; only the player hears the gun.
    if (OwnsTank(shooter) && !m_rollback.Replaying()) {
        if (shooter == LOCAL_TANK)
            Sound().PlaySound(0, 100);
        Vector3f recoil = a->pos - a->Direction();
        float where[3] = {recoil.x, recoil.y, recoil.z};
        SGameMsg push = MakeMsg(GMSG_MOVE_TO_LOC, shooter, 3, where, 0);
        Emit(push, KnownToPeers(shooter));
    }
    int hit = HitTest(shooter);
    if (OwnsTank(hit))
        DamageOwnedTank(hit, shooter);
}

bool CFerrowind::OwnsTank(int index) const
{
    return index == LOCAL_TANK || m_bots.Owns(index);
}

// The peers know the player's tanks by their owners' addresses; this copy's
// computer tanks only while it shares them.
bool CFerrowind::KnownToPeers(int index) const
{
    return !m_bots.Owns(index) || m_bots.Shared();
}

unsigned long CFerrowind::RuleTime()
{
    return m_queue.Passing() ? m_queue.PassTime() : GetTime();
}

// A rule's message for the peers: queued here like theirs, so that a warp
// replays it, and sent unless a replay is running (then it was sent before).
// Dated 1 ms after its cause, so that on every copy it comes after the cause
// whatever the senders' addresses.
void CFerrowind::Emit(SGameMsg& msg, bool toPeers)
{
    if (m_rollback.Replaying())
        return;
    msg.time = RuleTime() + 1;
    Publish(msg, toPeers);
}

// Sent first: the queue may hand the message's data on as it stores it.
void CFerrowind::Publish(SGameMsg msg, bool toPeers)
{
    // Hosted computer tanks are named in records of their own.
    if (toPeers && !m_rollback.Replaying() && !ZOSocketSendBotMsg(&msg))
        m_rollback.Send(msg);
    AddMsg(msg);
}

int CFerrowind::HitTest(int shooter)
{
    SGameObject* a = m_objects[shooter];
    float* s = a->state;
    Vector3f d = a->Direction();
    d.Rescale(1);
    Vector3f o = a->pos;
    float best = HIT_DISTANCE_START;
    int hit = -1;
    for (int j = 1; j < (int)m_objects.size(); ++j) {
        SGameObject* target = m_objects[j];
        if (j == shooter || target->active == 0 || target->kind < 0)
            continue;
        Vector3f u = a->pos - target->pos;
        u.Rescale(1);
        if (!(d.Dot(u) < 0))
            continue;
        Vector3f f = target->Direction();
        Vector3f side(-f.z, 0, f.x);
        const float* bb = target->bbox;
        Vector3f c1 = target->pos + side * bb[BB_MIN_X] - f * bb[BB_MAX_Z];
        Vector3f c2 = target->pos + side * bb[BB_MAX_X] - f * bb[BB_MAX_Z];
        Vector3f c3 = target->pos + side * bb[BB_MIN_X] - f * bb[BB_MIN_Z];
        Vector3f c4 = target->pos + side * bb[BB_MAX_X] - f * bb[BB_MIN_Z];
        const Vector3f sides[4][2] = {{c1, c2}, {c4, c3}, {c3, c1}, {c2, c4}};
        for (const auto& sideEnds : sides) {
            Vector3f c = sideEnds[0];
            Vector3f dEnd = sideEnds[1];
            Vector3f e = dEnd - c;
            if (!((o - c).CrossProduct(d).y >= 0 && d.CrossProduct(o - dEnd).y >= 0))
                continue;
            float cross = d.x * e.z - d.z * e.x;
            Vector3f co = c - o;
            float t = (co.x * e.z - co.z * e.x) / cross;
            float q = ((c.x - o.x) * d.z + (o.z - c.z) * d.x) / cross;
            if (t < best) {
                best = t;
                hit = j;
                s[TS_IMPACT_X] = c.x + e.x * q - IMPACT_PULL_BACK * d.x;
                s[TS_IMPACT_Z] = c.z + e.z * q - IMPACT_PULL_BACK * d.z;
            }
        }
    }
    return hit;
}

// This copy alone decides what a hit on a tank it drives does (its player's
// or a computer tank), once, when the shot is first applied; a replayed shot
// finds the outcome in the queue. The damage, death and frag are queued just
// after the shot and sent, so every copy applies the same three messages at
// the same place in time order.
void CFerrowind::DamageOwnedTank(int target, int shooter)
{
    if (m_rollback.Replaying())
        return;
    SGameObject* victim = m_objects[target];
    float* s1 = victim->state;
    float r[3];
    for (float& value : r)
        value = (float)(m_random() % 100) / 100;
    float total = s1[TS_POWERUP_KIND] == 4 ? DAMAGE_TOTAL_BOOSTED : DAMAGE_TOTAL;
    float shares[3];
    DamageShares(r, total, s1[TS_ARMOUR], shares);

    // The conditions as the damage will leave them, by the damage rule's own sums.
    int broken = 0;
    for (int k = 0; k < 3; ++k) {
        float left = s1[TS_DRIVE + k] - shares[k];
        broken += !(left > 0);
    }
    bool toPeers = KnownToPeers(target);
    SGameMsg damage = MakeMsg(GMSG_DAMAGE, target, 3, shares, 0);
    Emit(damage, toPeers);
    if (broken < 2 || !victim->active)
        return;
    SGameMsg death = MakeMsg(GMSG_DEATH, target, 0, 0, 0);
    Emit(death, toPeers);
    SGameMsg frag = MakeMsg(GMSG_FRAG, shooter, 0, 0, 0);
    LogOut("Sending Frag to: %d\n", shooter);
    Emit(frag, toPeers && KnownToPeers(shooter));
}

// Only the owner draws the spot and tells it (a move every copy applies);
// elsewhere, and in a replay, the tank comes back where it fell until that
// move arrives, so the owner's spot wins on every screen.
void CFerrowind::Respawn(int shooter, unsigned long shotTime)
{
    SGameObject* a = m_objects[shooter];
    bool drawing = OwnsTank(shooter) && !m_rollback.Replaying();
    Vector3f spot;
    if (drawing && !FreeSpot(shooter, spot)) {
        LogOut("No free spot to respawn tank %d: it stays dead until its next shot\n", shooter);
        return;
    }
    a->active = 1;
    a->timer = shotTime - RESPAWN_RELOAD_OFFSET_MS;
    a->state[TS_DRIVE] = a->state[TS_ARMOUR] = a->state[TS_GUN] = 1;
    if (!drawing)
        return;
    float where[3] = {spot.x, spot.y, spot.z};
    SGameMsg move = MakeMsg(GMSG_MOVE_TO_LOC, shooter, 3, where, 0);
    Emit(move, KnownToPeers(shooter));
}

bool CFerrowind::FreeSpot(int tank, Vector3f& spot)
{
    for (int draw = 0; draw < RESPAWN_DRAWS; ++draw) {
        float x = (float)(m_random() % RESPAWN_AREA);
        float z = (float)(m_random() % RESPAWN_AREA);
        Vector3f r = CollisionTest(Vector3f(x, 0, z), tank, false, false);
        if (std::abs(r.x - x) + std::abs(r.y) + std::abs(r.z - z) < RESPAWN_TOLERANCE) {
            spot = Vector3f(x, 0, z);
            return true;
        }
    }
    return false;
}
