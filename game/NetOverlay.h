#ifndef FERROWIND_NETOVERLAY_H
#define FERROWIND_NETOVERLAY_H

#include <string>
#include <vector>

#include "game/PeerFigures.h"

// The network overlay's switch (key N), flipped by the input, read by the frame loop.
void ToggleNetOverlay();
bool NetOverlayShown();

// The figures in words, one line per peer, for standard output: the overlay
// itself has digits only.
std::string NetFiguresText(const std::vector<SPeerFigures>& peers, int lagSeconds);

#endif
