#ifndef FERROWIND_SOCKETLAYER_H
#define FERROWIND_SOCKETLAYER_H

#include <vector>

#include "model/Interfaces.h"
#include "net/ConnectionTable.h"
#include "net/ReceiveQueue.h"

// The socket layer's shared state, for the parts of the layer kept in files
// of their own (the lag thread).
CConnectionTable& SocketConnections();
CReceiveQueue& SocketReceiveQueue();
IGameInterface* SocketGame();

// Hands received records to the game in arrival order, each converted with
// the given connection table and keeping its sender's time (32 bits). With
// `trace` (the environment variable FERROWIND_NET_TRACE, for tests) it prints
// one "net trace: " line per message.
void DeliverRecords(const std::vector<SSocketMSG>& records, const std::vector<ZOConnectionID>& table,
                    IGameInterface& game, bool trace = false);

#endif
