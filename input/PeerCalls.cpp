#include "input/PeerCalls.h"

#include "net/ZoSockets.h"

SPeerCalls SocketLayerCalls()
{
    SPeerCalls calls = {ZOSocketSend, add_lag, remove_lag, PrintConnections};
    return calls;
}
