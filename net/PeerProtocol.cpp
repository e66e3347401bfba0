#include "net/PeerProtocol.h"
#include "model/Log.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "model/Numbers.h"
#include "net/BotWire.h"
#include "net/NetFigures.h"
#include "net/Platform.h"
#include "net/PlayerNames.h"
#include "net/WireConvert.h"

namespace {

const int LAST_GAME_TYPE = 599;
// A stranger's messages are answered with the announcement at most this often.
const int STRANGER_INTERVAL_MS = 1000;
const size_t MAX_STRANGERS = 64;

bool IsPowerUpMessage(int type)
{
    return type == GMSG_POWERUP_TAKEN || type == GMSG_POWERUP_APPEAR;
}

void PrintLine(const char* text)
{
    LogOut("%s\n", text);
}

}  // namespace

CPeerProtocol::CPeerProtocol(CConnectionTable& table, IPeerTransport& transport)
    : m_table(table), m_transport(transport), m_game(0), m_announced(false), m_dropped(0), m_repeatsSent(0),
      m_requestTicks(0), m_appliedOffset(0), m_pendingRequests(0), m_requestRepeats(0), m_syncPeer(0),
      m_synced(false)
{
}

void CPeerProtocol::AddLocalEntry()
{
    m_table.AddLocalOnce(m_transport.LocalAddress(), LOCAL_TANK);
}

void CPeerProtocol::Connect(unsigned long address)
{
    SendConnect(address == 0 ? SMSG_CONNECT : SMSG_CONNECT_BACK, address == 0 ? NET_BROADCAST : address);
}

void CPeerProtocol::SendConnect(int type, unsigned long dest)
{
    PrintLine(" Attempting to connect ");
    IGameInterface* game = m_game;
    // A copy: a time warp on the game thread may free the tank meanwhile.
    SGameObject* tank = game ? game->CopyGameObject(LOCAL_TANK) : 0;
    if (!tank) {
        PrintLine("No local tank to announce yet: connect not sent");
        return;
    }
    SSocketMSG rec = ConnectRecord(type, *tank, m_transport.LocalAddress(), dest);
    DestroyObject(tank);
    if (dest == NET_BROADCAST && !m_announced) {
        std::lock_guard<std::mutex> hold(m_announceLock);
        m_announcedAt = Clock::now();
        m_announced = true;
    }
    m_transport.Send(&rec);
    if (dest != NET_BROADCAST)
        return;
    for (unsigned long address : m_directPeers) {
        if (address == m_transport.LocalAddress())
            continue;
        rec.destAddr = (uint32_t)address;
        m_transport.Send(&rec);
    }
}

void CPeerProtocol::SetDirectPeers(const std::vector<unsigned long>& addresses)
{
    m_directPeers = addresses;
}

void CPeerProtocol::RepeatHandshake(Clock::time_point now)
{
    if (!m_announced)
        return;
    bool announce = false;
    {
        std::lock_guard<std::mutex> hold(m_announceLock);
        if (m_repeatsSent < ANNOUNCEMENT_REPEATS &&
            now >= m_announcedAt + std::chrono::milliseconds(REPEAT_INTERVAL_MS * (m_repeatsSent + 1))) {
            ++m_repeatsSent;
            announce = true;
        }
    }
    if (announce)
        SendConnect(SMSG_CONNECT, NET_BROADCAST);
    unsigned long askAgain = 0;
    {
        std::lock_guard<std::mutex> hold(m_syncLock);
        if (!m_synced && m_pendingRequests > 0 && m_requestRepeats < ANNOUNCEMENT_REPEATS &&
            now >= m_requestedAt + std::chrono::milliseconds(REPEAT_INTERVAL_MS)) {
            ++m_requestRepeats;
            // The unanswered request is replaced, not added to.
            --m_pendingRequests;
            askAgain = m_syncPeer;
        }
    }
    if (askAgain)
        RequestTimeSync(askAgain);
    ProbeRoundTrips(now);
}

void CPeerProtocol::ProbeRoundTrips(Clock::time_point now)
{
    std::vector<unsigned long> peers;
    {
        std::lock_guard<std::mutex> hold(m_syncLock);
        // A reply to the clock request in flight must not be taken for a probe's.
        if (m_pendingRequests > 0)
            return;
        // The first call starts the interval.
        if (m_probedAt == Clock::time_point()) {
            m_probedAt = now;
            return;
        }
        if (now < m_probedAt + std::chrono::milliseconds(PROBE_INTERVAL_MS))
            return;
        m_probedAt = now;
        // Timed by the clock the answer will be read by.
        Clock::time_point sent = Clock::now();
        unsigned long self = m_transport.LocalAddress();
        for (const ZOConnectionID& entry : m_table.Snapshot()) {
            if (entry.address == self)
                continue;
            // A probe still unanswered (lost, or a peer gone) is replaced.
            m_probes[entry.address] = sent;
            peers.push_back(entry.address);
        }
    }
    for (unsigned long address : peers) {
        SSocketMSG rec{};
        rec.type = SMSG_TIMESYNC_REQUEST;
        rec.senderAddr = m_transport.LocalAddress();
        rec.destAddr = (uint32_t)address;
        m_transport.Send(&rec);
    }
}

// A peer that has this one in its table but is not in this one's (its
// announcement or the answer was lost) is sent the announcement directly:
// its answer completes the handshake.
void CPeerProtocol::AnnounceToStranger(unsigned long address)
{
    if (!m_announced)
        return;
    {
        std::lock_guard<std::mutex> hold(m_announceLock);
        Clock::time_point now = Clock::now();
        auto last = m_strangers.find(address);
        if (last != m_strangers.end() && now < last->second + std::chrono::milliseconds(STRANGER_INTERVAL_MS))
            return;
        if (m_strangers.size() >= MAX_STRANGERS)
            m_strangers.clear();
        m_strangers[address] = now;
    }
    SendConnect(SMSG_CONNECT, address);
}

void CPeerProtocol::HandleDatagram(const void* bytes, size_t length, unsigned long source)
{
    // Exactly one record per datagram, of either word size: anything else is
    // not from a peer, and a short one must not be completed from an earlier
    // datagram's bytes.
    SSocketMSG rec;
    if (!RecordFromDatagram(bytes, length, rec)) {
        ++m_dropped;
        return;
    }
    if (rec.senderAddr == m_transport.LocalAddress())
        return;
    if (!m_game)
        return;
    // A peer names itself by the address it sends from; a record naming
    // another is forged.
    if (rec.senderAddr != source) {
        ++m_dropped;
        return;
    }

    if (rec.type == SMSG_CONNECT || rec.type == SMSG_CONNECT_BACK)
        TakePeer(rec);
    else if (rec.type == SMSG_TIMESYNC_REQUEST)
        AnswerTimeSync(rec);
    else if (rec.type == SMSG_TIMESYNC_REPLY)
        ApplyTimeSync(rec);
    else if (rec.type == SMSG_BOT_TANK || rec.type == SMSG_BOT_MSG) {
        // Computer tanks of players this copy has taken in only.
        auto queue = [this](const SSocketMSG& game) { m_transport.Queue(game); };
        if (m_table.ObjectOf(rec.senderAddr) < 0 || !TakeBotRecord(rec, *m_game, queue, NetFiguresClock()))
            ++m_dropped;
    }
    else if (rec.type == SMSG_PLAYER_NAME) {
        // Names of players this copy has taken in only.
        if (m_table.ObjectOf(rec.senderAddr) < 0 || !TakeNameRecord(rec))
            ++m_dropped;
    }
    else if (rec.type >= 1 && rec.type <= LAST_GAME_TYPE && Trusted(rec)) {
        // Types of 0 and below would be cancel requests that erase the
        // queue's history; peers never send them.
        m_transport.Queue(rec);
        NetFigures().CountIn(rec.senderAddr, NetFiguresClock());
    }
    else
        ++m_dropped;
}

// Peers send messages about their own tank only, frags that credit the tank
// that made the kill, and power-up messages.
bool CPeerProtocol::Trusted(const SSocketMSG& rec)
{
    if (m_table.ObjectOf(rec.senderAddr) < 0) {
        // Its object cannot be mapped: applied, it would land on whatever
        // local object the sender's raw index names.
        AnnounceToStranger(rec.senderAddr);
        return false;
    }
    if (rec.type == GMSG_FRAG)
        return rec.recipientAddr == m_transport.LocalAddress();
    return IsPowerUpMessage(rec.type) || rec.recipientAddr == rec.senderAddr;
}

void CPeerProtocol::TakePeer(const SSocketMSG& rec)
{
    if (!m_announced)
        return;
    EPeer peer = AddPeer(rec);
    if (peer == PEER_REFUSED)
        return;
    if (rec.type == SMSG_CONNECT) {
        LogOut("sending SMSG_CONNECT_BACK to: %s\n", DottedAddress(rec.senderAddr).c_str());
        Connect(rec.senderAddr);
        // A copy that has played longer repeats its announcement: heard by a
        // copy that has just started, before the answer to its own, its
        // answer finds the peer known and would never set the clock.
        if (peer == PEER_ADDED && PlayedLonger(rec))
            RequestTimeSync(rec.senderAddr);
    } else if (peer == PEER_ADDED) {
        RequestTimeSync();
    }
}

bool CPeerProtocol::PlayedLonger(const SSocketMSG& announcement)
{
    std::lock_guard<std::mutex> hold(m_syncLock);
    if (m_synced || m_pendingRequests > 0)
        return false;
    unsigned int own = (unsigned int)m_game.load()->GetTime();
    return (int)((unsigned int)announcement.sendTime - own) > 0;
}

// A peer already known (an announcement repeated, or a copy that restarted)
// keeps its entry and its tank.
CPeerProtocol::EPeer CPeerProtocol::AddPeer(const SSocketMSG& rec)
{
    std::lock_guard<std::mutex> hold(m_peerLock);
    if (m_table.ObjectOf(rec.senderAddr) >= 0)
        return PEER_KNOWN;
    if (m_table.IsFull()) {
        PrintLine("connection table full: connect ignored");
        return PEER_REFUSED;
    }
    PrintLine(" tried to connect");
    int index = m_game.load()->AddGameObject(TankFromWire(rec));
    m_table.Append(rec.senderAddr, index);
    return PEER_ADDED;
}

void CPeerProtocol::RequestTimeSync(unsigned long peer)
{
    unsigned long local = m_transport.LocalAddress();
    if (!peer) {
        std::vector<ZOConnectionID> table = m_table.Snapshot();
        size_t target = (!table.empty() && table[0].address != local) ? 0 : 1;
        if (target >= table.size())
            return;
        peer = table[target].address;
    }

    SSocketMSG rec{};
    rec.type = SMSG_TIMESYNC_REQUEST;
    rec.senderAddr = local;
    rec.destAddr = (uint32_t)peer;
    {
        // The clock is read and set under one lock, so that a request and an
        // answer handled at once agree on the offset in use.
        std::lock_guard<std::mutex> hold(m_syncLock);
        unsigned int now = (unsigned int)m_game.load()->GetTime();
        // Kept without the offset already applied, so that a second answer
        // corrects the clock instead of undoing the first.
        m_requestTicks = now - m_appliedOffset;
        m_syncPeer = peer;
        m_requestedAt = Clock::now();
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
    if (m_pendingRequests == 0 || reply.senderAddr != m_syncPeer) {
        auto probe = m_probes.find(reply.senderAddr);
        if (probe != m_probes.end()) {
            auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - probe->second);
            NetFigures().RoundTrip(reply.senderAddr, (unsigned int)took.count());
            m_probes.erase(probe);
        }
        return;
    }
    --m_pendingRequests;
    PrintLine("time sync engaged");
    m_synced = true;
    m_appliedOffset = (unsigned int)reply.syncTime - m_requestTicks;
    m_game.load()->SetTimeOffset(m_appliedOffset);
}
