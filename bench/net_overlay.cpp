// What the network overlay costs the game thread, side by side for a few and
// for many peers: one renewal of its figures and digit glyphs (done four times
// a second while it is shown), and the count kept per message sent or received
// (always). The glyphs are drawn by the heads-up display's own image path.
#include <chrono>
#include <cstdio>

#include "net/NetFigures.h"
#include "render/NetOverlayLayout.h"

namespace {

typedef std::chrono::steady_clock Clock;

struct SCost {
    double renewalUs;
    double countNs;
    size_t glyphs;
};

SCost Measure(int peers)
{
    CNetFigures figures;
    const int messages = 200000;
    auto start = Clock::now();
    // A full second of traffic: 60 messages a second each way per peer.
    for (int k = 0; k < messages; ++k) {
        unsigned int now = (unsigned int)(k * 1000 / (60 * peers));
        unsigned long peer = 0x0a00000aul + ((unsigned long)(k % peers) << 24);
        figures.CountIn(peer, now);
        figures.CountOut(peer, now);
        if (k % 500 == 0)
            figures.Warp(peer, 1200, now);
    }
    double countNs = std::chrono::duration<double, std::nano>(Clock::now() - start).count() / (2.0 * messages);
    unsigned int end = (unsigned int)((messages - 1) * 1000 / (60 * peers));

    const int renewals = 20000;
    size_t glyphs = 0;
    start = Clock::now();
    for (int r = 0; r < renewals; ++r)
        glyphs = NetOverlayImages(figures.Figures(end), 2).size();
    double renewalUs = std::chrono::duration<double, std::micro>(Clock::now() - start).count() / renewals;
    return SCost{renewalUs, countNs, glyphs};
}

}  // namespace

int main()
{
    SCost few = Measure(3), many = Measure(16);
    std::printf("                                 3 peers    16 peers\n");
    std::printf("one renewal (figures + glyphs): %7.2f us  %7.2f us\n", few.renewalUs, many.renewalUs);
    std::printf("glyphs handed to the renderer:  %7zu     %7zu\n", few.glyphs, many.glyphs);
    std::printf("count per message in or out:    %7.1f ns  %7.1f ns\n", few.countNs, many.countNs);
    std::printf("renewed every 250 ms: %.3f ms a second of play with 16 peers\n", many.renewalUs * 4 / 1000);
    return 0;
}
