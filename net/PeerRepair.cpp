// The repair side of the peer protocol: numbered game records that arrive
// twice are dropped, those that never arrive are asked for again, and peers
// that quit or fall silent leave the battlefield (and come back).
#include "net/PeerProtocol.h"
#include "model/Log.h"

#include <cmath>
#include <cstring>

#include "model/Numbers.h"
#include "net/NetFigures.h"
#include "net/WireConvert.h"

namespace {

// At most this many records are asked for, or sent again, per range.
const uint32_t MAX_RANGE = 64;

// The records that `find` still has of the numbers in `ranges`, each as
// `send` makes it.
template <typename Find, typename Send>
std::vector<SSocketMSG> KeptIn(const std::vector<SSequenceRange>& ranges, Find find, Send send)
{
    std::vector<SSocketMSG> kept;
    for (const SSequenceRange& range : ranges) {
        for (uint32_t n = range.first; n - range.first < range.count; ++n) {
            SSocketMSG rec;
            if (find(n, rec))
                kept.push_back(send(rec));
        }
    }
    return kept;
}

}  // namespace

// Follows a numbering peer's records from the ones it sends after `stamp`; a
// new run of the peer (it restarted) starts afresh. False when the peer's
// run was followed already.
bool CPeerProtocol::Follow(unsigned long peer, const SWireStamp& stamp)
{
    std::lock_guard<std::mutex> hold(m_followLock);
    auto followed = m_followed.find(peer);
    if (stamp.incarnation == 0) {
        if (followed != m_followed.end())
            m_followed.erase(followed);
        return true;
    }
    if (followed != m_followed.end() && followed->second.window.Incarnation() == stamp.incarnation)
        return false;
    m_followed.erase(peer);
    m_followed.emplace(peer, SFollowed(CSequenceWindow(stamp.incarnation, stamp.lastSent)));
    return true;
}

bool CPeerProtocol::FreshRecord(const SSocketMSG& rec)
{
    SWireStamp stamp = ReadStamp(rec);
    if (stamp.incarnation == 0 || stamp.sequence == 0)
        return true;
    std::lock_guard<std::mutex> hold(m_followLock);
    auto followed = m_followed.find(rec.senderAddr);
    if (followed == m_followed.end()) {
        followed =
            m_followed.emplace(rec.senderAddr, SFollowed(CSequenceWindow(stamp.incarnation, stamp.sequence - 1))).first;
    }
    if (followed->second.window.Incarnation() != stamp.incarnation) {
        Drop(DROP_STALE);
        return false;
    }
    SFollowed& f = followed->second;
    if (f.window.Take(stamp.sequence) == CSequenceWindow::DUPLICATE) {
        Drop(DROP_DUPLICATE);
        return false;
    }
    f.held.Keep(stamp.sequence, rec);
    if (f.lastTime == 0 || (int)((unsigned int)rec.time - f.lastTime) > 0)
        f.lastTime = (unsigned int)rec.time;
    return true;
}

// Every record a peer sends says how far its numbering has got, so a record
// lost at the end of a burst is noticed by the next probe's answer.
void CPeerProtocol::Heard(const SSocketMSG& rec)
{
    SWireStamp stamp = ReadStamp(rec);
    std::lock_guard<std::mutex> hold(m_followLock);
    if (m_table.ObjectOf(rec.senderAddr) >= 0)
        m_heard[rec.senderAddr] = Clock::now();
    auto followed = m_followed.find(rec.senderAddr);
    if (followed != m_followed.end() && followed->second.window.Incarnation() == stamp.incarnation) {
        followed->second.window.Heard(stamp.lastSent);
        followed->second.relayAsked = false;
    }
}

void CPeerProtocol::Resend(const SSocketMSG& request)
{
    if (m_table.ObjectOf(request.senderAddr) < 0)
        return;
    auto find = [this](uint32_t n, SSocketMSG& rec) { return m_sent.Find(n, rec); };
    auto send = [&request](SSocketMSG rec) {
        rec.destAddr = (uint32_t)request.senderAddr;
        return rec;
    };
    for (SSocketMSG& rec : KeptIn(RequestedRanges(request, MAX_RANGE), find, send))
        Transmit(rec);
}

// A record is given up by its own age: one lost a moment ago is still asked
// for when an older one is given up.
uint32_t CPeerProtocol::SFollowed::GiveUpOlderThan(Clock::time_point now, Clock::duration age)
{
    if (known.empty() || known.back().second != window.Highest())
        known.emplace_back(now, window.Highest());
    uint32_t sentBefore = 0;  // numbers start at 1: none to give up
    while (!known.empty() && now >= known.front().first + age) {
        sentBefore = known.front().second;
        known.pop_front();
    }
    return window.GiveUp(sentBefore);
}

void CPeerProtocol::AskForMissing(Clock::time_point now)
{
    std::vector<SSocketMSG> requests;
    unsigned long local = m_transport.LocalAddress();
    {
        std::lock_guard<std::mutex> hold(m_followLock);
        if (now < m_askedAt + std::chrono::milliseconds(RESEND_INTERVAL_MS))
            return;
        m_askedAt = now;
        for (auto& followed : m_followed) {
            SFollowed& f = followed.second;
            m_lost += f.GiveUpOlderThan(now, std::chrono::milliseconds(GIVE_UP_MS));
            std::vector<SSequenceRange> missing = f.window.Missing(RESEND_RANGES, MAX_RANGE);
            if (!missing.empty())
                requests.push_back(ResendRequest(missing, local, followed.first));
        }
        AskForRelays(now, requests);
    }
    for (SSocketMSG& rec : requests)
        Transmit(rec);
}

bool CPeerProtocol::Silent(unsigned long peer, Clock::time_point now) const
{
    auto heard = m_heard.find(peer);
    return heard != m_heard.end() && now >= heard->second + std::chrono::milliseconds(RELAY_AFTER_MS);
}

// A peer that crashed sends nothing again, and a record of its that the
// network lost on the way to this copy alone would leave its tank different
// here until it leaves. The other copies hold what they received of it:
// they are asked for what this copy lacks, the last records of a burst
// included (this copy may never have heard of them). One copy a round, in
// turn: every copy asking every other would flood a large battle.
void CPeerProtocol::AskForRelays(Clock::time_point now, std::vector<SSocketMSG>& requests)
{
    unsigned long local = m_transport.LocalAddress();
    for (auto& silent : m_followed) {
        SFollowed& f = silent.second;
        if (!Silent(silent.first, now))
            continue;
        std::vector<unsigned long> helpers;
        for (const auto& helper : m_followed)
            if (helper.first != silent.first)
                helpers.push_back(helper.first);
        if (helpers.empty())
            continue;
        SRelayAsk ask{silent.first, f.window.Incarnation(), f.window.Highest(),
                      f.window.Missing(RESEND_RANGES, MAX_RANGE)};
        requests.push_back(RelayRequest(ask, local, helpers[m_relayRound++ % helpers.size()]));
        f.relayAsked = true;
    }
}

// Sends on what this copy holds of the records another copy asks for.
void CPeerProtocol::Relay(const SSocketMSG& request)
{
    if (m_table.ObjectOf(request.senderAddr) < 0)
        return;
    SRelayAsk ask = RelayAskFrom(request, MAX_RANGE);
    std::vector<SSocketMSG> relayed;
    {
        std::lock_guard<std::mutex> hold(m_followLock);
        auto followed = m_followed.find(ask.origin);
        if (followed == m_followed.end() || followed->second.window.Incarnation() != ask.incarnation)
            return;
        const SFollowed& f = followed->second;
        std::vector<SSequenceRange> ranges = ask.ranges;
        uint32_t newer = f.window.Highest() - ask.highest;
        if ((int32_t)newer > 0)
            ranges.push_back(SSequenceRange{ask.highest + 1, newer < MAX_RANGE ? newer : MAX_RANGE});
        auto find = [&f](uint32_t n, SSocketMSG& rec) { return f.held.Find(n, rec); };
        auto send = [&request](const SSocketMSG& rec) { return RelayedRecord(rec, request.senderAddr); };
        relayed = KeptIn(ranges, find, send);
    }
    for (SSocketMSG& rec : relayed)
        Transmit(rec);
}

// A silent peer's record sent on by a copy that holds it is taken as the
// peer's own, but only from a copy in the table and while this copy waits
// for it: another copy can speak for a peer only while that peer says
// nothing, and its number still drops a record that came already.
void CPeerProtocol::TakeRelayed(const SSocketMSG& relayed, unsigned long source)
{
    SSocketMSG rec = RecordFromRelayed(relayed);
    SWireStamp stamp = ReadStamp(rec);
    bool asked = false;
    if (m_table.ObjectOf(source) >= 0 && stamp.sequence != 0 && NumberedType(rec.type)) {
        std::lock_guard<std::mutex> hold(m_followLock);
        auto followed = m_followed.find(rec.senderAddr);
        asked = followed != m_followed.end() && followed->second.relayAsked &&
                followed->second.window.Incarnation() == stamp.incarnation;
        if (asked)
            followed->second.window.Heard(stamp.lastSent);
    }
    if (!asked) {
        Drop(DROP_UNASKED_RELAY);
        return;
    }
    Sort(rec);
}

void CPeerProtocol::DepartSilent(Clock::time_point now)
{
    // Each silent peer, and the game time it left at by its records.
    std::vector<std::pair<unsigned long, unsigned long>> silent;
    unsigned long local = m_transport.LocalAddress();
    {
        std::lock_guard<std::mutex> hold(m_followLock);
        for (const ZOConnectionID& entry : m_table.Snapshot()) {
            if (entry.address == local)
                continue;
            // The silence is counted from when the peer was taken in.
            auto heard = m_heard.emplace(entry.address, now).first;
            if (now < heard->second + std::chrono::milliseconds(SILENCE_MS))
                continue;
            // Its last record, and the same silence after it: each copy
            // notices the silence at its own moment, but has the same records.
            auto followed = m_followed.find(entry.address);
            unsigned int last = followed != m_followed.end() ? followed->second.lastTime : 0;
            silent.emplace_back(entry.address, last ? last + SILENCE_MS : 0);
        }
    }
    for (const auto& peer : silent)
        Depart(peer.first, "silent", peer.second);
}

void CPeerProtocol::Depart(unsigned long peer, const char* why, unsigned long leftAt)
{
    IGameInterface* game = m_game;
    int tank;
    {
        std::lock_guard<std::mutex> hold(m_peerLock);
        tank = m_table.Depart(peer);
    }
    if (tank < 0 || !game)
        return;
    {
        std::lock_guard<std::mutex> hold(m_followLock);
        m_heard.erase(peer);
        m_followed.erase(peer);
    }
    NetFigures().Forget(peer);
    LogOut("%s left the battle (%s)\n", DottedAddress(peer).c_str(), why);
    // A departure is dated by the leaver's clock, after its last records, so
    // that every copy takes the tank off at one game time, wherever the
    // record was late; a time ahead of this clock, or a stale one, is not believed.
    unsigned int now = (unsigned int)game->GetTime();
    unsigned int at = now;
    int age = (int)(now - (unsigned int)leftAt);
    if (leftAt != 0 && age >= 0 && age <= STALE_STATE_MS)
        at = (unsigned int)leftAt + 1;
    game->AddMsg(MakeMsg(GMSG_DEPARTED, tank, 0, 0, at));
}

// A record from a peer that left; true when it was one. This game's copies are asked for their
// announcement, which brings them back with their tank as it is now; a peer
// that follows the original rules is never announced again, so its own
// records bring it back.
bool CPeerProtocol::ComeBack(const SSocketMSG& rec)
{
    int tank = m_table.DepartedObject(rec.senderAddr);
    if (tank < 0 || m_table.ObjectOf(rec.senderAddr) >= 0)
        return false;
    if (ReadStamp(rec).incarnation != 0) {
        AnnounceToStranger(rec.senderAddr);
        return true;
    }
    IGameInterface* game = m_game;
    {
        std::lock_guard<std::mutex> hold(m_peerLock);
        if (!m_table.Return(rec.senderAddr))
            return true;
    }
    SGameObject* last = game->CopyGameObject(tank);
    if (last) {
        // Its tank left as it was, taken off the field; one that moves again
        // is playing, and stands where its move puts it.
        if (rec.type == GMSG_MOVE_TO_LOC && std::isfinite(rec.data[0]) && std::isfinite(rec.data[1]) &&
            std::isfinite(rec.data[2])) {
            last->active = 1;
            last->pos = Vector3f(rec.data[0], rec.data[1], rec.data[2]);
        }
        WelcomeBack(rec.senderAddr, *last);
        DestroyObject(last);
    }
    return true;
}

// A departed peer's tank comes back through the queue, as `tank` is now.
void CPeerProtocol::WelcomeBack(unsigned long peer, const SGameObject& tank)
{
    LogOut("%s is back in the battle\n", DottedAddress(peer).c_str());
    IGameInterface* game = m_game;
    SSocketMSG state = TankStateRecord(tank, peer, 0, game->GetTime());
    game->AddMsg(TankStateFromWire(state, m_table.Snapshot()));
}

void CPeerProtocol::PublishOwnState()
{
    IGameInterface* game = m_game;
    SGameObject* tank = game ? game->CopyGameObject(LOCAL_TANK) : 0;
    if (!tank)
        return;
    SSocketMSG rec = TankStateRecord(*tank, m_transport.LocalAddress(), 0, game->GetTime());
    DestroyObject(tank);
    SendGameRecord(rec);
}

void CPeerProtocol::SendStateHashes()
{
    CStateCheck* check = m_stateCheck;
    IGameInterface* game = m_game;
    if (!check || !game)
        return;
    unsigned long local = m_transport.LocalAddress();
    for (const CStateCheck::SHash& own : check->TakeDue((unsigned int)game->GetTime())) {
        SSocketMSG rec{};
        rec.type = SMSG_STATE_HASH;
        rec.senderAddr = local;
        rec.time = own.time;
        // Two words: a 32-bit build's syncTime holds only the low one.
        uint32_t words[2] = {(uint32_t)own.hash, (uint32_t)(own.hash >> 32)};
        std::memcpy(rec.data, words, sizeof words);
        for (const ZOConnectionID& entry : m_table.Snapshot()) {
            if (entry.address == local)
                continue;
            rec.destAddr = (uint32_t)entry.address;
            Transmit(rec);
        }
    }
}

void CPeerProtocol::CompareStateHash(const SSocketMSG& rec)
{
    CStateCheck* check = m_stateCheck;
    if (!check || m_table.ObjectOf(rec.senderAddr) < 0)
        return;
    uint32_t words[2];
    std::memcpy(words, rec.data, sizeof words);
    uint64_t hash = (uint64_t)words[1] << 32 | words[0];
    if (check->Peer(rec.senderAddr, CStateCheck::SHash{(unsigned int)rec.time, hash}))
        NetFigures().Disagreement(rec.senderAddr);
}
