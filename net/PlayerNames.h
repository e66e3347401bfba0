#ifndef FERROWIND_PLAYERNAMES_H
#define FERROWIND_PLAYERNAMES_H

#include <map>
#include <mutex>
#include <string>

#include "net/WireFormat.h"

// A player's name travels in a record of its own, which copies that follow
// only the original rules ignore (they read no type above 604): its bytes
// in `data`, its length in `count`.
enum { SMSG_PLAYER_NAME = 610 };
enum { PLAYER_NAME_MAX = 15 };

// At most PLAYER_NAME_MAX printable ASCII characters: others are left out,
// blanks at the ends trimmed; "PLAYER" when nothing is left.
std::string CleanPlayerName(const std::string& name);

SSocketMSG NameRecord(const std::string& name, unsigned long sender);
// The name a record carries; false when it is not a name record or not a clean name.
bool NameFromRecord(const SSocketMSG& rec, std::string& name);

// The names peers gave themselves, by address; filled by the listeners,
// read by the game thread.
class CPlayerNames {
public:
    void Set(unsigned long address, const std::string& name);
    // Empty for a peer that sent none (one that follows only the original rules).
    std::string Get(unsigned long address) const;

private:
    mutable std::mutex m_lock;
    std::map<unsigned long, std::string> m_names;
};

CPlayerNames& PlayerNames();

// Keeps the name a received record carries for its sender; false when it carries none.
bool TakeNameRecord(const SSocketMSG& rec);

// Tells every peer in the connection table this copy's player's name.
void ZOSocketSendName(const std::string& name);

#endif
