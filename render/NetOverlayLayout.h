#ifndef FERROWIND_NETOVERLAYLAYOUT_H
#define FERROWIND_NETOVERLAYLAYOUT_H

#include <vector>

#include "model/PeerFigures.h"
#include "render/HudLayout.h"

// The network overlay as digit glyphs, one row per peer from the top left
// down: the address's four numbers, round trip (ms, blank while unknown),
// messages per second in and out, warps in the last 10 s, the longest warp
// (ms), the simulated lag (s) and how often its battlefield differed from
// this copy's.
std::vector<SImageRect> NetOverlayImages(const std::vector<SPeerFigures>& peers, int lagSeconds);

#endif
