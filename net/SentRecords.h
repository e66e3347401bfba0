#ifndef FERROWIND_SENTRECORDS_H
#define FERROWIND_SENTRECORDS_H

#include <cstdint>
#include <mutex>

#include "net/HeldRecords.h"
#include "net/WireFormat.h"

// The game records this copy sent lately, by number, so that a peer that
// missed one can be sent it again.
class CSentRecords {
public:
    // About a minute of play at full pace: older than that, a record would
    // come too late for any time warp anyway.
    enum { KEPT = 4096 };

    explicit CSentRecords(uint32_t incarnation);

    // Numbers `rec` with the next number, keeps a copy, and returns the number.
    uint32_t Number(SSocketMSG& rec);
    // Stamps a record that is not numbered with this copy's incarnation and
    // newest number.
    void Stamp(SSocketMSG& rec) const;
    // The kept record numbered `sequence`; false when it is no longer kept.
    bool Find(uint32_t sequence, SSocketMSG& rec) const;
    uint32_t LastSent() const;

private:
    const uint32_t m_incarnation;
    mutable std::mutex m_lock;
    uint32_t m_last;
    CHeldRecords m_kept;
};

#endif
