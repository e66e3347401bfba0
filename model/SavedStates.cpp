#include "SavedStates.h"

#include <cassert>

SSavedStates::SSavedStates() : lastTime(0), pos(0)
{
    for (int i = 0; i < SLOTS; ++i) {
        times[i] = 0;
        filled[i] = false;
    }
}

void SSavedStates::SaveState(std::vector<SGameObject*> objects, unsigned int time)
{
    if (time - lastTime <= 999)
        return;
    // A warp searches the ring from the newest snapshot back for the first
    // one before the late message: the times must fall that way.
    assert(!filled[pos] || (int)(time - times[pos]) > 0);
    pos = (pos + 1) % SLOTS;
    for (SGameObject* o : states[pos])
        DestroyObject(o);
    states[pos].clear();
    for (SGameObject* o : objects)
        states[pos].push_back(DeepCopyObject(*o));
    times[pos] = time;
    filled[pos] = true;
    lastTime = time;
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
