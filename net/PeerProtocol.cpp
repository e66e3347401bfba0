#include "net/PeerProtocol.h"
#include "model/Log.h"

#include <algorithm>
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

// Power-ups are taken by the rules on every copy alike, and music is each
// player's own: from a peer such a message could only change another
// player's tank or sound.
bool NeverFromPeers(int type)
{
    return type == GMSG_POWERUP_TAKEN || type == GMSG_POWERUP_APPEAR || type == GMSG_TOGGLE_MUSIC;
}

void PrintLine(const char* text)
{
    LogOut("%s\n", text);
}

}  // namespace

CPeerProtocol::CPeerProtocol(CConnectionTable& table, IPeerTransport& transport, uint32_t incarnation)
    : m_table(table), m_transport(transport), m_game(0), m_announced(false), m_lost(0), m_sent(incarnation),
      m_repeatsSent(0),
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
    unsigned long local = m_transport.LocalAddress();
    SSocketMSG rec = ConnectRecord(type, *tank, local, dest);
    // An answer to one peer comes with the tank in full, which only this
    // game's copies read: a newcomer, or a peer coming back, starts from it.
    SSocketMSG state{};
    if (dest != NET_BROADCAST)
        state = TankStateRecord(*tank, local, dest, game->GetTime());
    DestroyObject(tank);
    if (dest == NET_BROADCAST && !m_announced) {
        std::lock_guard<std::mutex> hold(m_announceLock);
        m_announcedAt = Clock::now();
        m_announced = true;
    }
    Transmit(rec);
    if (dest != NET_BROADCAST) {
        Transmit(state);
        NoteStateSent(dest, (unsigned int)state.time);
        SendTakenPowerUps(*game, dest);
        return;
    }
    for (unsigned long address : m_directPeers) {
        if (address == local)
            continue;
        rec.destAddr = (uint32_t)address;
        Transmit(rec);
    }
}

void CPeerProtocol::ForgetOldAnswers(Clock::time_point now)
{
    for (auto it = m_stateSent.begin(); it != m_stateSent.end();)
        it = now >= it->second.at + std::chrono::milliseconds(NEWCOMER_MS) ? m_stateSent.erase(it) : std::next(it);
}

void CPeerProtocol::NoteStateSent(unsigned long dest, unsigned int time)
{
    std::lock_guard<std::mutex> hold(m_stateSentLock);
    Clock::time_point now = Clock::now();
    ForgetOldAnswers(now);
    auto& sent = m_stateSent[dest];
    sent.time = time;
    if (sent.at == Clock::time_point())
        sent.at = now;
}

void CPeerProtocol::RestateToNewcomers(unsigned int since)
{
    IGameInterface* game = m_game;
    std::vector<unsigned long> stale;
    {
        std::lock_guard<std::mutex> hold(m_stateSentLock);
        ForgetOldAnswers(Clock::now());
        for (const auto& sent : m_stateSent)
            if ((int)(sent.second.time - since) > 0)
                stale.push_back(sent.first);
    }
    SGameObject* tank = game && !stale.empty() ? game->CopyGameObject(LOCAL_TANK) : 0;
    if (!tank)
        return;
    unsigned int time = (unsigned int)game->GetTime();
    for (unsigned long dest : stale) {
        SSocketMSG state = TankStateRecord(*tank, m_transport.LocalAddress(), dest, time);
        Transmit(state);
        NoteStateSent(dest, time);
    }
    DestroyObject(tank);
}

// The power-ups taken and not back yet: a newcomer never saw them taken, and
// would show them (and let them be taken) before the others do.
void CPeerProtocol::SendTakenPowerUps(IGameInterface& game, unsigned long dest)
{
    unsigned int now = (unsigned int)game.GetTime();
    for (int index = 0;; ++index) {
        SGameObject* object = game.CopyGameObject(index);
        if (!object)
            return;
        bool taken = object->kind == KIND_POWERUP && (int)((unsigned int)object->timer - now) > 0;
        unsigned long back = object->timer;
        DestroyObject(object);
        if (taken) {
            SSocketMSG rec = PowerUpStateRecord(index, back, m_transport.LocalAddress(), dest, now);
            Transmit(rec);
        }
    }
}

void CPeerProtocol::Transmit(SSocketMSG& rec)
{
    if (ReadStamp(rec).sequence == 0)
        m_sent.Stamp(rec);
    m_transport.Send(&rec);
}

void CPeerProtocol::SendGameRecord(SSocketMSG rec)
{
    // Dated by a clock that is about to jump, a record would reach the peers
    // seconds or minutes in their past, before any snapshot: each would
    // apply it where it then stood, each differently. The tank's state goes
    // out once the wait is over and says what these records did.
    if (AwaitingClock()) {
        m_withheld = true;
        return;
    }
    m_sent.Number(rec);
    // A peer listed twice gets each record once.
    std::vector<unsigned long> sent;
    for (const ZOConnectionID& entry : m_table.Snapshot()) {
        if (std::find(sent.begin(), sent.end(), entry.address) != sent.end())
            continue;
        sent.push_back(entry.address);
        rec.destAddr = (uint32_t)entry.address;
        m_transport.Send(&rec);
        if (entry.address != rec.senderAddr)
            NetFigures().CountOut(entry.address, NetFiguresClock());
    }
}

void CPeerProtocol::SayGoodbye()
{
    unsigned long local = m_transport.LocalAddress();
    IGameInterface* game = m_game;
    SSocketMSG rec{};
    rec.type = SMSG_LEAVING;
    rec.senderAddr = local;
    // When: every peer takes the tank off at that time.
    rec.time = game ? game->GetTime() : 0;
    std::vector<ZOConnectionID> table = m_table.Snapshot();
    for (int copy = 0; copy < GOODBYE_COPIES; ++copy) {
        for (const ZOConnectionID& entry : table) {
            if (entry.address == local)
                continue;
            rec.destAddr = (uint32_t)entry.address;
            Transmit(rec);
        }
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
    // Peers that follow the original rules take every 601 for a new tank:
    // the repeats are of a type only this game's copies read.
    if (announce)
        SendConnect(SMSG_ANNOUNCE_AGAIN, NET_BROADCAST);
    unsigned long askAgain = 0;
    {
        std::lock_guard<std::mutex> hold(m_syncLock);
        if (!m_synced && m_pendingRequests > 0 && m_requestRepeats < ANNOUNCEMENT_REPEATS &&
            now >= m_requestedAt + std::chrono::milliseconds(REPEAT_INTERVAL_MS)) {
            ++m_requestRepeats;
            // The unanswered request is replaced, not added to.
            --m_pendingRequests;
            askAgain = m_syncPeer;
        } else if (m_pendingRequests > 0 && (m_synced || m_requestRepeats >= ANNOUNCEMENT_REPEATS) &&
                   now >= m_requestedAt + std::chrono::milliseconds(REQUEST_EXPIRY_MS)) {
            // A request that will not be answered any more (its peer left)
            // must not hold up the probes that notice who left.
            m_pendingRequests = 0;
        }
    }
    RestateWithheld();
    if (askAgain)
        RequestTimeSync(askAgain);
    ProbeRoundTrips(now);
    AskForMissing(now);
    DepartSilent(now);
    SendStateHashes();
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
        // Peers that left are asked now and then too: an answer brings one back.
        if (++m_probeRounds % DEPARTED_PROBE_EVERY == 0)
            for (const ZOConnectionID& entry : m_table.Departed())
                peers.push_back(entry.address);
    }
    for (unsigned long address : peers) {
        SSocketMSG rec{};
        rec.type = SMSG_TIMESYNC_REQUEST;
        rec.senderAddr = m_transport.LocalAddress();
        rec.destAddr = (uint32_t)address;
        Transmit(rec);
    }
}

// A peer that has this one in its table but is not in this one's (its
// announcement or the answer was lost, or it left and is back) is sent the
// announcement again directly: its answer completes the handshake.
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
    SendConnect(SMSG_ANNOUNCE_AGAIN, address);
}

void CPeerProtocol::HandleDatagram(const void* bytes, size_t length, unsigned long source)
{
    // Exactly one record per datagram, of either word size: anything else is
    // not from a peer, and a short one must not be completed from an earlier
    // datagram's bytes.
    SSocketMSG rec;
    if (!RecordFromDatagram(bytes, length, rec)) {
        Drop(DROP_BAD_SIZE);
        return;
    }
    if (rec.senderAddr == m_transport.LocalAddress())
        return;
    if (!m_game)
        return;
    // A silent peer's record, sent on by a copy that holds it, names that peer.
    if (rec.type == SMSG_RELAYED || rec.type == SMSG_RELAYED_BOT_MSG) {
        TakeRelayed(rec, source);
        return;
    }
    // A peer names itself by the address it sends from; a record naming
    // another is forged.
    if (rec.senderAddr != source) {
        ReportForged(rec, source);
        Drop(DROP_FORGED_SENDER);
        return;
    }
    Heard(rec);
    Sort(rec);
}

void CPeerProtocol::Sort(const SSocketMSG& rec)
{
    switch (rec.type) {
    case SMSG_CONNECT:
    case SMSG_CONNECT_BACK:
    case SMSG_ANNOUNCE_AGAIN:
        TakePeer(rec);
        break;
    case SMSG_TIMESYNC_REQUEST:
        // The asker has this copy in its table. Not in this one's (every
        // answer to its announcement was lost), it is announced to: an idle
        // copy sends it nothing else that would bring it in.
        if (m_table.ObjectOf(rec.senderAddr) < 0)
            AnnounceToStranger(rec.senderAddr);
        AnswerTimeSync(rec);
        break;
    case SMSG_TIMESYNC_REPLY:
        if (!ComeBack(rec))
            ApplyTimeSync(rec);
        break;
    case SMSG_RESEND_REQUEST:
        Resend(rec);
        break;
    case SMSG_RELAY_REQUEST:
        Relay(rec);
        break;
    case SMSG_LEAVING:
        Depart(rec.senderAddr, "quit", rec.time);
        break;
    case SMSG_STATE_HASH:
        CompareStateHash(rec);
        break;
    case SMSG_TANK_STATE:
    case SMSG_POWERUP_STATE:
    case SMSG_TANK_POSE:
        QueueGameRecord(rec);
        break;
    case SMSG_BOT_TANK:
    case SMSG_BOT_MSG: {
        // Computer tanks of players this copy has taken in only.
        if (m_table.ObjectOf(rec.senderAddr) < 0) {
            Drop(DROP_UNKNOWN_SENDER);
            break;
        }
        if (!FreshRecord(rec))
            break;
        auto queue = [this](const SSocketMSG& game) { m_transport.Queue(game); };
        if (!TakeBotRecord(rec, *m_game, queue, NetFiguresClock()))
            Drop(DROP_MALFORMED);
        break;
    }
    case SMSG_PLAYER_NAME:
        // Names of players this copy has taken in only.
        if (m_table.ObjectOf(rec.senderAddr) < 0)
            Drop(DROP_UNKNOWN_SENDER);
        else if (!TakeNameRecord(rec))
            Drop(DROP_MALFORMED);
        break;
    default:
        // Types of 0 and below would be cancel requests that erase the
        // queue's history. Peers send none, nor this copy's own types.
        if (rec.type >= 1 && rec.type <= LAST_GAME_TYPE && !IsLocalOnly(rec.type) && !NeverFromPeers(rec.type))
            QueueGameRecord(rec);
        else
            Drop(DROP_UNKNOWN_TYPE);
    }
}

// A record refused after its number was read still arrived: left missing,
// it would be asked for again and again, and given up at last together with
// the records lost meanwhile.
void CPeerProtocol::QueueGameRecord(const SSocketMSG& rec)
{
    if (!KnownSender(rec) || !FreshRecord(rec) || !Acceptable(rec))
        return;
    m_transport.Queue(rec);
    NetFigures().CountIn(rec.senderAddr, NetFiguresClock());
}

// Once per address, so that a host whose name points at another of its
// interfaces shows why it is never heard.
void CPeerProtocol::ReportForged(const SSocketMSG& rec, unsigned long source)
{
    {
        std::lock_guard<std::mutex> hold(m_followLock);
        if (m_forgedReported.size() >= MAX_STRANGERS || !m_forgedReported.insert(source).second)
            return;
    }
    LogOut("Record from %s names %s as its sender: dropped (its sender address must be the one it sends from)\n",
           DottedAddress(source).c_str(), DottedAddress(rec.senderAddr).c_str());
}

bool CPeerProtocol::KnownSender(const SSocketMSG& rec)
{
    if (m_table.ObjectOf(rec.senderAddr) >= 0)
        return true;
    // Its object cannot be mapped: applied, it would land on whatever
    // local object the sender's raw index names.
    if (!ComeBack(rec))
        AnnounceToStranger(rec.senderAddr);
    Drop(DROP_UNKNOWN_SENDER);
    return false;
}

// Peers send messages about their own tank only, and frags that credit the
// tank that made the kill; states are news only while fresh.
bool CPeerProtocol::Acceptable(const SSocketMSG& rec)
{
    bool state = rec.type == SMSG_TANK_STATE || rec.type == SMSG_POWERUP_STATE || rec.type == SMSG_TANK_POSE;
    // One from a clock not yet synced would land far in the past.
    if (state && (int)((unsigned int)m_game.load()->GetTime() - (unsigned int)rec.time) > STALE_STATE_MS) {
        Drop(DROP_STALE);
        return false;
    }
    // Power-ups have no owner: each peer tells what it saw taken.
    if (rec.type == SMSG_POWERUP_STATE) {
        bool news = Newcomer();
        if (!news)
            Drop(DROP_STALE);
        return news;
    }
    bool owner = rec.type == GMSG_FRAG ? rec.recipientAddr == m_transport.LocalAddress()
                                       : rec.recipientAddr == rec.senderAddr;
    if (!owner)
        Drop(DROP_NOT_OWNER);
    return owner;
}

void CPeerProtocol::TakePeer(const SSocketMSG& rec)
{
    if (!m_announced)
        return;
    SWireStamp stamp = ReadStamp(rec);
    EPeer peer = AddPeer(rec);
    if (peer == PEER_REFUSED)
        return;
    bool newRun = Follow(rec.senderAddr, stamp);
    if (rec.type == SMSG_CONNECT_BACK) {
        if (peer == PEER_ADDED)
            RequestTimeSync();
        return;
    }
    // The same announcement twice (the network doubled it) is answered once;
    // a copy that restarted announces a new run and is answered.
    if (rec.type == SMSG_CONNECT && peer == PEER_KNOWN && stamp.incarnation != 0 && !newRun)
        return;
    LogOut("sending SMSG_CONNECT_BACK to: %s\n", DottedAddress(rec.senderAddr).c_str());
    Connect(rec.senderAddr);
    // A copy that has played longer repeats its announcement: heard by a
    // copy that has just started, before the answer to its own, its answer
    // finds the peer known and would never set the clock.
    if (peer == PEER_ADDED && PlayedLonger(rec))
        RequestTimeSync(rec.senderAddr);
}

bool CPeerProtocol::PlayedLonger(const SSocketMSG& announcement)
{
    std::lock_guard<std::mutex> hold(m_syncLock);
    // A clock that others have taken stays: a copy that started earlier (its
    // player sat in the menu) but joins now takes it from the answers.
    if (m_synced || m_clockGiven || m_pendingRequests > 0)
        return false;
    return ClockAhead(announcement);
}

bool CPeerProtocol::ClockAhead(const SSocketMSG& rec)
{
    unsigned int own = (unsigned int)m_game.load()->GetTime();
    return (int)((unsigned int)rec.sendTime - own) > 0;
}

// Two copies on their own that meet ask each other for the time when one
// hears the other's repeated announcement before the answer to its own:
// both answers would carry the clocks before either was set, and swap them.
// The copy that played longer keeps its clock. Any request for this clock
// also marks it as one that others follow (PlayedLonger).
void CPeerProtocol::YieldClockRequest(const SSocketMSG& request)
{
    std::lock_guard<std::mutex> hold(m_syncLock);
    if (request.time == 0)
        return;
    m_clockGiven = true;
    if (m_synced || m_pendingRequests == 0 || request.senderAddr != m_syncPeer || ClockAhead(request))
        return;
    m_pendingRequests = 0;
    LogOut("clock kept: %s takes it\n", DottedAddress(request.senderAddr).c_str());
}

// A peer already known (an announcement repeated, or a copy that restarted)
// keeps its entry and its tank; one that had left gets them back.
CPeerProtocol::EPeer CPeerProtocol::AddPeer(const SSocketMSG& rec)
{
    IGameInterface* game = m_game;
    std::lock_guard<std::mutex> hold(m_peerLock);
    if (m_table.ObjectOf(rec.senderAddr) >= 0)
        return PEER_KNOWN;
    int departed = m_table.DepartedObject(rec.senderAddr);
    if (departed >= 0) {
        if (!m_table.Return(rec.senderAddr)) {
            PrintLine("connection table full: connect ignored");
            return PEER_REFUSED;
        }
        // Where the announcement says it is; this game's copies send the
        // whole tank right after.
        STankPrototype* tank = TankFromWire(rec);
        WelcomeBack(rec.senderAddr, *tank);
        DestroyObject(tank);
        return PEER_RETURNED;
    }
    if (m_table.IsFull()) {
        PrintLine("connection table full: connect ignored");
        return PEER_REFUSED;
    }
    PrintLine(" tried to connect");
    int index = game->AddGameObject(TankFromWire(rec));
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
        // Unlike a round-trip probe's, this request's answer sets the clock:
        // its time (unread in control records) says so.
        rec.time = now;
        // Kept without the offset already applied, so that a second answer
        // corrects the clock instead of undoing the first.
        m_requestTicks = now - m_appliedOffset;
        m_syncPeer = peer;
        m_requestedAt = Clock::now();
        ++m_pendingRequests;
    }
    Transmit(rec);
}

void CPeerProtocol::AnswerTimeSync(const SSocketMSG& request)
{
    YieldClockRequest(request);
    RestateWithheld();
    SSocketMSG reply{};
    reply.type = SMSG_TIMESYNC_REPLY;
    reply.syncTime = m_game.load()->GetTime();
    reply.senderAddr = m_transport.LocalAddress();
    reply.destAddr = (uint32_t)request.senderAddr;
    PrintLine("timesync request");
    Transmit(reply);
}

void CPeerProtocol::ApplyTimeSync(const SSocketMSG& reply)
{
    if (!SetClock(reply))
        return;
    m_joinedAt = (unsigned int)m_game.load()->GetTime();
    m_withheld = false;
    PublishOwnState();
    // Until the tanks of the battle have come, this copy's battlefield is
    // not the others'.
    CStateCheck* check = m_stateCheck;
    if (check)
        check->SendFrom((unsigned int)m_game.load()->GetTime() + 2 * CStateCheck::PERIOD_MS);
}

// A copy that has asked for the clock and never had it set plays on a time
// of its own, which the battle will not share.
bool CPeerProtocol::AwaitingClock()
{
    // Once set, the clock stays set: every later record goes without the lock.
    if (m_synced)
        return false;
    std::lock_guard<std::mutex> hold(m_syncLock);
    return !m_synced && m_pendingRequests > 0;
}

// The wait ended without the clock being set (this copy keeps its own): what
// was kept back reaches the peers as the tank's state.
void CPeerProtocol::RestateWithheld()
{
    if (m_withheld && !AwaitingClock() && m_withheld.exchange(false))
        PublishOwnState();
}

// A copy that first played alone was never told of power-ups taken before
// it: it saw them all.
bool CPeerProtocol::Newcomer()
{
    return m_synced && (int)((unsigned int)m_game.load()->GetTime() - m_joinedAt) < NEWCOMER_MS;
}

// True the first time the clock is set.
bool CPeerProtocol::SetClock(const SSocketMSG& reply)
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
        return false;
    }
    --m_pendingRequests;
    PrintLine("time sync engaged");
    bool first = !m_synced;
    m_synced = true;
    // The peer's clock is dated at the request: a copy that has just started
    // is slow to read the answer, rarely the peer to send it, so the middle
    // of the round trip measured worse on a busy machine.
    unsigned int arrived = (unsigned int)m_game.load()->GetTime() - m_appliedOffset;
    unsigned int roundTrip = arrived - m_requestTicks;
    m_appliedOffset = (unsigned int)reply.syncTime - m_requestTicks;
    m_game.load()->SetTimeOffset(m_appliedOffset);
    LogOut("clock set from %s, round trip %u ms\n", DottedAddress(reply.senderAddr).c_str(), roundTrip);
    return first;
}
