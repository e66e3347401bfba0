#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

#include "tests/unit/LogCapture.h"
#include "NetFakes.h"
#include "ObjectBuilder.h"
#include "net/NetFigures.h"
#include "net/WireConvert.h"

namespace {

const unsigned long STRANGER = Ip(10, 77, 0, 9);
const uint32_t OWN_RUN = 7;
typedef std::vector<unsigned long> Addresses;

SGameObject* MakeObject(int kind, float x)
{
    SGameObject* o = NewObject(kind, Vector3f(x, 0, -x), 45, 2);
    o->texture0 = 3;
    o->texture1 = 4;
    if (kind == KIND_TANK) {
        o->state[TS_SPEED] = 0.5f;
        o->state[TS_TURN_RATE] = 0.1f;
    }
    return o;
}

// A peer at `address` (SELF unless named) with a loaded battlefield: ground
// at 0, its own tank at 1.
struct SPeerCopy {
    explicit SPeerCopy(unsigned long address = SELF, uint32_t run = OWN_RUN)
        : transport(address), protocol(table, transport, run)
    {
        game.objects.push_back(MakeObject(KIND_GROUND, 0));
        game.objects.push_back(MakeObject(KIND_TANK, 20));
        protocol.SetGame(&game);
        protocol.AddLocalEntry();
    }
    ~SPeerCopy()
    {
        for (SGameObject* o : game.objects)
            DestroyObject(o);
    }

    CFakeGame game;
    CFakeTransport transport;
    CConnectionTable table;
    CPeerProtocol protocol;
};

class PeerProtocol : public testing::Test, protected SPeerCopy {
protected:
    // Where the records of `type` sent so far went; all must name this peer.
    Addresses SentTo(int type) const
    {
        Addresses to;
        for (const SSocketMSG& rec : transport.sent) {
            EXPECT_EQ(rec.senderAddr, SELF);
            if (rec.type == type)
                to.push_back(rec.destAddr);
        }
        return to;
    }

    void Announce()
    {
        Quietly([&] { protocol.Connect(0); });
        transport.sent.clear();
    }

    // Feeds one record, sent from the address it names; returns what the peer printed.
    std::string Receive(const SSocketMSG& rec) { return ReceiveBytes(&rec, sizeof rec, rec.senderAddr); }
    std::string ReceiveBytes(const void* bytes, size_t length, unsigned long source)
    {
        CaptureLog();
        protocol.HandleDatagram(bytes, length, source);
        return CapturedOut();
    }
    // Announced, with PEER_A and PEER_B known (their tanks 2 and 3).
    void MeetPeers()
    {
        Announce();
        Receive(ConnectFrom(SMSG_CONNECT_BACK, PEER_A, 50));
        Receive(ConnectFrom(SMSG_CONNECT_BACK, PEER_B, 60));
        transport.sent.clear();
    }
    template <typename F>
    void Quietly(F f)
    {
        CaptureLog();
        f();
        CapturedOut();
    }

    SSocketMSG ConnectFrom(int type, unsigned long sender, float x)
    {
        SGameObject* tank = MakeObject(KIND_TANK, x);
        SSocketMSG rec = ConnectRecord(type, *tank, sender, type == SMSG_CONNECT ? 0xffffffffu : SELF);
        DestroyObject(tank);
        return rec;
    }
    // A record from `sender`; a game message about the tank of the peer at `owner`.
    SSocketMSG About(int type, unsigned long sender, unsigned long owner = 0)
    {
        SSocketMSG rec{};
        rec.type = type;
        rec.senderAddr = sender;
        rec.recipientAddr = owner;
        rec.destAddr = (uint32_t)SELF;
        return rec;
    }
    SSocketMSG Reply(unsigned long sender, unsigned long syncTime = 0)
    {
        SSocketMSG rec = About(SMSG_TIMESYNC_REPLY, sender);
        rec.syncTime = syncTime;
        return rec;
    }
    // Feeds one record to a copy of its own, as Receive does to this one.
    void Feed(SPeerCopy& copy, const SSocketMSG& rec)
    {
        Quietly([&] { copy.protocol.HandleDatagram(&rec, sizeof rec, rec.senderAddr); });
    }
    void Repeat(std::chrono::steady_clock::time_point now)
    {
        Quietly([&] { protocol.RepeatHandshake(now); });
    }
    // PEER_A answers in run `run`, whose numbers so far reach `lastSent`.
    void PeerANumbersFrom(uint32_t run, uint32_t lastSent)
    {
        SSocketMSG hello = ConnectFrom(SMSG_CONNECT_BACK, PEER_A, 50);
        WriteStamp(hello, SWireStamp{run, 0, lastSent});
        Receive(hello);
    }
};

}  // namespace

// No peer is taken in before the local tank is announced, and nothing is
// announced without one.
TEST_F(PeerProtocol, TheLocalTankIsEnteredOnceAndAnnouncedBeforeAnyPeerIsTakenIn)
{
    EXPECT_EQ(Receive(ConnectFrom(SMSG_CONNECT, PEER_A, 50)), "");
    EXPECT_EQ(game.objects.size(), 2u);
    protocol.AddLocalEntry();
    protocol.AddLocalEntry();
    std::vector<ZOConnectionID> entries = table.Snapshot();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].address, SELF);
    EXPECT_EQ(entries[0].objectIndex, 1);

    CaptureLog();
    protocol.Connect(0);
    EXPECT_EQ(CapturedOut(), " Attempting to connect \n");
    EXPECT_EQ(SentTo(SMSG_CONNECT), Addresses({0xffffffffu}));
    ASSERT_EQ(transport.sent.size(), 1u);
    EXPECT_EQ(transport.sent[0].data[0], 20);
    EXPECT_EQ(transport.sent[0].data[4], 45);
    EXPECT_EQ(transport.sent[0].tankState[0], 0.5f);

    CFakeGame empty;
    protocol.SetGame(&empty);
    Quietly([&] { protocol.Connect(0); });
    EXPECT_EQ(transport.sent.size(), 1u);
}

TEST_F(PeerProtocol, AnnouncementAlsoGoesToEachListedPeerButNotAnAnswer)
{
    std::vector<std::string> refused;
    Addresses listed = AddressList("10.77.2.2,10.77.0.1  256.1.1.1 1.2.3 1.2.3.4.5 10.77.0.3,,", refused);
    EXPECT_EQ(listed, Addresses({Ip(10, 77, 2, 2), SELF, PEER_B}));
    EXPECT_EQ(refused, (std::vector<std::string>{"256.1.1.1", "1.2.3", "1.2.3.4.5"}));
    protocol.SetDirectPeers(listed);

    Quietly([&] { protocol.Connect(0); });
    EXPECT_EQ(SentTo(SMSG_CONNECT), Addresses({0xffffffffu, Ip(10, 77, 2, 2), PEER_B})) << "not to itself";
    transport.sent.clear();
    // Two crates, the second taken and back in 4 s.
    game.ticks = 50000;
    game.objects.push_back(MakeObject(KIND_POWERUP, 300));
    game.objects.push_back(MakeObject(KIND_POWERUP, 400));
    game.objects[2]->timer = 49000;
    game.objects[3]->timer = 54000;
    Quietly([&] { protocol.Connect(PEER_A); });
    EXPECT_EQ(SentTo(SMSG_CONNECT_BACK), Addresses({PEER_A}));
    EXPECT_EQ(SentTo(SMSG_TANK_STATE), Addresses({PEER_A})) << "an answer comes with the whole tank";
    EXPECT_EQ(SentTo(SMSG_POWERUP_STATE), Addresses({PEER_A})) << "and the crates taken that are not back";
    ASSERT_EQ(transport.sent.size(), 3u);
    EXPECT_EQ(transport.sent[2].recipient, 3);
}

// A newcomer starts this copy's tank from the last record it got. A warp
// back before that record (a hit on the tank heard late) sends the tank
// again, dated now; one back to a later time does not.
TEST_F(PeerProtocol, ANewcomerGetsTheTankAgainAfterAWarpBehindItsRecord)
{
    MeetPeers();
    game.ticks = 5000;
    Quietly([&] { protocol.Connect(PEER_A); });
    transport.sent.clear();
    protocol.RestateToNewcomers(5010);
    EXPECT_TRUE(SentTo(SMSG_TANK_STATE).empty());
    game.ticks = 5400;
    protocol.RestateToNewcomers(4000);
    EXPECT_EQ(SentTo(SMSG_TANK_STATE), Addresses({PEER_A}));
    EXPECT_EQ(transport.sent.back().time, 5400u);
    protocol.RestateToNewcomers(5400);
    EXPECT_EQ(SentTo(SMSG_TANK_STATE), Addresses({PEER_A})) << "not behind its last record";
    protocol.RestateToNewcomers(5200);
    EXPECT_EQ(SentTo(SMSG_TANK_STATE), Addresses({PEER_A, PEER_A})) << "behind its last record";
}

// A known peer connecting again (a repeated announcement, or a restarted copy
// that still needs this one's tank) is answered but keeps its entry and tank.
TEST_F(PeerProtocol, ConnectFromNewAddressAddsOneTankAndEachConnectIsAnswered)
{
    Announce();
    EXPECT_EQ(Receive(ConnectFrom(SMSG_CONNECT, PEER_A, 50)),
              " tried to connect\nsending SMSG_CONNECT_BACK to: 10.77.0.2\n Attempting to connect \n");
    EXPECT_EQ(Receive(ConnectFrom(SMSG_CONNECT, PEER_A, 80)),
              "sending SMSG_CONNECT_BACK to: 10.77.0.2\n Attempting to connect \n");
    ASSERT_EQ(game.objects.size(), 3u);
    EXPECT_EQ(game.objects[2]->pos.x, 50);
    EXPECT_EQ(game.objects[2]->stateCount, TANK_STATE_COUNT);
    std::vector<ZOConnectionID> entries = table.Snapshot();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].address, PEER_A);
    EXPECT_EQ(entries[1].objectIndex, 2);
    EXPECT_EQ(SentTo(SMSG_CONNECT_BACK), Addresses({PEER_A, PEER_A}));
    ASSERT_FALSE(transport.sent.empty());
    EXPECT_EQ(transport.sent[0].data[0], 20) << "the answer describes the local tank";

    // A copy of this game names its run: the same announcement twice (the
    // network doubled it) is answered once, a new run (a restart) again.
    transport.sent.clear();
    SSocketMSG first = ConnectFrom(SMSG_CONNECT, PEER_B, 60);
    WriteStamp(first, SWireStamp{5, 0, 0});
    SSocketMSG restarted = first;
    WriteStamp(restarted, SWireStamp{6, 0, 0});
    for (const SSocketMSG& rec : {first, first, restarted})
        Quietly([&] { Receive(rec); });
    EXPECT_EQ(SentTo(SMSG_CONNECT_BACK), Addresses({PEER_B, PEER_B}));
    EXPECT_EQ(game.objects.size(), 4u);
}

// A copy that has just started can hear an older copy's repeated
// announcement before the answer to its own: it asks that copy for the time
// (once), and not a copy whose clock is behind its own.
TEST_F(PeerProtocol, AnAnnouncementOfACopyThatPlayedLongerIsAskedForTheTime)
{
    Announce();
    game.ticks = 1000;
    SSocketMSG newer = ConnectFrom(SMSG_CONNECT, PEER_B, 60);
    newer.sendTime = 400;
    Receive(newer);
    SSocketMSG older = ConnectFrom(SMSG_CONNECT, PEER_A, 50);
    older.sendTime = 60000;
    Receive(older);
    Receive(older);
    EXPECT_EQ(SentTo(SMSG_TIMESYNC_REQUEST), Addresses({PEER_A}));
}

// A copy whose clock a peer has taken keeps it, however long a newcomer's
// program has run.
TEST_F(PeerProtocol, ACopyWhoseClockWasTakenAsksNoNewcomerForTheTime)
{
    Announce();
    game.ticks = 1000;
    SSocketMSG request = About(SMSG_TIMESYNC_REQUEST, PEER_A);
    request.time = 900;
    Receive(request);
    transport.sent.clear();
    SSocketMSG older = ConnectFrom(SMSG_CONNECT, Ip(10, 77, 0, 4), 70);
    older.sendTime = 60000;
    Receive(older);
    EXPECT_EQ(SentTo(SMSG_CONNECT_BACK), Addresses({Ip(10, 77, 0, 4)}));
    EXPECT_TRUE(SentTo(SMSG_TIMESYNC_REQUEST).empty());
}

// This copy, on its own, is answered by PEER_A and asks it for the time;
// PEER_A asks too. Only a younger copy's request for this clock keeps this
// one's clock from being set: two answers carrying the clocks as they were
// would swap them.
TEST_F(PeerProtocol, OfTwoCopiesAskingEachOtherForTheTimeTheOneThatPlayedLongerKeepsItsClock)
{
    struct SCase {
        const char* what;
        unsigned long time;  // of the request, 0 in a round-trip probe
        unsigned long sendTime;
        bool clockSet;
    } cases[] = {
        {"a younger copy asks for this clock", 900, 900, false},
        {"a younger copy probes the round trip", 0, 900, true},
        {"an older copy asks for this clock", 9000, 9000, true},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.what);
        SPeerCopy copy;
        copy.game.ticks = 5000;
        Quietly([&] { copy.protocol.Connect(0); });
        SSocketMSG answer = ConnectFrom(SMSG_CONNECT_BACK, PEER_A, 50);
        answer.sendTime = 900;
        Feed(copy, answer);
        SSocketMSG request = About(SMSG_TIMESYNC_REQUEST, PEER_A);
        request.time = c.time;
        request.sendTime = c.sendTime;
        Feed(copy, request);
        Feed(copy, Reply(PEER_A, 910));
        EXPECT_EQ(copy.game.offsetsSet, c.clockSet ? 1 : 0);
        EXPECT_EQ(copy.game.GetTime(), c.clockSet ? 910u : 5000u);
    }
}

// A copy that has asked for the time plays on a clock about to jump: what it
// sends meanwhile would reach the peers dated far in their past. Its records
// wait for the end of the wait, however it ends, and are summed up by its
// tank's state, dated on the clock it then plays by.
TEST_F(PeerProtocol, RecordsMadeWhileTheClockIsAwaitedGoOutAsTheTanksStateOnceItIsSet)
{
    struct SCase {
        const char* what;
        std::function<void(SPeerCopy&)> endWait;
        unsigned int stateTime;
    } cases[] = {
        {"the answer sets the clock", [this](SPeerCopy& copy) { Feed(copy, Reply(PEER_A, 90000)); }, 90000},
        {"a younger copy takes this clock",
         [this](SPeerCopy& copy) {
             SSocketMSG request = About(SMSG_TIMESYNC_REQUEST, PEER_A);
             request.time = request.sendTime = 900;
             Feed(copy, request);
         },
         5000},
        {"no answer ever comes",
         [](SPeerCopy& copy) {
             auto now = std::chrono::steady_clock::now();
             for (int s = 1; s <= CPeerProtocol::ANNOUNCEMENT_REPEATS + 4; ++s)
                 copy.protocol.RepeatHandshake(now + std::chrono::seconds(s));
         },
         5000},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.what);
        SPeerCopy copy;
        copy.game.ticks = 5000;
        auto sentOf = [&](int type) {
            std::vector<SSocketMSG> of;
            for (const SSocketMSG& rec : copy.transport.sent)
                if (rec.type == type && rec.destAddr == (uint32_t)PEER_A)
                    of.push_back(rec);
            return of;
        };
        Quietly([&] { copy.protocol.Connect(0); });
        Feed(copy, ConnectFrom(SMSG_CONNECT_BACK, PEER_A, 50));
        copy.protocol.SendGameRecord(About(GMSG_SHOOT, SELF, SELF));
        EXPECT_TRUE(sentOf(GMSG_SHOOT).empty());
        EXPECT_TRUE(sentOf(SMSG_TANK_STATE).empty());

        Quietly([&] { c.endWait(copy); });
        std::vector<SSocketMSG> states = sentOf(SMSG_TANK_STATE);
        ASSERT_EQ(states.size(), 1u);
        EXPECT_EQ(states[0].time, c.stateTime);
        EXPECT_EQ(ReadStamp(states[0]).sequence, 1u) << "the shot kept back took no number";
        copy.protocol.SendGameRecord(About(GMSG_SHOOT, SELF, SELF));
        EXPECT_EQ(sentOf(GMSG_SHOOT).size(), 1u);
        EXPECT_EQ(sentOf(SMSG_TANK_STATE).size(), 1u);
    }
}

TEST_F(PeerProtocol, TimeRequestIsAnsweredWithTheRepliersClock)
{
    game.ticks = 5000;
    game.offset = 250;
    EXPECT_EQ(Receive(About(SMSG_TIMESYNC_REQUEST, PEER_B)), "timesync request\n");
    EXPECT_EQ(SentTo(SMSG_TIMESYNC_REPLY), Addresses({PEER_B}));
    ASSERT_EQ(transport.sent.size(), 1u);
    EXPECT_EQ(transport.sent[0].syncTime, 5250u);
}

// Each peer that answers is asked the time of the first one; its first reply
// sets the clock to its own plus the time since the request, a second, asked
// later, corrects the clock instead of undoing the first.
TEST_F(PeerProtocol, ConnectBackAddsOneTankAndTheFirstPeersRepliesSetTheClock)
{
    Announce();
    game.ticks = 1000;
    EXPECT_EQ(Receive(ConnectFrom(SMSG_CONNECT_BACK, PEER_A, 50)), " tried to connect\n");
    game.ticks = 1010;
    EXPECT_EQ(Receive(Reply(PEER_A, 90005)), "time sync engaged\nclock set from 10.77.0.2, round trip 10 ms\n");
    EXPECT_EQ(game.GetTime(), 90015u);

    game.ticks = 1100;
    Receive(ConnectFrom(SMSG_CONNECT_BACK, PEER_B, 60));
    ASSERT_EQ(game.objects.size(), 4u);
    std::vector<ZOConnectionID> entries = table.Snapshot();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[2].address, PEER_B);
    EXPECT_EQ(entries[2].objectIndex, 3);
    EXPECT_EQ(SentTo(SMSG_TIMESYNC_REQUEST), Addresses({PEER_A, PEER_A})) << "table entry 1, the first to answer";
    // The first time the clock is set, the local tank goes to every peer in
    // full: on theirs it replaces a tank left from an earlier run.
    EXPECT_EQ(SentTo(SMSG_TANK_STATE), Addresses({SELF, PEER_A}));
    game.ticks = 1300;
    Receive(Reply(PEER_A, 90402));
    EXPECT_EQ(game.GetTime(), 90602u);
    EXPECT_EQ(game.offsetsSet, 2);
}

// Not a whole record, its own, one naming another sender than its source, a
// type no peer sends: none reaches the queue, the game or the network, and
// all but its own count as dropped.
TEST_F(PeerProtocol, WhatNoPeerSendsIsDropped)
{
    MeetPeers();
    SSocketMSG full = About(GMSG_SHOOT, PEER_A, PEER_A);
    Receive(full);
    ASSERT_EQ(transport.queued.size(), 1u);

    unsigned long dropped = 0;
    auto expectDropped = [&](const std::string& what, const SSocketMSG& rec, size_t length, unsigned long source,
                             bool counted, const std::string& said = "") {
        SCOPED_TRACE(what);
        unsigned char bytes[sizeof rec + 1] = {};
        std::memcpy(bytes, &rec, sizeof rec);
        EXPECT_EQ(ReceiveBytes(bytes, length, source), said);
        dropped += counted;
        EXPECT_EQ(protocol.Dropped(), dropped);
        EXPECT_EQ(transport.queued.size(), 1u);
        EXPECT_TRUE(transport.sent.empty());
        EXPECT_EQ(game.objects.size(), 4u);
    };
    const size_t FULL = sizeof(SSocketMSG);
    // A short datagram after a full one must not be completed from it.
    for (size_t length : {(size_t)0, (size_t)4, (size_t)143, FULL + 1})
        expectDropped("length " + std::to_string(length), full, length, PEER_A, true);
    expectDropped("connect of 100 bytes", ConnectFrom(SMSG_CONNECT, STRANGER, 5), 100, STRANGER, true);
    for (int type : {(int)GMSG_SHOOT, (int)SMSG_CONNECT, (int)SMSG_CONNECT_BACK, (int)SMSG_TIMESYNC_REQUEST,
                     (int)SMSG_TIMESYNC_REPLY}) {
        bool connect = type == SMSG_CONNECT || type == SMSG_CONNECT_BACK;
        expectDropped("own " + std::to_string(type), connect ? ConnectFrom(type, SELF, 1) : About(type, SELF), FULL,
                      SELF, false);
    }
    for (int type : {600, 700, 1000, 0, -204, -1, (int)GMSG_TANK_STATE, (int)GMSG_DEPARTED})
        expectDropped("type " + std::to_string(type), About(type, PEER_A, PEER_A), FULL, PEER_A, true);
    // A forged sender is reported once per source, naming both addresses.
    expectDropped("A's death sent by B", About(GMSG_DEATH, PEER_A, PEER_A), FULL, PEER_B, true,
                  "Record from 10.77.0.3 names 10.77.0.2 as its sender: dropped (its sender address must be the one "
                  "it sends from)\n");
    expectDropped("a stranger's connect sent by B", ConnectFrom(SMSG_CONNECT, STRANGER, 5), FULL, PEER_B, true);
    expectDropped("A's clock request sent by a stranger", About(SMSG_TIMESYNC_REQUEST, PEER_A), FULL, STRANGER, true,
                  "Record from 10.77.0.9 names 10.77.0.2 as its sender: dropped (its sender address must be the one "
                  "it sends from)\n");
    EXPECT_EQ(protocol.Drops().Of(DROP_FORGED_SENDER), 3u);
}

// Game messages of every type a peer sends reach the receive queue, but only
// about the sender's own tank or a frag crediting this peer's; power-up and
// music messages, which no copy sends, not at all.
TEST_F(PeerProtocol, GameMessagesAboutATankAreQueuedOnlyFromItsOwner)
{
    MeetPeers();
    struct {
        int type;
        unsigned long owner;
        bool taken;
    } cases[] = {
        {GMSG_MOVE_ALONG, PEER_A, true},  {GMSG_CHANGE_ANGLES, PEER_A, true}, {GMSG_TIMING_PROBE, PEER_A, true},
        {599, PEER_A, true},              {GMSG_DEATH, PEER_A, true},         {GMSG_DAMAGE, PEER_A, true},
        {GMSG_DEATH, PEER_B, false},      {GMSG_DAMAGE, SELF, false},         {GMSG_SHOOT, PEER_B, false},
        {GMSG_CHANGE_ANGLES, 0, false},   {GMSG_FRAG, SELF, true},            {GMSG_FRAG, PEER_B, false},
        {GMSG_FRAG, PEER_A, false},       {GMSG_POWERUP_TAKEN, 0, false},     {GMSG_POWERUP_APPEAR, PEER_B, false},
        {GMSG_POWERUP_TAKEN, PEER_A, false}, {GMSG_TOGGLE_MUSIC, 0, false},
        {SMSG_TANK_POSE, PEER_A, true},   {SMSG_TANK_POSE, PEER_B, false},
    };
    size_t taken = 0;
    for (const auto& c : cases) {
        Receive(About(c.type, PEER_A, c.owner));
        taken += c.taken;
        ASSERT_EQ(transport.queued.size(), taken) << c.type << " about " << DottedAddress(c.owner);
        if (c.taken) {
            EXPECT_EQ(transport.queued.back().type, c.type);
        }
    }
    EXPECT_EQ(protocol.Drops().Of(DROP_NOT_OWNER), 7u);
    EXPECT_EQ(protocol.Drops().Of(DROP_UNKNOWN_TYPE), 4u);
}

// Power-ups have no owner: each peer tells a newcomer what it saw taken, in
// its first seconds after a peer's clock set its own. A copy in the battle
// saw every one taken when it was; a record of one, dated by its sender's
// clock, could only misplace it (before the move that took it, say).
TEST_F(PeerProtocol, TakenPowerUpsAreNewsOnlyToACopyThatHasJustJoined)
{
    MeetPeers();
    auto crate = [&] {
        SSocketMSG rec = About(SMSG_POWERUP_STATE, PEER_A);
        rec.time = game.GetTime();
        Receive(rec);
        return transport.queued.size();
    };
    EXPECT_EQ(crate(), 0u) << "its clock is its own: it began the battle";
    Receive(Reply(PEER_A, 90000));
    EXPECT_EQ(crate(), 1u) << "it has just joined";
    game.ticks += CPeerProtocol::NEWCOMER_MS;
    EXPECT_EQ(crate(), 1u) << "it has been in the battle since";
    EXPECT_EQ(protocol.Drops().Of(DROP_STALE), 2u);
}

// Its records arrive 20 bytes shorter; this peer's clock, ahead of the
// peer's, is set back by a negative offset.
TEST_F(PeerProtocol, ThirtyTwoBitPeerIsAddedSyncsTheClockAndSendsMessages)
{
    auto receiveNarrow = [&](const SSocketMSG& rec) {
        unsigned char narrow[WIRE_NARROW_RECORD];
        NarrowRecord(reinterpret_cast<const unsigned char*>(&rec), narrow);
        return ReceiveBytes(narrow, sizeof narrow, rec.senderAddr);
    };
    Announce();
    game.ticks = 5000;
    receiveNarrow(ConnectFrom(SMSG_CONNECT_BACK, PEER_A, 50));
    ASSERT_EQ(game.objects.size(), 3u);
    EXPECT_EQ(game.objects[2]->pos.x, 50);
    EXPECT_EQ(table.Snapshot().back().address, PEER_A);

    EXPECT_EQ(receiveNarrow(Reply(PEER_A, 3000)).find("time sync engaged\n"), 0u);
    EXPECT_EQ(game.offset, (unsigned int)-2000);
    EXPECT_EQ(game.GetTime(), 3000u);

    SSocketMSG shot = About(GMSG_SHOOT, PEER_A, PEER_A);
    shot.time = 90100;
    receiveNarrow(shot);
    ASSERT_EQ(transport.queued.size(), 1u);
    EXPECT_EQ(transport.queued[0].time, 90100u);
    EXPECT_EQ(transport.queued[0].senderAddr, PEER_A);
}

TEST_F(PeerProtocol, FullTableTakesNoMorePeers)
{
    Announce();
    while (!table.IsFull())
        table.Append(Ip(10, 1, 0, (unsigned)table.Snapshot().size()), 0);
    EXPECT_EQ(Receive(ConnectFrom(SMSG_CONNECT, PEER_A, 50)), "connection table full: connect ignored\n");
    EXPECT_EQ(game.objects.size(), 2u);
    EXPECT_TRUE(transport.sent.empty());
    EXPECT_EQ(table.Snapshot().size(), (size_t)CConnectionTable::MAX_ENTRIES);
}

TEST_F(PeerProtocol, AStrangersMessagesAreDroppedAndAnsweredWithTheAnnouncementAsItsTimeRequestsAre)
{
    MeetPeers();
    Receive(About(GMSG_CHANGE_ANGLES, STRANGER, STRANGER));
    Receive(About(GMSG_CHANGE_ANGLES, STRANGER, STRANGER));
    EXPECT_TRUE(transport.queued.empty());
    EXPECT_EQ(protocol.Dropped(), 2u);
    // One announcement however many messages come within a second, of a type
    // that a peer following the original rules would not take for a new tank.
    EXPECT_EQ(SentTo(SMSG_ANNOUNCE_AGAIN), Addresses({STRANGER}));
    EXPECT_TRUE(SentTo(SMSG_CONNECT).empty());

    // Its answer makes it a peer like any other.
    Receive(ConnectFrom(SMSG_CONNECT_BACK, STRANGER, 70));
    Receive(About(GMSG_CHANGE_ANGLES, STRANGER, STRANGER));
    EXPECT_EQ(transport.queued.size(), 1u);
    EXPECT_EQ(game.objects.size(), 5u);

    // A copy that asks for the time has this one in its table; one not in
    // this copy's (every answer to its announcement was lost) is told too,
    // or two idle copies would never meet.
    const unsigned long asker = Ip(10, 77, 0, 8);
    transport.sent.clear();
    Receive(About(SMSG_TIMESYNC_REQUEST, asker));
    Receive(About(SMSG_TIMESYNC_REQUEST, PEER_A));
    EXPECT_EQ(SentTo(SMSG_TIMESYNC_REPLY), Addresses({asker, PEER_A}));
    EXPECT_EQ(SentTo(SMSG_ANNOUNCE_AGAIN), Addresses({asker}));
}

TEST_F(PeerProtocol, TheAnnouncementIsRepeatedAFewTimesInTheFirstSeconds)
{
    auto start = std::chrono::steady_clock::now();
    protocol.RepeatHandshake(start + std::chrono::seconds(5));
    EXPECT_TRUE(transport.sent.empty()) << "nothing before the first announcement";
    Announce();
    int sent = 0;
    for (int ms = 0; ms <= 20000; ms += 100) {
        Repeat(start + std::chrono::milliseconds(ms));
        if ((int)transport.sent.size() > sent) {
            sent = (int)transport.sent.size();
            EXPECT_GE(ms, sent * CPeerProtocol::REPEAT_INTERVAL_MS) << "repeat " << sent;
            EXPECT_EQ(transport.sent.back().type, SMSG_ANNOUNCE_AGAIN) << "a 601 is sent once per start";
            EXPECT_EQ(transport.sent.back().destAddr, 0xffffffffu);
        }
    }
    EXPECT_EQ(sent, (int)CPeerProtocol::ANNOUNCEMENT_REPEATS);
}

// Only the peer asked may set the clock, once per request: a lost request is
// replaced, not added to.
TEST_F(PeerProtocol, AClockRequestIsSentAgainUntilAnsweredAndOnlyItsAnswerSetsTheClock)
{
    EXPECT_EQ(Receive(Reply(PEER_A, 12345)), "") << "unasked";
    Announce();
    Receive(ConnectFrom(SMSG_CONNECT_BACK, PEER_A, 50));
    ASSERT_EQ(SentTo(SMSG_TIMESYNC_REQUEST), Addresses({PEER_A}));
    Receive(Reply(PEER_B, 777));
    EXPECT_EQ(game.offsetsSet, 0);
    auto later = std::chrono::steady_clock::now() + std::chrono::milliseconds(1100);
    Repeat(later);
    EXPECT_EQ(SentTo(SMSG_TIMESYNC_REQUEST), Addresses({PEER_A, PEER_A}));

    Receive(Reply(PEER_A, 5000));
    Receive(Reply(PEER_A, 5000));
    Repeat(later + std::chrono::seconds(5));
    EXPECT_EQ(SentTo(SMSG_TIMESYNC_REQUEST), Addresses({PEER_A, PEER_A}));
    EXPECT_EQ(game.offsetsSet, 1);
}

TEST_F(PeerProtocol, EveryFewSecondsEachPeerIsTimedByAClockRequestWhoseAnswerSetsNoClock)
{
    MeetPeers();
    auto start = std::chrono::steady_clock::now();
    Repeat(start);
    EXPECT_TRUE(transport.sent.empty()) << "not while the clock request to A is unanswered";
    // Meeting two peers asked A twice.
    Receive(Reply(PEER_A));
    Receive(Reply(PEER_A));
    ASSERT_EQ(game.offsetsSet, 2);

    const auto interval = std::chrono::milliseconds(CPeerProtocol::PROBE_INTERVAL_MS);
    Repeat(start);
    Repeat(start + interval - std::chrono::milliseconds(1));
    EXPECT_TRUE(SentTo(SMSG_TIMESYNC_REQUEST).empty());
    Repeat(start + interval);
    Repeat(start + interval + std::chrono::milliseconds(1));
    EXPECT_EQ(SentTo(SMSG_TIMESYNC_REQUEST), Addresses({PEER_A, PEER_B})) << "once per interval, never itself";

    Receive(Reply(PEER_B));
    EXPECT_EQ(game.offsetsSet, 2);
    int roundTrip = -1;
    for (const SPeerFigures& f : NetFigures().Figures(NetFiguresClock()))
        if (f.address == PEER_B)
            roundTrip = f.roundTripMs;
    EXPECT_GE(roundTrip, 0);
    EXPECT_LT(roundTrip, 1000);
}

namespace {

const uint32_t PEER_RUN = 1234;

// A game record of PEER_A's about its own tank, numbered `sequence` in run `run`.
SSocketMSG Numbered(uint32_t sequence, uint32_t run = PEER_RUN)
{
    SSocketMSG rec{};
    rec.type = GMSG_CHANGE_ANGLES;
    rec.senderAddr = PEER_A;
    rec.recipientAddr = PEER_A;
    rec.destAddr = (uint32_t)SELF;
    rec.time = 100 + sequence;
    WriteStamp(rec, SWireStamp{run, sequence, sequence});
    return rec;
}

}  // namespace

// Every record arriving twice (a resend, or a switch that doubles frames) is
// queued once; records of an earlier run of the peer are not queued at all.
TEST_F(PeerProtocol, ANumberedRecordIsQueuedOnceHoweverOftenItArrives)
{
    Announce();
    PeerANumbersFrom(PEER_RUN, 10);
    for (uint32_t n : {11u, 12u, 11u, 14u, 12u, 13u, 14u, 10u, 9u})
        Receive(Numbered(n));
    Receive(Numbered(15, PEER_RUN + 1));
    std::vector<unsigned long> times;
    for (const SSocketMSG& rec : transport.queued)
        times.push_back(rec.time - 100);
    EXPECT_EQ(times, Addresses({11, 12, 14, 13}));
    EXPECT_EQ(protocol.Drops().Of(DROP_DUPLICATE), 5u) << "10 and 9 were sent before this copy was a peer";
    EXPECT_EQ(protocol.Drops().Of(DROP_STALE), 1u);
}

// A gap is asked for, the sender sends what it kept, and a record that never
// comes is given up once no time warp could take it in.
TEST_F(PeerProtocol, MissingRecordsAreAskedForAndSentAgain)
{
    Announce();
    PeerANumbersFrom(PEER_RUN, 0);
    Receive(Numbered(1));
    Receive(Numbered(4));
    // The last one of a burst is lost too: the next answer's stamp tells.
    SSocketMSG reply = Reply(PEER_A, 0);
    WriteStamp(reply, SWireStamp{PEER_RUN, 0, 6});
    Receive(reply);
    transport.sent.clear();
    auto now = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    Repeat(now);
    ASSERT_EQ(SentTo(SMSG_RESEND_REQUEST), Addresses({PEER_A}));
    EXPECT_EQ(RequestedRanges(transport.sent.back(), 64),
              (std::vector<SSequenceRange>{{2, 2}, {5, 2}}));

    // This copy, asked in turn, sends again what it still keeps, numbered as before.
    for (int k = 0; k < 3; ++k)
        protocol.SendGameRecord(About(GMSG_SHOOT, SELF, SELF));
    transport.sent.clear();
    Receive(ResendRequest({{2, 5}}, PEER_A, SELF));
    std::vector<uint32_t> resent;
    for (const SSocketMSG& rec : transport.sent) {
        EXPECT_EQ(rec.destAddr, (uint32_t)PEER_A);
        resent.push_back(ReadStamp(rec).sequence);
    }
    EXPECT_EQ(resent, (std::vector<uint32_t>{2, 3, 4})) << "1 to 4 were sent: the clock's setting and three shots";

    Receive(Numbered(2));
    Repeat(now + std::chrono::milliseconds(500));
    Repeat(now + std::chrono::milliseconds(CPeerProtocol::GIVE_UP_MS - 200));
    EXPECT_EQ(protocol.Lost(), 0u) << "not yet";
    Repeat(now + std::chrono::milliseconds(CPeerProtocol::GIVE_UP_MS + 200));
    EXPECT_EQ(protocol.Lost(), 3u) << "3, 5 and 6 never came";
}

// Each record is given up by its own age: one lost a moment ago is still
// asked for, and taken in, when an older one is given up.
TEST_F(PeerProtocol, ARecordLostLaterIsNotGivenUpWithAnOlderOne)
{
    Announce();
    PeerANumbersFrom(PEER_RUN, 0);
    Receive(Numbered(1));
    Receive(Numbered(3));
    auto start = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    Repeat(start);
    Receive(Numbered(5));
    Repeat(start + std::chrono::seconds(5));
    Repeat(start + std::chrono::milliseconds(CPeerProtocol::GIVE_UP_MS + 200));
    EXPECT_EQ(protocol.Lost(), 1u) << "2 only";
    transport.sent.clear();
    Repeat(start + std::chrono::milliseconds(CPeerProtocol::GIVE_UP_MS + 400));
    ASSERT_EQ(SentTo(SMSG_RESEND_REQUEST), Addresses({PEER_A}));
    EXPECT_EQ(RequestedRanges(transport.sent.back(), 64), (std::vector<SSequenceRange>{{4, 1}}));
    transport.queued.clear();
    Receive(Numbered(4));
    ASSERT_EQ(transport.queued.size(), 1u) << "4 comes in time";
    EXPECT_EQ(transport.queued[0].time, 104u);
}

// A record refused by its content (a frag that credits another copy's tank,
// a stale pose) still arrived: its number is not asked for again, and so not
// given up later with records lost meanwhile.
TEST_F(PeerProtocol, ARefusedRecordLeavesNoGapInItsSendersNumbers)
{
    const struct {
        int type;
        unsigned long about;
        bool stale;
        EDropReason reason;
    } cases[] = {{GMSG_FRAG, PEER_B, false, DROP_NOT_OWNER}, {SMSG_TANK_POSE, PEER_A, true, DROP_STALE}};
    uint32_t run = PEER_RUN;
    MeetPeers();
    game.ticks = 20000;
    for (const auto& c : cases) {
        PeerANumbersFrom(++run, 0);
        Receive(Numbered(1, run));
        SSocketMSG refused = Numbered(2, run);
        refused.type = c.type;
        refused.recipientAddr = (uint32_t)c.about;
        refused.time = c.stale ? 20000 - CPeerProtocol::STALE_STATE_MS - 1 : 20000;
        unsigned long before = protocol.Drops().Of(c.reason);
        Receive(refused);
        EXPECT_EQ(protocol.Drops().Of(c.reason), before + 1) << c.type;
        Receive(Numbered(3, run));
        transport.sent.clear();
        Repeat(std::chrono::steady_clock::now() + std::chrono::seconds(run - PEER_RUN));
        EXPECT_TRUE(SentTo(SMSG_RESEND_REQUEST).empty()) << c.type;
    }
}

// A quit takes the tank off at the leaver's time, after its last records,
// wherever the record came late; a time this clock cannot believe (none,
// ahead of it, or stale) gives way to this clock's. The goodbye says when,
// and is sent more than once: the copies after the first change nothing.
TEST_F(PeerProtocol, AQuitIsDatedByTheLeaversClock)
{
    const struct {
        unsigned long quitAt, departedAt;
    } cases[] = {{19000, 19001}, {0, 20000}, {20500, 20000}, {20000 - CPeerProtocol::STALE_STATE_MS - 1, 20000}};
    MeetPeers();
    game.ticks = 20000;
    for (const auto& c : cases) {
        SSocketMSG goodbye = About(SMSG_LEAVING, PEER_A);
        goodbye.time = c.quitAt;
        Receive(goodbye);
        size_t queued = game.messages.size();
        Receive(goodbye);
        EXPECT_EQ(game.messages.size(), queued);
        ASSERT_EQ(game.messages.back().type, GMSG_DEPARTED);
        EXPECT_EQ(game.messages.back().time, c.departedAt) << c.quitAt;
        Receive(ConnectFrom(SMSG_CONNECT, PEER_A, 70));
    }
    transport.sent.clear();
    protocol.SayGoodbye();
    Addresses once = {PEER_B, PEER_A};  // A came back last
    Addresses all;
    for (int k = 0; k < CPeerProtocol::GOODBYE_COPIES; ++k)
        all.insert(all.end(), once.begin(), once.end());
    EXPECT_EQ(SentTo(SMSG_LEAVING), all);
    for (const SSocketMSG& rec : transport.sent)
        EXPECT_EQ(rec.time, 20000u);
}

// A peer heard from neither by records nor by answers leaves; one that quits
// leaves at once. Its tank leaves through the queue, its entry is kept for
// its return, and the table has room for others meanwhile.
TEST_F(PeerProtocol, APeerThatFallsSilentOrQuitsLeavesAndComesBackToItsEntry)
{
    MeetPeers();
    auto start = std::chrono::steady_clock::now();
    Repeat(start);
    Receive(Reply(PEER_A));
    CaptureLog();
    protocol.RepeatHandshake(start + std::chrono::milliseconds(CPeerProtocol::SILENCE_MS + 100));
    std::string said = CapturedOut();
    EXPECT_NE(said.find("10.77.0.2 left the battle (silent)"), std::string::npos) << said;
    EXPECT_NE(said.find("10.77.0.3 left the battle (silent)"), std::string::npos) << said;
    EXPECT_EQ(Receive(About(SMSG_LEAVING, PEER_B)), "") << "gone already";
    ASSERT_EQ(table.Snapshot().size(), 1u);
    ASSERT_EQ(game.messages.size(), 2u);
    EXPECT_EQ(game.messages[0].type, GMSG_DEPARTED);
    EXPECT_EQ(game.messages[0].object, 2);

    Receive(ConnectFrom(SMSG_CONNECT, PEER_A, 70));
    EXPECT_EQ(table.ObjectOf(PEER_A), 2) << "its old entry";
    EXPECT_EQ(game.objects.size(), 4u) << "no second tank";
    ASSERT_EQ(game.messages.size(), 3u);
    EXPECT_EQ(game.messages[2].type, GMSG_TANK_STATE);
    EXPECT_EQ(game.messages[2].data[TSV_POS], 70);

    EXPECT_EQ(Receive(About(SMSG_LEAVING, PEER_A)), "10.77.0.2 left the battle (quit)\n");
    EXPECT_EQ(table.ObjectOf(PEER_A), -1);

    // A peer of the original rules is never asked: its move brings it back,
    // playing, where the move puts it (its tank left taken off the field).
    SSocketMSG move = About(GMSG_MOVE_TO_LOC, PEER_B, PEER_B);
    move.data[0] = 90;
    Receive(move);
    EXPECT_EQ(table.ObjectOf(PEER_B), 3);
    ASSERT_EQ(game.messages.back().type, GMSG_TANK_STATE);
    EXPECT_EQ(game.messages.back().data[TSV_POS], 90);
    EXPECT_EQ(game.messages.back().data[TSV_ACTIVE], 1);
}

namespace {

const uint32_t HELPER_RUN = 4321;

// `rec`, stamped as sent by its sender in run `run`.
SSocketMSG InRun(SSocketMSG rec, uint32_t run)
{
    WriteStamp(rec, SWireStamp{run, 0, 0});
    return rec;
}

}  // namespace

// A peer that crashed is never asked again in vain: a record of its that
// only this copy missed, the last of its burst included, comes from a copy
// that has it, and is queued once as the crashed peer's. Relays are taken
// only while this copy waits for them. The peer leaves at its last record's
// time plus the silence, however late this copy notices.
TEST_F(PeerProtocol, ACrashedPeersRecordsThatOnlyThisCopyMissedComeFromAnotherCopy)
{
    SPeerCopy helper(PEER_B, HELPER_RUN);
    Quietly([&] { helper.protocol.Connect(0); });
    Feed(helper, InRun(ConnectFrom(SMSG_CONNECT_BACK, PEER_A, 50), PEER_RUN));
    Feed(helper, InRun(ConnectFrom(SMSG_CONNECT_BACK, SELF, 40), OWN_RUN));
    for (uint32_t n : {1u, 2u, 3u, 4u})
        Feed(helper, Numbered(n));

    Announce();
    PeerANumbersFrom(PEER_RUN, 0);
    const unsigned long PEER_C = Ip(10, 77, 0, 4);
    Receive(InRun(ConnectFrom(SMSG_CONNECT_BACK, PEER_B, 60), HELPER_RUN));
    Receive(InRun(ConnectFrom(SMSG_CONNECT_BACK, PEER_C, 70), HELPER_RUN + 1));
    Receive(Numbered(1));
    Receive(Numbered(3));
    transport.queued.clear();
    auto start = std::chrono::steady_clock::now();
    Repeat(start + std::chrono::milliseconds(CPeerProtocol::RELAY_AFTER_MS - 500));
    EXPECT_TRUE(SentTo(SMSG_RELAY_REQUEST).empty()) << "not silent yet";
    transport.sent.clear();
    Repeat(start + std::chrono::milliseconds(CPeerProtocol::RELAY_AFTER_MS + 100));
    std::vector<SSocketMSG> asked = transport.sent;
    Repeat(start + std::chrono::milliseconds(CPeerProtocol::RELAY_AFTER_MS + 300));
    ASSERT_EQ(SentTo(SMSG_RELAY_REQUEST), Addresses({PEER_B, PEER_C})) << "about A, one copy a round in turn";
    transport.sent = asked;

    helper.transport.sent.clear();
    for (const SSocketMSG& rec : transport.sent)
        if (rec.type == SMSG_RELAY_REQUEST)
            Feed(helper, rec);
    std::vector<SSocketMSG> relayed = helper.transport.sent;
    std::vector<uint32_t> numbers;
    for (const SSocketMSG& rec : relayed) {
        ASSERT_EQ(rec.type, SMSG_RELAYED);
        EXPECT_EQ(rec.destAddr, (uint32_t)SELF);
        numbers.push_back(ReadStamp(rec).sequence);
    }
    helper.transport.sent.clear();
    EXPECT_EQ(numbers, (std::vector<uint32_t>{2, 4})) << "2 was missing, 4 was never heard of";
    for (int twice = 0; twice < 2; ++twice)
        for (const SSocketMSG& rec : relayed)
            ReceiveBytes(&rec, sizeof rec, PEER_B);
    std::vector<unsigned long> times;
    for (const SSocketMSG& rec : transport.queued) {
        EXPECT_EQ(rec.type, GMSG_CHANGE_ANGLES);
        EXPECT_EQ(rec.senderAddr, PEER_A);
        times.push_back(rec.time - 100);
    }
    EXPECT_EQ(times, Addresses({2, 4}));
    EXPECT_EQ(protocol.Drops().Of(DROP_DUPLICATE), 2u);

    // Not from a copy in the table, nor once the peer is heard again.
    SSocketMSG five = RelayedRecord(Numbered(5), SELF);
    ReceiveBytes(&five, sizeof five, STRANGER);
    SSocketMSG reply = Reply(PEER_A);
    WriteStamp(reply, SWireStamp{PEER_RUN, 0, 4});
    Receive(reply);
    ReceiveBytes(&five, sizeof five, PEER_B);
    EXPECT_EQ(transport.queued.size(), 2u);
    EXPECT_EQ(protocol.Drops().Of(DROP_UNASKED_RELAY), 2u);

    game.ticks = 10000;
    Repeat(start + std::chrono::milliseconds(CPeerProtocol::SILENCE_MS + 2000));
    ASSERT_FALSE(game.messages.empty());
    EXPECT_EQ(game.messages.front().type, GMSG_DEPARTED);
    EXPECT_EQ(game.messages.front().time, 104u + CPeerProtocol::SILENCE_MS + 1) << "4, relayed, was its last";
}
