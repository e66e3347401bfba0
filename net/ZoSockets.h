#ifndef FERROWIND_ZOSOCKETS_H
#define FERROWIND_ZOSOCKETS_H

#include "model/GameMsg.h"
#include "net/WireFormat.h"

// One entry of the connection table: a peer's address and the local index of its tank.
struct ZOConnectionID {
    unsigned long address;
    int objectIndex;
    ZOConnectionID(unsigned long address_, int objectIndex_) : address(address_), objectIndex(objectIndex_) {}
};

void setip(unsigned long address);
unsigned long getip();
unsigned long myIpAddr();

void ZOSocketInit();
// 1 when the socket is open and may broadcast, else 0.
int ZOSocketOpen();
int ZOSocketClose();

SSocketMSG ZOSocketCompileMSG(SGameMsg* msg);
SGameMsg ZOSocketCompileMSG(SSocketMSG* rec);
// 1 when the record went out (to every peer in the table), else 0.
int ZOSocketSend(SSocketMSG* rec);
int ZOSocketSend(SGameMsg* msg);

// Sends a game record of this copy's, numbered, to every peer in the table.
void ZOSocketSendNumbered(const SSocketMSG& rec);
void ZOSocketConnect(unsigned long address);
// After a time warp back to game time `since` (CPeerProtocol::RestateToNewcomers).
void ZOSocketRestateToNewcomers(unsigned int since);
int ZOSocketListen(void* game);
void AddMsg(SSocketMSG* rec);
void PrintConnections();
class CStateCheck;
// Where the listeners send this copy's battlefield hashes from and compare
// the peers' with.
void ZOSocketSetStateCheck(CStateCheck* check);

int Lag(void* game);
void add_lag();
void remove_lag();
int get_lag();

#endif
