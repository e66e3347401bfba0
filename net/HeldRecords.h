#ifndef FERROWIND_HELDRECORDS_H
#define FERROWIND_HELDRECORDS_H

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "net/WireFormat.h"

// Numbered records kept by their number, so that one can be sent again: the
// newest `capacity` numbers each have a slot, and a number whose slot was
// taken by a later one is no longer found. Not locked: its owner locks.
class CHeldRecords {
public:
    explicit CHeldRecords(size_t capacity);

    void Keep(uint32_t sequence, const SSocketMSG& rec);
    // The record kept as `sequence`; false when none is (0 never is).
    bool Find(uint32_t sequence, SSocketMSG& rec) const;

private:
    std::vector<std::pair<uint32_t, SSocketMSG>> m_slots;
};

#endif
