#ifndef FERROWIND_NETFIGURES_H
#define FERROWIND_NETFIGURES_H

#include <deque>
#include <mutex>
#include <vector>

// What the network overlay shows of one peer.
struct SPeerFigures {
    unsigned long address;
    int roundTripMs;  // -1 until a probe was answered
    int inPerSecond;  // game messages in the last second
    int outPerSecond;
    int warps;  // time warps in the last 10 s that a message of this peer caused
    unsigned int longestWarpMs;  // the longest lag of a warp it caused, ever
};

// Counts kept for the overlay by the threads that see the traffic; read by
// the game thread. Times are milliseconds of any steady clock.
class CNetFigures {
public:
    enum { RATE_WINDOW_MS = 1000, WARP_WINDOW_MS = 10000 };

    void CountIn(unsigned long peer, unsigned int now);
    void CountOut(unsigned long peer, unsigned int now);
    void RoundTrip(unsigned long peer, unsigned int ms);
    void Warp(unsigned long peer, unsigned int lagMs, unsigned int now);
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

#endif
