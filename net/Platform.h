#ifndef FERROWIND_PLATFORM_H
#define FERROWIND_PLATFORM_H

#include <cstddef>
#include <cstdint>
#include <string>

// The few socket calls the network layer makes, kept behind one small API so
// that a Winsock build swaps this file's implementation and nothing else.
// Addresses are IPv4 in network byte order; ports in host order.

typedef intptr_t NetSocket;
const NetSocket NET_NO_SOCKET = -1;

// The limited broadcast address; the same in either byte order.
const uint32_t NET_BROADCAST = 0xffffffffu;

enum { NET_TIMEOUT = -2, NET_ERROR = -1 };

bool NetStartup();
NetSocket NetOpenUdp();
void NetClose(NetSocket sock);
bool NetEnableBroadcast(NetSocket sock);
bool NetSetReceiveBuffer(NetSocket sock, int bytes);
bool NetSetReceiveTimeout(NetSocket sock, int milliseconds);
bool NetBind(NetSocket sock, uint32_t address, int port);
bool NetSendTo(NetSocket sock, uint32_t address, int port, const void* bytes, size_t length);
// The length of one received datagram (cut to `capacity`), NET_TIMEOUT when
// the receive timeout passed first, or NET_ERROR. With `source` given, the
// sender's IPv4 address is stored there.
long NetReceive(NetSocket sock, void* buffer, size_t capacity, uint32_t* source = 0);

// The name by which this peer's address is found. BSD sockets: the interface
// named by the environment variable FERROWIND_IFACE, else "eth0" when it
// exists, else the first interface that is up, not loopback, and has an IPv4
// address. Winsock: the machine's host name. Empty if there is none.
std::string NetChooseInterface();
// The IPv4 address found by that name (the interface's address, or the first
// address a host-name lookup gives), or 0.
uint32_t NetInterfaceAddress(const std::string& name);

#endif
