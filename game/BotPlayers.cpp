#include "game/BotPlayers.h"

#include "model/Log.h"
#include "model/Numbers.h"

namespace {

const int CAMOUFLAGE[] = {tex::CamoDesert, tex::CamoWinter, tex::Camo};

}  // namespace

void CBotPlayers::Enter(IGameInterface& game)
{
    if (Playing())
        return;
    std::vector<SGameObject*> objects = game.GetGameObjects();
    if ((int)objects.size() <= LOCAL_TANK || !objects[LOCAL_TANK]->state ||
        objects[LOCAL_TANK]->stateCount < TANK_STATE_COUNT)
        return;
    const SGameObject& local = *objects[LOCAL_TANK];
    LogOut("computer tanks: %d, %s, seed %u\n", m_settings.count, BotLevelName(m_settings.level), m_settings.seed);
    for (int i = 0; i < m_settings.count; ++i) {
        STankPrototype* tank = new STankPrototype(local);
        tank->texture0 = CAMOUFLAGE[i % 3];
        tank->state[TS_SPEED] = local.state[TS_SPEED];
        tank->state[TS_TURN_RATE] = local.state[TS_TURN_RATE];
        tank->active = 0;
        tank->frags = tank->deaths = 0;
        tank->timer = game.GetTime();
        int index = game.AddGameObject(tank);
        m_brains.emplace_back(index, m_settings.level, m_settings.seed * 7919u + 101u * (unsigned)i + 1u);
        LogOut("computer tank %s is object %d\n", NameOf(index).c_str(), index);
    }
}

bool CBotPlayers::Owns(int index) const
{
    for (const CBotBrain& brain : m_brains)
        if (brain.Tank() == index)
            return true;
    return false;
}

std::vector<int> CBotPlayers::Tanks() const
{
    std::vector<int> tanks;
    for (const CBotBrain& brain : m_brains)
        tanks.push_back(brain.Tank());
    return tanks;
}

std::string CBotPlayers::NameOf(int index) const
{
    for (size_t i = 0; i < m_brains.size(); ++i)
        if (m_brains[i].Tank() == index)
            return "BOT " + std::to_string(i + 1);
    return "";
}

void CBotPlayers::Enter(IGameInterface& game, SGameMsg msg, bool toPeers)
{
    game.Publish(msg, toPeers && m_shared);
}

// Turns and shots go to the peers as a player's do, throttle changes only
// into this copy's queue; of the movement step the move goes out, the
// throttle's decay each copy works out itself.
void CBotPlayers::Frame(IGameInterface& game, unsigned int dtMs, bool holding)
{
    if (!Playing())
        return;
    std::vector<SGameObject*> objects = game.GetGameObjects();
    unsigned long now = game.GetTime();
    for (CBotBrain& brain : m_brains) {
        int index = brain.Tank();
        if (index >= (int)objects.size())
            continue;
        SGameObject& tank = *objects[index];
        SBotActions act = holding ? SBotActions{0, false, 0, false, false} : brain.Think(objects, now, dtMs);
        if (act.throttle != 0)
            Enter(game, MakeMsg(GMSG_ACCELERATE, index, 1, &act.throttle, now), false);
        if (act.turn) {
            float angles[2] = {tank.angles.x, act.heading};
            Enter(game, MakeMsg(GMSG_CHANGE_ANGLES, index, 2, angles, now), true);
        }
        if (act.shoot) {
            float where[6] = {tank.pos.x, tank.pos.y, tank.pos.z, tank.angles.x, tank.angles.y, tank.angles.z};
            Enter(game, MakeMsg(GMSG_SHOOT, index, 6, where, now), true);
        }
        if (act.selfDestruct)
            Enter(game, MakeMsg(GMSG_DEATH, index, 0, 0, now), true);
        std::vector<SGameMsg> pair = tank.Action(dtMs, index);
        if (pair.empty())
            continue;
        pair[0].time = pair[1].time = game.GetTime();
        Enter(game, pair[0], true);
        Enter(game, pair[1], false);
    }
}
