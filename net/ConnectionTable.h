#ifndef FERROWIND_CONNECTIONTABLE_H
#define FERROWIND_CONNECTIONTABLE_H

#include <mutex>
#include <vector>

#include "net/ZoSockets.h"

// The connection table: which local object is each peer's tank. A peer that
// leaves (or falls silent) leaves the table, so that departed peers never
// fill it; its entry is remembered and comes back with it, with its tank. Every thread reads it through copies, and its lock is never
// held while another lock is taken, so it cannot join a lock cycle with the
// receive queue or the game.
class CConnectionTable {
public:
    // Bounds what strangers on the network can make this peer allocate.
    enum { MAX_ENTRIES = 64, MAX_DEPARTED = 64 };

    // Adds the local entry if the table is still empty; true if it did.
    bool AddLocalOnce(unsigned long address, int objectIndex);
    // Appends an entry; false when the table is full.
    bool Append(unsigned long address, int objectIndex);
    bool IsFull() const;
    // The local index of the tank of the peer at `address`; -1 if none.
    int ObjectOf(unsigned long address) const;
    std::vector<ZOConnectionID> Snapshot() const;

    // Moves the peer's entry to the departed ones; its tank's index, or -1
    // when it had no entry.
    int Depart(unsigned long address);
    // The peer whose tank is at `objectIndex`, in the table or departed (its
    // tank may still be in play, or in a replayed past); 0 if none.
    unsigned long AddressOf(int objectIndex) const;
    // The departed peer's tank's index, or -1 if the address is not among them.
    int DepartedObject(unsigned long address) const;
    // Moves a departed peer's entry back; false when the table is full or the
    // address had not departed.
    bool Return(unsigned long address);
    std::vector<ZOConnectionID> Departed() const;
    // The entries, then the departed ones: whose tanks records can still be about.
    std::vector<ZOConnectionID> Known() const;

private:
    mutable std::mutex m_lock;
    std::vector<ZOConnectionID> m_entries;
    std::vector<ZOConnectionID> m_departed;  // oldest first
};

#endif
