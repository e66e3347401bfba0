#ifndef FERROWIND_PEERFIGURES_H
#define FERROWIND_PEERFIGURES_H

// What the network overlay shows of one peer: counted by the network layer,
// laid out by the renderer.
struct SPeerFigures {
    unsigned long address;
    int roundTripMs;  // -1 until a probe was answered
    int inPerSecond;  // game messages in the last second
    int outPerSecond;
    int warps;  // time warps in the last 10 s that a message of this peer caused
    unsigned int longestWarpMs;  // the longest lag of a warp it caused, ever
    unsigned int disagreements;  // times its battlefield differed from this copy's
};

#endif
