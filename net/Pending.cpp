// PLACEHOLDER (work in progress): the socket layer is being written; this file
// goes away when it lands.
#include "net/ZoSockets.h"

void setip(unsigned long) {}
unsigned long getip() { return 0; }
unsigned long myIpAddr() { return 0; }
void ZOSocketInit() {}
int ZOSocketOpen() { return 1; }
int ZOSocketClose() { return 0; }
SSocketMSG ZOSocketCompileMSG(SGameMsg*) { return SSocketMSG(); }
SGameMsg ZOSocketCompileMSG(SSocketMSG*) { return SGameMsg(); }
int ZOSocketSend(SSocketMSG*) { return 1; }
int ZOSocketSend(SGameMsg*) { return 1; }
void ZOSocketConnect(unsigned long) {}
int ZOSocketListen(void*) { return 0; }
void AddMsg(SSocketMSG*) {}
void PrintConnections() {}
int Lag(void*) { return 0; }
void add_lag() {}
void remove_lag() {}
