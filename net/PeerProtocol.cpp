#include "net/PeerProtocol.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "net/Platform.h"
#include "net/WireConvert.h"

namespace {

const int LOCAL_TANK = 1;
const int LAST_GAME_TYPE = 599;

void PrintLine(const char* text)
{
    std::printf("%s\n", text);
    std::fflush(stdout);
}

}  // namespace

CPeerProtocol::CPeerProtocol(CConnectionTable& table, IPeerTransport& transport)
    : m_table(table), m_transport(transport), m_game(0), m_announced(false), m_requestTicks(0),
      m_appliedOffset(0), m_pendingRequests(0), m_syncPeer(0)
{
}

void CPeerProtocol::AddLocalEntry()
{
    m_table.AddLocalOnce(m_transport.LocalAddress(), LOCAL_TANK);
}

void CPeerProtocol::Connect(unsigned long address)
{
    PrintLine(" Attempting to connect ");
    IGameInterface* game = m_game;
    std::vector<SGameObject*> objects;
    if (game)
        objects = game->GetGameObjects();
    if ((int)objects.size() <= LOCAL_TANK) {
        PrintLine("No local tank to announce yet: connect not sent");
        return;
    }
    int type = address == 0 ? SMSG_CONNECT : SMSG_CONNECT_BACK;
    unsigned long dest = address == 0 ? NET_BROADCAST : address;
    SSocketMSG rec = ConnectRecord(type, *objects[LOCAL_TANK], m_transport.LocalAddress(), dest);
    if (address == 0)
        m_announced = true;
    m_transport.Send(&rec);
}

void CPeerProtocol::HandleDatagram(const void* bytes, size_t length)
{
    // Exactly one record per datagram, of either word size: anything else is
    // not from a peer, and a short one must not be completed from an earlier
    // datagram's bytes.
    SSocketMSG rec;
    if (!RecordFromDatagram(bytes, length, rec))
        return;
    if (rec.senderAddr == m_transport.LocalAddress())
        return;
    if (!m_game)
        return;

    if (rec.type == SMSG_CONNECT || rec.type == SMSG_CONNECT_BACK)
        AddPeer(rec);
    else if (rec.type == SMSG_TIMESYNC_REQUEST)
        AnswerTimeSync(rec);
    else if (rec.type == SMSG_TIMESYNC_REPLY)
        ApplyTimeSync(rec);
    else if (rec.type >= 1 && rec.type <= LAST_GAME_TYPE)
        // Types of 0 and below would be cancel requests that erase the
        // queue's history; peers never send them.
        m_transport.Queue(rec);
}

void CPeerProtocol::AddPeer(const SSocketMSG& rec)
{
    if (!m_announced)
        return;
    if (m_table.IsFull()) {
        PrintLine("connection table full: connect ignored");
        return;
    }
    PrintLine(" tried to connect");
    int index = m_game.load()->AddGameObject(TankFromWire(rec));
    m_table.Append(rec.senderAddr, index);
    if (rec.type == SMSG_CONNECT) {
        std::printf("sending SMSG_CONNECT_BACK to: %s\n", DottedAddress(rec.senderAddr).c_str());
        std::fflush(stdout);
        Connect(rec.senderAddr);
    } else {
        RequestTimeSync();
    }
}

void CPeerProtocol::RequestTimeSync()
{
    unsigned long local = m_transport.LocalAddress();
    std::vector<ZOConnectionID> table = m_table.Snapshot();
    size_t target = (!table.empty() && table[0].address != local) ? 0 : 1;
    if (target >= table.size())
        return;

    SSocketMSG rec{};
    rec.type = SMSG_TIMESYNC_REQUEST;
    rec.senderAddr = local;
    rec.destAddr = (uint32_t)table[target].address;
    {
        // The clock is read and set under one lock, so that a request and an
        // answer handled at once agree on the offset in use.
        std::lock_guard<std::mutex> hold(m_syncLock);
        unsigned int now = (unsigned int)m_game.load()->GetTime();
        // Kept without the offset already applied, so that a second answer
        // corrects the clock instead of undoing the first.
        m_requestTicks = now - m_appliedOffset;
        m_syncPeer = table[target].address;
        ++m_pendingRequests;
    }
    m_transport.Send(&rec);
}

void CPeerProtocol::AnswerTimeSync(const SSocketMSG& request)
{
    SSocketMSG reply{};
    reply.type = SMSG_TIMESYNC_REPLY;
    reply.syncTime = m_game.load()->GetTime();
    reply.senderAddr = m_transport.LocalAddress();
    reply.destAddr = (uint32_t)request.senderAddr;
    PrintLine("timesync request");
    m_transport.Send(&reply);
}

void CPeerProtocol::ApplyTimeSync(const SSocketMSG& reply)
{
    std::lock_guard<std::mutex> hold(m_syncLock);
    // Only the peer asked may set the clock, and only as often as asked.
    if (m_pendingRequests == 0 || reply.senderAddr != m_syncPeer)
        return;
    --m_pendingRequests;
    PrintLine("time sync engaged");
    m_appliedOffset = (unsigned int)reply.syncTime - m_requestTicks;
    m_game.load()->SetTimeOffset(m_appliedOffset);
}
