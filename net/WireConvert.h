#ifndef FERROWIND_WIRECONVERT_H
#define FERROWIND_WIRECONVERT_H

#include <cstddef>
#include <string>
#include <vector>

#include "model/GameObject.h"
#include "net/SequenceWindow.h"
#include "net/ZoSockets.h"

// Conversions between game objects and messages and the wire record. They
// touch no socket and no shared state: the caller passes the connection table
// and addresses in.

// A game message as it travels: its object is named by the address of the
// peer that owns it (`recipientAddr`), so every peer can map it to its own index.
SSocketMSG WireFromGameMsg(const SGameMsg& msg, const std::vector<ZOConnectionID>& table, unsigned long sender);

// A received game message with its object mapped to the local index of the
// same tank. The data array is new and holds at most what travels.
SGameMsg GameMsgFromWire(const SSocketMSG& rec, const std::vector<ZOConnectionID>& table);

// A connect record (SMSG_CONNECT or SMSG_CONNECT_BACK) describing `tank`.
SSocketMSG ConnectRecord(int type, const SGameObject& tank, unsigned long sender, unsigned long dest);

// A tank-state record (SMSG_TANK_STATE): `tank` in full as it stands at game
// time `time`, its values in the words from offset 32 on.
SSocketMSG TankStateRecord(const SGameObject& tank, unsigned long sender, unsigned long dest, unsigned long time);
// The same values as a GMSG_TANK_STATE message; GameMsgFromWire does this
// for every tank-state record.
SGameMsg TankStateFromWire(const SSocketMSG& rec, const std::vector<ZOConnectionID>& table);

// A power-up state record (SMSG_POWERUP_STATE): power-up `index` (the same
// on every copy: it comes from the battlefield file) comes back at game time
// `back`, as the sender saw it at game time `time`. GameMsgFromWire makes a
// GMSG_POWERUP_STATE message of it.
SSocketMSG PowerUpStateRecord(int index, unsigned long back, unsigned long sender, unsigned long dest,
                              unsigned long time);

// A request (SMSG_RESEND_REQUEST) for the numbered records of `ranges` (at
// most RESEND_RANGES of them), their numbers as raw words in the data.
enum { RESEND_RANGES = 3 };
SSocketMSG ResendRequest(const std::vector<SSequenceRange>& ranges, unsigned long sender, unsigned long dest);
// The ranges a request asks for, each at most `maxCount` long.
std::vector<SSequenceRange> RequestedRanges(const SSocketMSG& request, uint32_t maxCount);

// A request (SMSG_RELAY_REQUEST) to a copy for what it holds of the numbered
// records of `origin`, a peer that fell silent: those of its run
// `incarnation` in `ranges`, and any numbered above `highest`. Laid out as a
// resend request, with the origin in `recipientAddr` and the run and the
// highest number as raw words after the ranges.
struct SRelayAsk {
    unsigned long origin;
    uint32_t incarnation;
    uint32_t highest;
    std::vector<SSequenceRange> ranges;
};
SSocketMSG RelayRequest(const SRelayAsk& ask, unsigned long sender, unsigned long dest);
SRelayAsk RelayAskFrom(const SSocketMSG& request, uint32_t maxCount);
// The types a copy numbers as it sends them: game messages, its tank's
// state and place, and its computer tanks' messages.
bool NumberedType(int type);
// A peer's numbered record as sent on to `dest` by a copy that holds it: its
// sender, number and fields as they came, its type in the reserved bytes
// after the stamp (a computer tank's message keeps its game type there, and
// travels as a type of its own).
SSocketMSG RelayedRecord(const SSocketMSG& rec, unsigned long dest);
// The record a relayed one carries.
SSocketMSG RecordFromRelayed(const SSocketMSG& relayed);

// The tank a connect record describes, ready for the game's AddGameObject;
// always of the tank kind.
STankPrototype* TankFromWire(const SSocketMSG& rec);

// Peers of both word sizes talk: each sends its native record and takes
// either. The two layouts differ only in the width of the five fields from
// offset 104 (little-endian, 8 or 4 bytes; the wide ones hold 32-bit values).
// These rewrite a whole record of one layout in the other.
void WidenRecord(const unsigned char* narrow, unsigned char* wide);
void NarrowRecord(const unsigned char* wide, unsigned char* narrow);
// A received datagram as a native record, its layout told by its length;
// false for any length but the two record sizes.
bool RecordFromDatagram(const void* bytes, size_t length, SSocketMSG& rec);

// A float that came from the wire as an int, truncated; 0 for a NaN, -1 (no
// valid number) beyond the int range.
int WireInt(float value);

// The address as its four bytes in memory order: the usual dotted form.
std::string DottedAddress(unsigned long address);
// The IPv4 addresses of a list such as "10.0.1.5, 192.168.7.20 10.0.2.9"
// (commas or blanks between them), in network byte order; the words that are
// no address go to `refused`.
std::vector<unsigned long> AddressList(const std::string& text, std::vector<std::string>& refused);

#endif
