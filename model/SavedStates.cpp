#include "SavedStates.h"

#include <cassert>

SSavedStates::SSavedStates() : lastTime(0), pos(0)
{
    for (int i = 0; i < SLOTS; ++i) {
        times[i] = 0;
        filled[i] = false;
    }
}

void SSavedStates::SaveState(const std::vector<SGameObject*>& objects, unsigned int time)
{
    if (time - lastTime <= 999)
        return;
    // A warp searches the ring from the newest snapshot back for the first
    // one before the late message: the times must fall that way.
    assert(!filled[pos] || (int)(time - times[pos]) > 0);
    Store(objects, time);
    lastTime = time;
}

void SSavedStates::SaveStart(const std::vector<SGameObject*>& objects)
{
    // Called every pass: the newest slot tells an empty ring at once.
    if (!filled[pos])
        Store(objects, 0);
}

void SSavedStates::Store(const std::vector<SGameObject*>& objects, unsigned int time)
{
    pos = (pos + 1) % SLOTS;
    // The objects of the snapshot overwritten take the new values in place
    // where they can: a warp's replay takes a snapshot every second.
    std::vector<SGameObject*>& slot = states[pos];
    for (size_t k = objects.size(); k < slot.size(); ++k)
        DestroyObject(slot[k]);
    slot.resize(objects.size(), nullptr);
    for (size_t k = 0; k < objects.size(); ++k) {
        if (slot[k] && TakesCopyOf(*slot[k], *objects[k])) {
            CopyObjectInto(*slot[k], *objects[k]);
            continue;
        }
        if (slot[k])
            DestroyObject(slot[k]);
        slot[k] = DeepCopyObject(*objects[k]);
    }
    times[pos] = time;
    filled[pos] = true;
}

int SSavedStates::SlotBack(int seconds) const
{
    int slot = (pos - seconds) % SLOTS;
    if (slot < 0)
        slot += SLOTS;
    return slot;
}

void SSavedStates::Restore(std::vector<SGameObject*>& objects, int slot)
{
    objects.clear();
    for (SGameObject* o : states[slot])
        objects.push_back(DeepCopyObject(*o));
}

void SSavedStates::GetState(std::vector<SGameObject*>& objects, int seconds)
{
    Restore(objects, SlotBack(seconds));
}

int SSavedStates::OldestSlot() const
{
    for (int back = SLOTS - 1; back >= 0; --back) {
        int slot = SlotBack(back);
        if (filled[slot])
            return slot;
    }
    return -1;
}
