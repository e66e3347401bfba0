#ifndef FERROWIND_SAVEDSTATES_H
#define FERROWIND_SAVEDSTATES_H

#include <vector>

#include "GameObject.h"

// Ring of ten deep snapshots of the object list, taken at least a second apart,
// from which a time warp restarts.
struct SSavedStates {
    enum { SLOTS = 10 };

    std::vector<SGameObject*> states[SLOTS];
    unsigned int times[SLOTS];
    unsigned int lastTime;
    int pos;
    bool filled[SLOTS];

    SSavedStates();

    void SaveState(const std::vector<SGameObject*>& objects, unsigned int time);
    // The objects before the first message is applied, dated 0: nothing
    // changed them earlier, so they stand for every earlier time, and a
    // late message older than the first one applied still has a snapshot
    // to warp to. Only into an empty ring.
    void SaveStart(const std::vector<SGameObject*>& objects);
    // Replaces `objects` with deep copies of the snapshot `seconds` slots back.
    void GetState(std::vector<SGameObject*>& objects, int seconds);

    // Slot `seconds` back from the newest snapshot, wrapping around the ring.
    int SlotBack(int seconds) const;
    // The slot of the oldest snapshot held; -1 when the ring is empty.
    int OldestSlot() const;
    void Restore(std::vector<SGameObject*>& objects, int slot);

private:
    void Store(const std::vector<SGameObject*>& objects, unsigned int time);
};

#endif
