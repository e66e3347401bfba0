#ifndef FERROWIND_WIREFORMAT_H
#define FERROWIND_WIREFORMAT_H

#include <cstddef>
#include <cstdint>

// Control message types; game messages use their own types, all below 600.
enum {
    SMSG_CONNECT = 601,
    SMSG_CONNECT_BACK = 602,
    SMSG_TIMESYNC_REQUEST = 603,
    SMSG_TIMESYNC_REPLY = 604
};

// The one port every peer listens on and sends to.
enum { ZO_PORT = 12000 };

// Game message data values that travel in one record.
enum { WIRE_DATA_VALUES = 7 };

// The record's size follows the width of unsigned long: the five fields from
// offset 104 are 8 bytes each in a 64-bit build and 4 in a 32-bit one.
enum { WIRE_HEAD_BYTES = 104, WIRE_WIDE_RECORD = 144, WIRE_NARROW_RECORD = 124 };

// One datagram between peers, sent as its raw bytes in native byte order.
// Addresses are IPv4 in network byte order in the low 32 bits.
struct SSocketMSG {
    int32_t type;
    int32_t recipient;
    int32_t count;
    uint32_t destAddr;
    uint8_t reserved[16];
    float data[WIRE_DATA_VALUES];
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
// Peers exchange the raw bytes: every field must sit where the other side looks.
static_assert(sizeof(SSocketMSG) == 144, "wire record must be 144 bytes on x86-64");
static_assert(offsetof(SSocketMSG, type) == 0, "type at 0");
static_assert(offsetof(SSocketMSG, recipient) == 4, "recipient at 4");
static_assert(offsetof(SSocketMSG, count) == 8, "count at 8");
static_assert(offsetof(SSocketMSG, destAddr) == 12, "destAddr at 12");
static_assert(offsetof(SSocketMSG, reserved) == 16, "reserved at 16");
static_assert(offsetof(SSocketMSG, data) == 32, "data at 32");
static_assert(offsetof(SSocketMSG, tankKind) == 60, "tankKind at 60");
static_assert(offsetof(SSocketMSG, tankModel) == 64, "tankModel at 64");
static_assert(offsetof(SSocketMSG, tankTexture0) == 68, "tankTexture0 at 68");
static_assert(offsetof(SSocketMSG, tankTexture1) == 72, "tankTexture1 at 72");
static_assert(offsetof(SSocketMSG, tankEffect) == 76, "tankEffect at 76");
static_assert(offsetof(SSocketMSG, tankState) == 92, "tankState at 92");
static_assert(offsetof(SSocketMSG, tankActive) == 100, "tankActive at 100");
static_assert(offsetof(SSocketMSG, recipientAddr) == 104, "recipientAddr at 104");
static_assert(offsetof(SSocketMSG, senderAddr) == 112, "senderAddr at 112");
static_assert(offsetof(SSocketMSG, sendTime) == 120, "sendTime at 120");
static_assert(offsetof(SSocketMSG, syncTime) == 128, "syncTime at 128");
static_assert(offsetof(SSocketMSG, time) == 136, "time at 136");
#elif defined(__i386__) || defined(_M_IX86)
static_assert(sizeof(SSocketMSG) == 124, "wire record must be 124 bytes on i386");
static_assert(offsetof(SSocketMSG, type) == 0, "type at 0");
static_assert(offsetof(SSocketMSG, recipient) == 4, "recipient at 4");
static_assert(offsetof(SSocketMSG, count) == 8, "count at 8");
static_assert(offsetof(SSocketMSG, destAddr) == 12, "destAddr at 12");
static_assert(offsetof(SSocketMSG, reserved) == 16, "reserved at 16");
static_assert(offsetof(SSocketMSG, data) == 32, "data at 32");
static_assert(offsetof(SSocketMSG, tankKind) == 60, "tankKind at 60");
static_assert(offsetof(SSocketMSG, tankModel) == 64, "tankModel at 64");
static_assert(offsetof(SSocketMSG, tankTexture0) == 68, "tankTexture0 at 68");
static_assert(offsetof(SSocketMSG, tankTexture1) == 72, "tankTexture1 at 72");
static_assert(offsetof(SSocketMSG, tankEffect) == 76, "tankEffect at 76");
static_assert(offsetof(SSocketMSG, tankState) == 92, "tankState at 92");
static_assert(offsetof(SSocketMSG, tankActive) == 100, "tankActive at 100");
static_assert(offsetof(SSocketMSG, recipientAddr) == 104, "recipientAddr at 104");
static_assert(offsetof(SSocketMSG, senderAddr) == 108, "senderAddr at 108");
static_assert(offsetof(SSocketMSG, sendTime) == 112, "sendTime at 112");
static_assert(offsetof(SSocketMSG, syncTime) == 116, "syncTime at 116");
static_assert(offsetof(SSocketMSG, time) == 120, "time at 120");
#endif
static_assert(sizeof(SSocketMSG) == WIRE_WIDE_RECORD || sizeof(SSocketMSG) == WIRE_NARROW_RECORD,
              "wire record of an unknown layout");

#endif
