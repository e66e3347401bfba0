#include "net/PlayerNames.h"

#include <cstring>

#include "net/SocketLayer.h"
#include "net/ZoSockets.h"

std::string CleanPlayerName(const std::string& name)
{
    std::string clean;
    for (char c : name)
        if (c >= ' ' && c <= '~')
            clean += c;
    size_t first = clean.find_first_not_of(' ');
    if (first == std::string::npos)
        return "PLAYER";
    clean = clean.substr(first, PLAYER_NAME_MAX);
    return clean.substr(0, clean.find_last_not_of(' ') + 1);
}

SSocketMSG NameRecord(const std::string& name, unsigned long sender)
{
    static_assert(PLAYER_NAME_MAX < sizeof(SSocketMSG::data), "a name fits the data values");
    SSocketMSG rec;
    std::memset(&rec, 0, sizeof rec);
    std::string clean = CleanPlayerName(name);
    rec.type = SMSG_PLAYER_NAME;
    rec.count = (int32_t)clean.size();
    std::memcpy(rec.data, clean.data(), clean.size());
    rec.senderAddr = sender;
    return rec;
}

bool NameFromRecord(const SSocketMSG& rec, std::string& name)
{
    if (rec.type != SMSG_PLAYER_NAME || rec.count < 1 || rec.count > PLAYER_NAME_MAX)
        return false;
    std::string carried((const char*)rec.data, (size_t)rec.count);
    if (CleanPlayerName(carried) != carried)
        return false;
    name = carried;
    return true;
}

void CPlayerNames::Set(unsigned long address, const std::string& name)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_names[address] = name;
}

std::string CPlayerNames::Get(unsigned long address) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    auto found = m_names.find(address);
    return found == m_names.end() ? std::string() : found->second;
}

CPlayerNames& PlayerNames()
{
    static CPlayerNames names;
    return names;
}

bool TakeNameRecord(const SSocketMSG& rec)
{
    std::string name;
    if (!NameFromRecord(rec, name))
        return false;
    PlayerNames().Set(rec.senderAddr, name);
    return true;
}

void ZOSocketSendName(const std::string& name)
{
    unsigned long self = myIpAddr();
    SSocketMSG rec = NameRecord(name, self);
    for (const ZOConnectionID& entry : SocketConnections().Snapshot()) {
        if (entry.address == self)
            continue;
        rec.destAddr = (uint32_t)entry.address;
        ZOSocketSend(&rec);
    }
}
