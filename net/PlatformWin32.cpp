// Winsock 2 behind the network layer's platform API. On Windows a peer's
// address is found by looking up the machine's own host name, so the
// "interface" of this API is that name.
#include "net/Platform.h"
#include "net/SocketAddress.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstring>

namespace {

// Enough for any host name Winsock gives back.
const int HOST_NAME_BUFFER = 299;

SOCKET Native(NetSocket sock)
{
    return (SOCKET)sock;
}

}  // namespace

bool NetStartup()
{
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

NetSocket NetOpenUdp()
{
    SOCKET sock = socket(AF_INET, SOCK_DGRAM, 0);
    return sock == INVALID_SOCKET ? NET_NO_SOCKET : (NetSocket)sock;
}

void NetClose(NetSocket sock)
{
    if (sock != NET_NO_SOCKET)
        closesocket(Native(sock));
}

bool NetEnableBroadcast(NetSocket sock)
{
    BOOL on = TRUE;
    return setsockopt(Native(sock), SOL_SOCKET, SO_BROADCAST, (const char*)&on, sizeof on) == 0;
}

bool NetSetReceiveBuffer(NetSocket sock, int bytes)
{
    return setsockopt(Native(sock), SOL_SOCKET, SO_RCVBUF, (const char*)&bytes, sizeof bytes) == 0;
}

bool NetSetReceiveTimeout(NetSocket sock, int milliseconds)
{
    DWORD timeout = (DWORD)milliseconds;
    return setsockopt(Native(sock), SOL_SOCKET, SO_RCVTIMEO, (const char*)&timeout, sizeof timeout) == 0;
}

bool NetBind(NetSocket sock, uint32_t address, int port)
{
    sockaddr_in sa = MakeAddress(address, port);
    return bind(Native(sock), (const sockaddr*)&sa, sizeof sa) == 0;
}

bool NetSendTo(NetSocket sock, uint32_t address, int port, const void* bytes, size_t length)
{
    sockaddr_in sa = MakeAddress(address, port);
    return sendto(Native(sock), (const char*)bytes, (int)length, 0, (const sockaddr*)&sa, sizeof sa) ==
           (int)length;
}

long NetReceive(NetSocket sock, void* buffer, size_t capacity, uint32_t* source)
{
    sockaddr_in from{};
    int fromLength = sizeof from;
    int got = recvfrom(Native(sock), (char*)buffer, (int)capacity, 0, (sockaddr*)&from, &fromLength);
    if (source)
        *source = from.sin_family == AF_INET ? from.sin_addr.s_addr : 0;
    if (got != SOCKET_ERROR)
        return got;
    switch (WSAGetLastError()) {
    case WSAEMSGSIZE:
        // Winsock fills the buffer and reports the rest as lost.
        return (long)capacity;
    case WSAETIMEDOUT:
    case WSAEINTR:
    case WSAECONNRESET:  // an earlier send met no listener; nothing to do here
        return NET_TIMEOUT;
    default:
        return NET_ERROR;
    }
}

std::string NetChooseInterface()
{
    char name[HOST_NAME_BUFFER];
    if (gethostname(name, sizeof name) != 0)
        return "";
    name[sizeof name - 1] = 0;
    return name;
}

uint32_t NetInterfaceAddress(const std::string& name)
{
    if (name.empty())
        return 0;
    addrinfo hints;
    std::memset(&hints, 0, sizeof hints);
    hints.ai_family = AF_INET;
    addrinfo* found = 0;
    if (getaddrinfo(name.c_str(), 0, &hints, &found) != 0 || !found)
        return 0;
    sockaddr_in first;
    std::memcpy(&first, found->ai_addr, sizeof first);
    freeaddrinfo(found);
    return first.sin_addr.s_addr;
}
