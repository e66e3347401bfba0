#ifndef FERROWIND_PEERCALLS_H
#define FERROWIND_PEERCALLS_H

#include "model/GameMsg.h"

// The socket-layer operations the input reaches, which the game hands it;
// tests put recorders in their place. Until then the input reaches no peer.
struct SPeerCalls {
    int (*send)(SGameMsg* msg) = [](SGameMsg*) { return 0; };
    void (*addLag)() = [] {};
    void (*removeLag)() = [] {};
    void (*printConnections)() = [] {};
};

#endif
