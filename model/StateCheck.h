#ifndef FERROWIND_STATECHECK_H
#define FERROWIND_STATECHECK_H

#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

// Copies compare their battlefields at fixed game times once those are old
// enough that no late message still changes them: each hashes its own state
// as its queue passes such a time (again after a time warp), sends the hash
// when it is final, and compares the hashes of its peers with its own.
class CStateCheck {
public:
    // Game times compared: every PERIOD_MS; final FINAL_AFTER_MS after
    // (beyond the reach of any time warp).
    enum { PERIOD_MS = 5000, FINAL_AFTER_MS = 12000, KEPT = 16 };

    struct SHash {
        unsigned int time;
        uint64_t hash;
    };

    // The time this copy's state at which is due next, after a queue that
    // has applied everything up to `applied`: 0 when no such time is passed
    // by a message at `next`.
    static unsigned int Passed(unsigned int applied, unsigned int next);

    // This copy's state at `time` (the last word: a replay hashes again).
    void Own(unsigned int time, uint64_t hash);
    // Own hashes before `time` are not sent: the clock or the battlefield
    // was not yet the peers' (this copy had just joined).
    void SendFrom(unsigned int time);
    // The own hashes that became final by game time `now` and were not sent yet.
    std::vector<SHash> TakeDue(unsigned int now);
    // A peer's final hash; true (and counted, and said in one line) when it
    // differs from this copy's own for that time.
    bool Peer(unsigned long peer, const SHash& theirs);
    unsigned long Disagreements() const;

private:
    mutable std::mutex m_lock;
    std::map<unsigned int, uint64_t> m_own;
    unsigned int m_sentUpTo = 0;
    unsigned int m_sendFrom = 0;
    unsigned long m_disagreements = 0;
};

#endif
