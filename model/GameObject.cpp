#include "GameObject.h"

#include <cstring>

std::vector<SGameMsg> SGameObject::Action(unsigned long, int)
{
    return {};
}

namespace {

void CopyCommonFields(SGameObject& to, const SGameObject& from)
{
    to.kind = from.kind;
    to.model = from.model;
    to.texture0 = from.texture0;
    to.texture1 = from.texture1;
    to.pos = from.pos;
    to.angles = from.angles;
    std::memcpy(to.bbox, from.bbox, sizeof to.bbox);
    std::memcpy(to.effect, from.effect, sizeof to.effect);
    to.active = from.active;
    to.frags = from.frags;
    to.deaths = from.deaths;
}

}  // namespace

STankPrototype::STankPrototype(SGameObject base)
{
    CopyCommonFields(*this, base);
    stateCount = TANK_STATE_COUNT;
    state = new float[TANK_STATE_COUNT];
    state[TS_SPEED] = 0;
    state[TS_TURN_RATE] = 0;
    state[TS_THROTTLE] = 0;
    state[TS_DRIVE] = state[TS_ARMOUR] = state[TS_GUN] = 1;
    for (int i = TS_DISPLAY; i < TANK_STATE_COUNT; ++i)
        state[i] = 0;
    timer = 0;
}

std::vector<SGameMsg> STankPrototype::Action(unsigned long dt, int id)
{
    float* s = state;
    if (s[TS_POWERUP_LEFT] > 0)
        s[TS_POWERUP_LEFT] -= dt;
    if (s[TS_POWERUP_LEFT] <= 0) {
        s[TS_POWERUP_KIND] = 0;
        effect[0] = effect[1] = effect[2] = 0;
    }
    if (s[TS_THROTTLE] == 0)
        return {};

    Vector3f d = Direction();
    float step = s[TS_SPEED] * dt * s[TS_THROTTLE] * (0.25f + s[TS_DRIVE]);
    float newPos[3] = {pos.x + d.x * step, pos.y + d.y * step, pos.z + d.z * step};
    float change = (float)(s[TS_THROTTLE] > 0 ? -0.003 * dt : 0.003 * dt);

    return {MakeMsg(GMSG_MOVE_TO_LOC, id, 3, newPos, 0), MakeMsg(GMSG_ACCELERATE, id, 1, &change, 0)};
}

SGamePowerup::SGamePowerup(SGameObject base)
{
    CopyCommonFields(*this, base);
    stateCount = 2;
    state = new float[2];
    state[0] = state[1] = 0;
    timer = 0;
}

void SGamePowerup::Action(unsigned long dt)
{
    CountDownPowerUp(*this, dt);
}

void CountDownPowerUp(SGameObject& powerUp, unsigned long dt)
{
    if (powerUp.timer > dt) {
        powerUp.timer -= dt;
    } else {
        powerUp.timer = 0;
        powerUp.active = 1;
    }
}

SGameObject* DeepCopyObject(const SGameObject& source)
{
    SGameObject* copy;
    if (source.kind == KIND_TANK) {
        STankPrototype* tank = new STankPrototype(source);
        delete[] tank->state;
        copy = tank;
    } else {
        copy = new SGameObject(source);
    }
    CopyCommonFields(*copy, source);
    copy->timer = source.timer;
    copy->stateCount = source.stateCount;
    copy->state = 0;
    if (source.stateCount > 0) {
        copy->state = new float[source.stateCount];
        std::memcpy(copy->state, source.state, sizeof(float) * source.stateCount);
    }
    return copy;
}

bool TakesCopyOf(const SGameObject& copy, const SGameObject& source)
{
    return (copy.kind == KIND_TANK) == (source.kind == KIND_TANK) && copy.stateCount == source.stateCount &&
           (copy.stateCount <= 0 || copy.state);
}

void CopyObjectInto(SGameObject& copy, const SGameObject& source)
{
    CopyCommonFields(copy, source);
    copy.timer = source.timer;
    if (source.stateCount > 0)
        std::memcpy(copy.state, source.state, sizeof(float) * source.stateCount);
}

void DestroyObject(SGameObject* object)
{
    delete[] object->state;
    delete object;
}
