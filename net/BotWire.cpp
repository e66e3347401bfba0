#include "net/BotWire.h"

#include <cstring>
#include <set>

#include "net/NetFigures.h"
#include "net/SocketLayer.h"
#include "net/WireConvert.h"
#include "net/ZoSockets.h"

namespace {

const int LAST_GAME_TYPE = 599;
const int MOST_BOTS = 8;

// Sends to every peer in the table once, this copy left out.
void SendToPeers(SSocketMSG& rec)
{
    unsigned long self = myIpAddr();
    std::set<unsigned long> sent;
    for (const ZOConnectionID& entry : SocketConnections().Snapshot()) {
        if (entry.address == self || !sent.insert(entry.address).second)
            continue;
        rec.destAddr = (uint32_t)entry.address;
        ZOSocketSend(&rec);
        NetFigures().CountOut(entry.address, NetFiguresClock());
    }
}

}  // namespace

SSocketMSG BotTankRecord(const SGameObject& tank, int number, unsigned long host)
{
    SSocketMSG rec = ConnectRecord(SMSG_BOT_TANK, tank, host, 0);
    rec.recipient = number;
    rec.recipientAddr = host;
    return rec;
}

SSocketMSG BotMsgRecord(const SGameMsg& msg, unsigned long host, int number, unsigned long sender)
{
    SSocketMSG rec = WireFromGameMsg(msg, {}, sender);
    int32_t type = msg.type;
    std::memcpy(rec.reserved + sizeof(SWireStamp), &type, sizeof type);
    rec.type = SMSG_BOT_MSG;
    rec.recipient = number;
    rec.recipientAddr = host;
    return rec;
}

int BotMsgType(const SSocketMSG& rec)
{
    int32_t type;
    std::memcpy(&type, rec.reserved + sizeof(SWireStamp), sizeof type);
    return type;
}

SSocketMSG GameRecordFromBotMsg(const SSocketMSG& rec, int index)
{
    SSocketMSG game = rec;
    game.type = BotMsgType(rec);
    std::memset(game.reserved, 0, sizeof game.reserved);
    game.recipient = index;
    game.recipientAddr = 0;
    return game;
}

void CBotTable::Add(unsigned long host, int number, int index, unsigned int now)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_entries.push_back(SEntry{host, number, index, now, false});
}

int CBotTable::IndexOf(unsigned long host, int number) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    for (const SEntry& e : m_entries)
        if (e.host == host && e.number == number)
            return e.index;
    return -1;
}

bool CBotTable::Find(int index, SEntry& entry) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    for (const SEntry& e : m_entries)
        if (e.index == index) {
            entry = e;
            return true;
        }
    return false;
}

void CBotTable::Heard(unsigned long host, unsigned int now)
{
    std::lock_guard<std::mutex> hold(m_lock);
    for (SEntry& e : m_entries)
        if (e.host == host)
            e.heardAt = now;
}

std::vector<int> CBotTable::Departed(unsigned long self, unsigned int now)
{
    std::lock_guard<std::mutex> hold(m_lock);
    std::vector<int> departed;
    for (SEntry& e : m_entries)
        if (!e.gone && e.host != self && now - e.heardAt > (unsigned int)SILENCE_MS) {
            e.gone = true;
            departed.push_back(e.index);
        }
    return departed;
}

std::vector<CBotTable::SEntry> CBotTable::Entries() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_entries;
}

CBotTable& HostedBots()
{
    static CBotTable table;
    return table;
}

bool TakeBotRecord(const SSocketMSG& rec, IGameInterface& game, const std::function<void(const SSocketMSG&)>& queue,
                   unsigned int now)
{
    if (rec.recipient < 1 || rec.recipient > MOST_BOTS)
        return false;
    if (rec.type == SMSG_BOT_TANK) {
        // Its host alone announces it; two listeners hearing it at once add one tank.
        if (rec.recipientAddr != rec.senderAddr)
            return false;
        static std::mutex adding;
        std::lock_guard<std::mutex> hold(adding);
        HostedBots().Heard(rec.senderAddr, now);
        if (HostedBots().IndexOf(rec.senderAddr, rec.recipient) < 0)
            HostedBots().Add(rec.senderAddr, rec.recipient, game.AddGameObject(TankFromWire(rec)), now);
        return true;
    }
    int type = BotMsgType(rec);
    int index = HostedBots().IndexOf(rec.recipientAddr, rec.recipient);
    // Its host speaks for it, but for a kill credited to it, which the copy of the victim tells.
    bool trusted = rec.senderAddr == rec.recipientAddr || type == GMSG_FRAG;
    if (rec.type != SMSG_BOT_MSG || index < 0 || type < 1 || type > LAST_GAME_TYPE || !trusted)
        return false;
    queue(GameRecordFromBotMsg(rec, index));
    NetFigures().CountIn(rec.senderAddr, NetFiguresClock());
    return true;
}

int ZOSocketSendBotMsg(SGameMsg* msg)
{
    CBotTable::SEntry bot;
    if (!HostedBots().Find(msg->object, bot))
        return 0;
    // Numbered like the copy's own game records, so that a lost one is sent again.
    ZOSocketSendNumbered(BotMsgRecord(*msg, bot.host, bot.number, myIpAddr()));
    return 1;
}

void ZOSocketAnnounceBot(const SGameObject& tank, int number)
{
    SSocketMSG rec = BotTankRecord(tank, number, myIpAddr());
    SendToPeers(rec);
}
