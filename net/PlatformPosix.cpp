// BSD sockets behind the network layer's platform API.
#include "net/Platform.h"
#include "net/SocketAddress.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

bool IsUsable(const ifaddrs* entry)
{
    return entry->ifa_addr && entry->ifa_addr->sa_family == AF_INET && (entry->ifa_flags & IFF_UP) &&
           !(entry->ifa_flags & IFF_LOOPBACK);
}

}  // namespace

bool NetStartup()
{
    return true;
}

NetSocket NetOpenUdp()
{
    int sock = socket(AF_INET, SOCK_DGRAM, 0);
    return sock < 0 ? NET_NO_SOCKET : (NetSocket)sock;
}

void NetClose(NetSocket sock)
{
    if (sock != NET_NO_SOCKET)
        close((int)sock);
}

bool NetEnableBroadcast(NetSocket sock)
{
    int on = 1;
    return setsockopt((int)sock, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) == 0;
}

bool NetSetReceiveBuffer(NetSocket sock, int bytes)
{
    return setsockopt((int)sock, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes) == 0;
}

bool NetSetReceiveTimeout(NetSocket sock, int milliseconds)
{
    timeval tv;
    tv.tv_sec = milliseconds / 1000;
    tv.tv_usec = (milliseconds % 1000) * 1000;
    return setsockopt((int)sock, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv) == 0;
}

bool NetBind(NetSocket sock, uint32_t address, int port)
{
    sockaddr_in sa = MakeAddress(address, port);
    return bind((int)sock, (const sockaddr*)&sa, sizeof sa) == 0;
}

bool NetSendTo(NetSocket sock, uint32_t address, int port, const void* bytes, size_t length)
{
    sockaddr_in sa = MakeAddress(address, port);
    return sendto((int)sock, bytes, length, 0, (const sockaddr*)&sa, sizeof sa) == (ssize_t)length;
}

long NetReceive(NetSocket sock, void* buffer, size_t capacity, uint32_t* source)
{
    sockaddr_in from{};
    socklen_t fromLength = sizeof from;
    ssize_t got = recvfrom((int)sock, buffer, capacity, 0, (sockaddr*)&from, &fromLength);
    if (got >= 0) {
        if (source)
            *source = from.sin_family == AF_INET ? from.sin_addr.s_addr : 0;
        return (long)got;
    }
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
        return NET_TIMEOUT;
    return NET_ERROR;
}

std::string NetChooseInterface()
{
    const char* named = std::getenv("FERROWIND_IFACE");
    if (named && *named)
        return named;
    if (if_nametoindex("eth0") != 0)
        return "eth0";
    ifaddrs* list = 0;
    if (getifaddrs(&list) != 0)
        return "";
    std::string chosen;
    for (ifaddrs* entry = list; entry && chosen.empty(); entry = entry->ifa_next)
        if (IsUsable(entry))
            chosen = entry->ifa_name;
    freeifaddrs(list);
    return chosen;
}

uint32_t NetInterfaceAddress(const std::string& name)
{
    if (name.empty() || name.size() >= IFNAMSIZ)
        return 0;
    int sock = socket(AF_INET, SOCK_DGRAM, 0);
    if (sock < 0)
        return 0;
    ifreq request;
    std::memset(&request, 0, sizeof request);
    request.ifr_addr.sa_family = AF_INET;
    std::memcpy(request.ifr_name, name.c_str(), name.size());
    int result = ioctl(sock, SIOCGIFADDR, &request);
    close(sock);
    if (result != 0)
        return 0;
    sockaddr_in address;
    std::memcpy(&address, &request.ifr_addr, sizeof address);
    return address.sin_addr.s_addr;
}
