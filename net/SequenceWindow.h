#ifndef FERROWIND_SEQUENCEWINDOW_H
#define FERROWIND_SEQUENCEWINDOW_H

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

// A run of missing record numbers: `first` and the `count` after it.
struct SSequenceRange {
    uint32_t first;
    uint32_t count;
    bool operator==(const SSequenceRange& o) const { return first == o.first && count == o.count; }
};

// What one peer's numbered game records have told this copy: which arrived
// and which are still missing, so that a record that comes twice is applied
// once and one that never came can be asked for again.
class CSequenceWindow {
public:
    enum EVerdict { FRESH, DUPLICATE };
    // Numbers further ahead than this are taken as a jump: what lies between
    // is given up rather than remembered.
    enum { SPAN = 8192 };

    // Follows a peer's records from after `lastSent`: those up to it were
    // sent before this copy was among its peers.
    CSequenceWindow(uint32_t incarnation, uint32_t lastSent);

    uint32_t Incarnation() const { return m_incarnation; }
    // Marks `sequence` as arrived; DUPLICATE when it had arrived before.
    EVerdict Take(uint32_t sequence);
    // The peer says it has used numbers up to `lastSent`: a record lost at
    // the end of a burst shows as missing too.
    void Heard(uint32_t lastSent);
    // The numbers still missing, oldest first, in at most `maxRanges` runs of
    // at most `maxCount` each.
    std::vector<SSequenceRange> Missing(size_t maxRanges, uint32_t maxCount) const;
    // The highest number known to have been sent.
    uint32_t Highest() const { return m_highest; }
    // Stops waiting for the numbers up to `upTo` that are still missing;
    // returns how many that were.
    uint32_t GiveUp(uint32_t upTo);

private:
    void Advance();

    uint32_t m_incarnation;
    uint32_t m_next;     // every number below it arrived or was given up
    uint32_t m_highest;  // the highest number known to have been sent
    std::deque<bool> m_arrived;  // from m_next on
};

#endif
