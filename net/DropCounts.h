#ifndef FERROWIND_DROPCOUNTS_H
#define FERROWIND_DROPCOUNTS_H

#include <atomic>
#include <string>

// Why a received record was refused; each reason is counted on its own.
enum EDropReason {
    DROP_BAD_SIZE,        // not one whole record of either word size
    DROP_FORGED_SENDER,   // names a sender other than the datagram's source
    DROP_UNKNOWN_SENDER,  // a game record from an address not in the table
    DROP_NOT_OWNER,       // about a tank the sender does not own
    DROP_DUPLICATE,       // a numbered record that had arrived already
    DROP_STALE,           // from a run of the sender's that has ended
    DROP_UNKNOWN_TYPE,    // a type no peer sends
    DROP_MALFORMED,       // a name or computer tank record that makes no sense
    DROP_UNASKED_RELAY,   // a peer's record sent on by another copy that was not asked for it
    DROP_REASONS
};

class CDropCounts {
public:
    CDropCounts();
    void Count(EDropReason reason) { ++m_counts[reason]; }
    unsigned long Of(EDropReason reason) const { return m_counts[reason]; }
    unsigned long Total() const;
    // "records dropped: 2 bad size, 0 forged sender, ..."
    std::string Text() const;

private:
    std::atomic<unsigned long> m_counts[DROP_REASONS];
};

#endif
