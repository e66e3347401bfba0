#include "net/NetFigures.h"

#include <algorithm>
#include <chrono>

#include "net/WireConvert.h"

namespace {

const size_t MAX_PEERS = 64;

// Forgets the times older than the window.
void Prune(std::deque<unsigned int>& times, unsigned int now, unsigned int window)
{
    while (!times.empty() && now - times.front() >= window)
        times.pop_front();
}

}  // namespace

CNetFigures::SPeer& CNetFigures::Find(unsigned long peer)
{
    for (SPeer& p : m_peers)
        if (p.shown.address == peer)
            return p;
    // Forged senders cannot grow it without bound: the oldest goes.
    if (m_peers.size() >= MAX_PEERS)
        m_peers.erase(m_peers.begin());
    SPeer fresh;
    fresh.shown = SPeerFigures{peer, -1, 0, 0, 0, 0, 0};
    m_peers.push_back(fresh);
    return m_peers.back();
}

void CNetFigures::CountIn(unsigned long peer, unsigned int now)
{
    std::lock_guard<std::mutex> hold(m_lock);
    SPeer& p = Find(peer);
    p.in.push_back(now);
    Prune(p.in, now, RATE_WINDOW_MS);
}

void CNetFigures::CountOut(unsigned long peer, unsigned int now)
{
    std::lock_guard<std::mutex> hold(m_lock);
    SPeer& p = Find(peer);
    p.out.push_back(now);
    Prune(p.out, now, RATE_WINDOW_MS);
}

void CNetFigures::RoundTrip(unsigned long peer, unsigned int ms)
{
    std::lock_guard<std::mutex> hold(m_lock);
    Find(peer).shown.roundTripMs = (int)ms;
}

void CNetFigures::Warp(unsigned long peer, unsigned int lagMs, unsigned int now)
{
    std::lock_guard<std::mutex> hold(m_lock);
    SPeer& p = Find(peer);
    p.warps.push_back(now);
    Prune(p.warps, now, WARP_WINDOW_MS);
    if (lagMs > p.shown.longestWarpMs)
        p.shown.longestWarpMs = lagMs;
}

void CNetFigures::Disagreement(unsigned long peer)
{
    std::lock_guard<std::mutex> hold(m_lock);
    ++Find(peer).shown.disagreements;
}

void CNetFigures::Forget(unsigned long peer)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_peers.erase(std::remove_if(m_peers.begin(), m_peers.end(),
                                 [peer](const SPeer& p) { return p.shown.address == peer; }),
                  m_peers.end());
}

std::vector<SPeerFigures> CNetFigures::Figures(unsigned int now)
{
    std::lock_guard<std::mutex> hold(m_lock);
    std::vector<SPeerFigures> figures;
    for (SPeer& p : m_peers) {
        Prune(p.in, now, RATE_WINDOW_MS);
        Prune(p.out, now, RATE_WINDOW_MS);
        Prune(p.warps, now, WARP_WINDOW_MS);
        SPeerFigures f = p.shown;
        f.inPerSecond = (int)p.in.size();
        f.outPerSecond = (int)p.out.size();
        f.warps = (int)p.warps.size();
        figures.push_back(f);
    }
    return figures;
}

CNetFigures& NetFigures()
{
    static CNetFigures figures;
    return figures;
}

unsigned int NetFiguresClock()
{
    using namespace std::chrono;
    return (unsigned int)duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string NetFiguresText(const std::vector<SPeerFigures>& peers, int lagSeconds)
{
    std::string text = "network figures (simulated lag " + std::to_string(lagSeconds) + " s):\n";
    for (const SPeerFigures& p : peers) {
        text += "  " + DottedAddress(p.address) + ": round trip " +
                (p.roundTripMs < 0 ? std::string("unknown") : std::to_string(p.roundTripMs) + " ms") + ", in " +
                std::to_string(p.inPerSecond) + "/s, out " + std::to_string(p.outPerSecond) + "/s, " +
                std::to_string(p.warps) + " warps in 10 s, longest warp " + std::to_string(p.longestWarpMs) +
                " ms, " + std::to_string(p.disagreements) + " disagreements\n";
    }
    return text;
}
