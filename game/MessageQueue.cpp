// The game's queue calls, under the game's mutex, and what the queue needs of
// the game: the rules, the clock, the sound, the state check and the warp's
// log line and figures.
#include "game/Ferrowind.h"
#include "model/StateDigest.h"
#include "net/NetFigures.h"

void CFerrowind::WireQueue()
{
    SQueueOps ops;
    ops.apply = [this](SGameMsg msg) { ActOnMessage(std::move(msg)); };
    ops.now = [this] { return GetTime(); };
    ops.effectsOn = [this](bool on) { Sound().SetEffectsOn(on); };
    ops.comparedTime = [this](unsigned int time) { m_stateCheck.Own(time, StateHash(m_objects, TankNames(), time)); };
    m_queue.SetOps(ops);
    m_queue.AddWarpListener([](const SWarp& warp) {
        if (!output)
            return;
        std::fprintf(output, "Warping %d seconds, caused by a %d ms lag and msgtype %s, at time %d \n ", warp.seconds,
                     (int)warp.lagMs, getMsgString(warp.type), (int)warp.now);
        std::fflush(output);
    });
    m_queue.AddWarpListener([](const SWarp& warp) { NetFigures().Warp(warp.sender, warp.lagMs, NetFiguresClock()); });
    m_queue.AddWarpListener([this](const SWarp& warp) {
        unsigned int back = warp.now - warp.lagMs;
        if (!m_warpedSince || (int)(back - m_warpedBackTo) < 0)
            m_warpedBackTo = back;
        m_warpedSince = true;
    });
}

void CFerrowind::AddMsg(SGameMsg msg)
{
    AddMsg(std::move(msg), true);
}

void CFerrowind::AddMsg(SGameMsg msg, bool lock)
{
    if (!lock) {
        m_queue.Add(std::move(msg));
        return;
    }
    CHold hold(*this);
    m_queue.Add(std::move(msg));
}

// Made inside a pass, which holds the mutex already.
void CFerrowind::AddConsequence(SGameMsg msg)
{
    m_queue.AddConsequence(std::move(msg));
}

void CFerrowind::ActOnMessages()
{
    CHold hold(*this);
    m_queue.Pass();
}
