#ifndef FERROWIND_PEERCALLS_H
#define FERROWIND_PEERCALLS_H

// The socket-layer operations the input reaches, which the game hands it;
// tests put recorders in their place. The input's messages go to the peers
// through the game (IGameInterface::Publish).
struct SPeerCalls {
    void (*addLag)() = [] {};
    void (*removeLag)() = [] {};
    void (*printConnections)() = [] {};
};

#endif
