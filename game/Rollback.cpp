#include "game/Rollback.h"

#include <cstddef>

namespace {

// Warp times older than this are forgotten; the overlay shows the last 10 s.
const unsigned int WARP_MEMORY_MS = 10000;

bool Before(unsigned int a, unsigned int b)
{
    return (int)(a - b) < 0;
}

}  // namespace

void CRollback::Save(const std::vector<SGameObject*>& objects, unsigned int applied)
{
    // A pass that applied nothing newer has nothing to add.
    if (!Before(m_states.lastTime, applied))
        return;
    m_states.SaveState(objects, applied);
}

bool CRollback::Load(std::vector<SGameObject*>& objects, unsigned int lateTime, unsigned int& snapshotTime,
                     std::vector<SGameObject*>& dropped)
{
    int slot = -1;
    for (int back = 0; back < SSavedStates::SLOTS; ++back) {
        int candidate = m_states.SlotBack(back);
        if (m_states.filled[candidate] && Before(m_states.times[candidate], lateTime)) {
            slot = candidate;
            break;
        }
    }
    if (slot < 0)
        return false;

    std::vector<SGameObject*> snapshot;
    m_states.Restore(snapshot, slot);
    std::size_t restored = snapshot.size();
    for (std::size_t k = restored; k < objects.size(); ++k)
        snapshot.push_back(objects[k]);
    for (std::size_t k = 0; k < restored && k < objects.size(); ++k)
        dropped.push_back(objects[k]);
    objects.swap(snapshot);

    while (m_states.pos != slot) {
        m_states.filled[m_states.pos] = false;
        m_states.pos = m_states.SlotBack(1);
    }
    snapshotTime = m_states.times[slot];
    m_states.lastTime = snapshotTime;
    return true;
}

void CRollback::Send(SGameMsg& msg)
{
    if (!m_replaying && m_send)
        m_send(&msg);
}

void CRollback::CountWarp(unsigned int now, unsigned int lagMs)
{
    m_warpTimes.push_back(now);
    while (!m_warpTimes.empty() && Before(m_warpTimes.front() + WARP_MEMORY_MS, now))
        m_warpTimes.pop_front();
    if (lagMs > m_longestWarpMs)
        m_longestWarpMs = lagMs;
}

int CRollback::WarpsSince(unsigned int since) const
{
    int count = 0;
    for (unsigned int t : m_warpTimes)
        if (!Before(t, since))
            ++count;
    return count;
}
