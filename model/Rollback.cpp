#include "model/Rollback.h"

#include <cstddef>

namespace {

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

void CRollback::Added(const SGameObject& object, size_t index)
{
    for (int slot = 0; slot < SSavedStates::SLOTS; ++slot) {
        std::vector<SGameObject*>& saved = m_states.states[slot];
        if (m_states.filled[slot] && saved.size() == index)
            saved.push_back(DeepCopyObject(object));
    }
}
