#ifndef FERROWIND_PEERCALLS_H
#define FERROWIND_PEERCALLS_H

#include "game/GameMsg.h"

// The socket-layer operations the input reaches; tests put recorders in their place.
struct SPeerCalls {
    int (*send)(SGameMsg* msg);
    void (*addLag)();
    void (*removeLag)();
    void (*printConnections)();
};

// The socket layer's own operations.
SPeerCalls SocketLayerCalls();

#endif
