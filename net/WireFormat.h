#ifndef FERROWIND_WIREFORMAT_H
#define FERROWIND_WIREFORMAT_H

#include <cstdint>

// Control message types; game messages use their own types, all below 600.
enum {
    SMSG_CONNECT = 601,
    SMSG_CONNECT_BACK = 602,
    SMSG_TIMESYNC_REQUEST = 603,
    SMSG_TIMESYNC_REPLY = 604
};

// One datagram between peers, sent as its raw bytes in native byte order.
// Addresses are IPv4 in network byte order in the low 32 bits.
struct SSocketMSG {
    int32_t type;
    int32_t recipient;
    int32_t count;
    uint32_t destAddr;
    uint8_t reserved[16];
    float data[7];
    float tankKind;
    float tankModel;
    float tankTexture0;
    float tankTexture1;
    float tankEffect[4];
    float tankState[2];
    float tankActive;
    unsigned long recipientAddr;
    unsigned long senderAddr;
    unsigned long sendTime;
    unsigned long syncTime;
    unsigned long time;
};

#if defined(__x86_64__) || defined(_M_X64)
static_assert(sizeof(SSocketMSG) == 144, "wire record must be 144 bytes on x86-64");
#endif

#endif
