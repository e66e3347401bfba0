#include "game/NetOverlay.h"

#include <atomic>

#include "net/WireConvert.h"

namespace {

std::atomic<bool> shown(false);

}  // namespace

void ToggleNetOverlay()
{
    shown = !shown;
}

bool NetOverlayShown()
{
    return shown;
}

std::string NetFiguresText(const std::vector<SPeerFigures>& peers, int lagSeconds)
{
    std::string text = "network figures (simulated lag " + std::to_string(lagSeconds) + " s):\n";
    for (const SPeerFigures& p : peers) {
        text += "  " + DottedAddress(p.address) + ": round trip " +
                (p.roundTripMs < 0 ? std::string("unknown") : std::to_string(p.roundTripMs) + " ms") + ", in " +
                std::to_string(p.inPerSecond) + "/s, out " + std::to_string(p.outPerSecond) + "/s, " +
                std::to_string(p.warps) + " warps in 10 s, longest warp " + std::to_string(p.longestWarpMs) +
                " ms\n";
    }
    return text;
}
