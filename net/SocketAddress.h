#ifndef FERROWIND_SOCKETADDRESS_H
#define FERROWIND_SOCKETADDRESS_H

// The IPv4 socket address both platforms' socket calls take.
#ifdef _WIN32
#include <winsock2.h>
#else
#include <netinet/in.h>
#endif

#include <cstdint>
#include <cstring>

inline sockaddr_in MakeAddress(uint32_t address, int port)
{
    sockaddr_in sa;
    std::memset(&sa, 0, sizeof sa);
    sa.sin_family = AF_INET;
    sa.sin_port = htons((uint16_t)port);
    sa.sin_addr.s_addr = address;
    return sa;
}

#endif
