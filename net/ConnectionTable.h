#ifndef FERROWIND_CONNECTIONTABLE_H
#define FERROWIND_CONNECTIONTABLE_H

#include <mutex>
#include <vector>

#include "net/ZoSockets.h"

// The connection table: which local object is each peer's tank. Entries are
// only appended. Every thread reads it through copies, and its lock is never
// held while another lock is taken, so it cannot join a lock cycle with the
// receive queue or the game.
class CConnectionTable {
public:
    // Bounds what strangers on the network can make this peer allocate.
    enum { MAX_ENTRIES = 64 };

    // Adds the local entry if the table is still empty; true if it did.
    bool AddLocalOnce(unsigned long address, int objectIndex);
    // Appends an entry; false when the table is full.
    bool Append(unsigned long address, int objectIndex);
    bool IsFull() const;
    // The local index of the tank of the peer at `address`; -1 if none.
    int ObjectOf(unsigned long address) const;
    std::vector<ZOConnectionID> Snapshot() const;

private:
    mutable std::mutex m_lock;
    std::vector<ZOConnectionID> m_entries;
};

#endif
