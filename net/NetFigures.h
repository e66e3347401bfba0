#ifndef FERROWIND_NETFIGURES_H
#define FERROWIND_NETFIGURES_H

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "model/PeerFigures.h"

// Counts kept for the overlay by the threads that see the traffic; read by
// the game thread. Times are milliseconds of any steady clock.
class CNetFigures {
public:
    enum { RATE_WINDOW_MS = 1000, WARP_WINDOW_MS = 10000 };

    void CountIn(unsigned long peer, unsigned int now);
    void CountOut(unsigned long peer, unsigned int now);
    void RoundTrip(unsigned long peer, unsigned int ms);
    void Warp(unsigned long peer, unsigned int lagMs, unsigned int now);
    void Disagreement(unsigned long peer);
    // A departed peer's row goes with it.
    void Forget(unsigned long peer);
    // Every peer seen so far, in the order first seen.
    std::vector<SPeerFigures> Figures(unsigned int now);

private:
    struct SPeer {
        SPeerFigures shown;
        std::deque<unsigned int> in, out, warps;
    };
    SPeer& Find(unsigned long peer);

    std::mutex m_lock;
    std::vector<SPeer> m_peers;
};

// The program's one set of figures, and the clock it is kept by.
CNetFigures& NetFigures();
unsigned int NetFiguresClock();

// The figures in words, one line per peer, for standard output: the overlay
// itself has digits only.
std::string NetFiguresText(const std::vector<SPeerFigures>& peers, int lagSeconds);

#endif
