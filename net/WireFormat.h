#ifndef FERROWIND_WIREFORMAT_H
#define FERROWIND_WIREFORMAT_H

#include <cstddef>
#include <cstdint>
#include <cstring>

// Control message types; game messages use their own types, all below 600.
enum {
    SMSG_CONNECT = 601,
    SMSG_CONNECT_BACK = 602,
    SMSG_TIMESYNC_REQUEST = 603,
    SMSG_TIMESYNC_REPLY = 604,
    // Understood by copies of this game only; peers that follow the original
    // rules ignore every type above 604.
    SMSG_ANNOUNCE_AGAIN = 605,  // a repeated announcement, taken like a 601
    SMSG_RESEND_REQUEST = 606,  // numbered game records that never arrived
    SMSG_TANK_STATE = 607,      // the sender's own tank in full, for a newcomer
    SMSG_LEAVING = 608,         // the sender quits
    SMSG_STATE_HASH = 609,      // the sender's battlefield at a game time, hashed
    // 610 to 612: player names and computer tanks
    SMSG_POWERUP_STATE = 613,   // a power-up taken, and when it comes back, for a newcomer
    SMSG_TANK_POSE = 614,       // the sender's own tank's place, every few seconds
    SMSG_RELAY_REQUEST = 615,   // a silent peer's numbered records, asked of a copy that holds them
    SMSG_RELAYED = 616,         // such a record, sent on as its sender sent it
    SMSG_RELAYED_BOT_MSG = 617  // the same for a computer tank's message (SMSG_BOT_MSG)
};

// The one port every peer listens on and sends to.
enum { ZO_PORT = 12000 };

// Game message data values that travel in one record.
enum { WIRE_DATA_VALUES = 7 };

// The record's size follows the width of unsigned long: the five fields from
// offset 104 are 8 bytes each in a 64-bit build and 4 in a 32-bit one.
enum { WIRE_HEAD_BYTES = 104, WIRE_WIDE_RECORD = 144, WIRE_NARROW_RECORD = 124 };

// The reserved bytes at offset 16, which peers that follow the original rules
// leave unread: this game's copies number their game records there, so that
// a receiver can drop a duplicate and ask for a record that never came. Zero
// throughout from a peer that does not number.
struct SWireStamp {
    uint32_t incarnation;  // drawn at each start: a new one is a restarted copy
    uint32_t sequence;     // this game record's number; 0 for other records
    uint32_t lastSent;     // the newest number the sender has used so far
};

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

// Peers exchange the raw bytes: every field must sit where the other side
// looks. The head is the same in both layouts; the five addresses and times
// after it are as wide as unsigned long.
const size_t WIRE_TAIL_FIELD = sizeof(unsigned long);
static_assert(sizeof(SSocketMSG) == (WIRE_TAIL_FIELD == 8 ? WIRE_WIDE_RECORD : WIRE_NARROW_RECORD),
              "wire record of an unknown layout");
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
static_assert(offsetof(SSocketMSG, recipientAddr) == WIRE_HEAD_BYTES, "recipientAddr after the head");
static_assert(offsetof(SSocketMSG, senderAddr) == WIRE_HEAD_BYTES + WIRE_TAIL_FIELD, "senderAddr second");
static_assert(offsetof(SSocketMSG, sendTime) == WIRE_HEAD_BYTES + 2 * WIRE_TAIL_FIELD, "sendTime third");
static_assert(offsetof(SSocketMSG, syncTime) == WIRE_HEAD_BYTES + 3 * WIRE_TAIL_FIELD, "syncTime fourth");
static_assert(offsetof(SSocketMSG, time) == WIRE_HEAD_BYTES + 4 * WIRE_TAIL_FIELD, "time last");

static_assert(sizeof(SWireStamp) <= sizeof(SSocketMSG::reserved), "the stamp fits the reserved bytes");

inline SWireStamp ReadStamp(const SSocketMSG& rec)
{
    SWireStamp stamp;
    std::memcpy(&stamp, rec.reserved, sizeof stamp);
    return stamp;
}

inline void WriteStamp(SSocketMSG& rec, const SWireStamp& stamp)
{
    std::memcpy(rec.reserved, &stamp, sizeof stamp);
}

#endif
