#ifndef FERROWIND_NETOVERLAY_H
#define FERROWIND_NETOVERLAY_H

// The network overlay's switch (key N), flipped by the input, read by the frame loop.
void ToggleNetOverlay();
bool NetOverlayShown();

#endif
