#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "tests/unit/LogCapture.h"
#include "NetFakes.h"
#include "net/NetFigures.h"
#include "net/WireConvert.h"

namespace {

SGameObject* MakeObject(int kind, float x)
{
    SGameObject base;
    base.kind = kind;
    base.model = 2;
    base.texture0 = 3;
    base.texture1 = 4;
    base.pos = Vector3f(x, 0, -x);
    base.angles = Vector3f(0, 45, 0);
    for (int k = 0; k < 4; ++k)
        base.bbox[k] = base.effect[k] = 0;
    base.active = 1;
    base.timer = 0;
    if (kind != KIND_TANK)
        return new SGameObject(base);
    STankPrototype* tank = new STankPrototype(base);
    tank->state[TS_SPEED] = 0.5f;
    tank->state[TS_TURN_RATE] = 0.1f;
    return tank;
}

// A peer at SELF with a loaded battlefield: ground at 0, its own tank at 1.
class PeerProtocol : public testing::Test {
protected:
    PeerProtocol() : transport(SELF), protocol(table, transport)
    {
        game.objects.push_back(MakeObject(KIND_GROUND, 0));
        game.objects.push_back(MakeObject(KIND_TANK, 20));
        protocol.SetGame(&game);
        protocol.AddLocalEntry();
    }
    ~PeerProtocol() override
    {
        for (SGameObject* o : game.objects)
            DestroyObject(o);
    }

    // Where the clock requests sent so far went.
    std::vector<unsigned long> ClockRequests() const
    {
        std::vector<unsigned long> to;
        for (const SSocketMSG& rec : transport.sent)
            if (rec.type == SMSG_TIMESYNC_REQUEST)
                to.push_back(rec.destAddr);
        return to;
    }

    void Announce()
    {
        Quietly([&] { protocol.Connect(0); });
        transport.sent.clear();
    }

    // Feeds one record, sent from the address it names unless `source` is
    // given; returns what the peer printed.
    std::string Receive(const SSocketMSG& rec, unsigned long source = 0)
    {
        return ReceiveBytes(&rec, sizeof rec, source ? source : rec.senderAddr);
    }
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
    // A game message from `sender` about the tank of the peer at `owner`.
    SSocketMSG About(int type, unsigned long sender, unsigned long owner)
    {
        SSocketMSG rec = Control(type, sender);
        rec.recipientAddr = owner;
        return rec;
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
    SSocketMSG Control(int type, unsigned long sender)
    {
        SSocketMSG rec{};
        rec.type = type;
        rec.senderAddr = sender;
        rec.destAddr = (uint32_t)SELF;
        return rec;
    }

    CFakeGame game;
    CFakeTransport transport;
    CConnectionTable table;
    CPeerProtocol protocol;
};

}  // namespace

TEST_F(PeerProtocol, AnnouncementBroadcastsTheLocalTankEnteredOnce)
{
    protocol.AddLocalEntry();
    protocol.AddLocalEntry();
    std::vector<ZOConnectionID> entries = table.Snapshot();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].address, SELF);
    EXPECT_EQ(entries[0].objectIndex, 1);

    CaptureLog();
    protocol.Connect(0);
    EXPECT_EQ(CapturedOut(), " Attempting to connect \n");
    ASSERT_EQ(transport.sent.size(), 1u);
    const SSocketMSG& rec = transport.sent[0];
    EXPECT_EQ(rec.type, SMSG_CONNECT);
    EXPECT_EQ(rec.destAddr, 0xffffffffu);
    EXPECT_EQ(rec.senderAddr, SELF);
    EXPECT_EQ(rec.data[0], 20);
    EXPECT_EQ(rec.data[4], 45);
    EXPECT_EQ(rec.tankState[0], 0.5f);
}

TEST_F(PeerProtocol, AnnouncementAlsoGoesToEachListedPeerButNotAnAnswer)
{
    std::vector<std::string> refused;
    std::vector<unsigned long> listed =
        AddressList("10.77.2.2,10.77.0.1  256.1.1.1 1.2.3 1.2.3.4.5 10.77.0.3,,", refused);
    EXPECT_EQ(listed, (std::vector<unsigned long>{Ip(10, 77, 2, 2), SELF, PEER_B}));
    EXPECT_EQ(refused, (std::vector<std::string>{"256.1.1.1", "1.2.3", "1.2.3.4.5"}));
    protocol.SetDirectPeers(listed);

    Quietly([&] { protocol.Connect(0); });
    std::vector<unsigned long> to;
    for (const SSocketMSG& rec : transport.sent) {
        EXPECT_EQ(rec.type, SMSG_CONNECT);
        to.push_back(rec.destAddr);
    }
    EXPECT_EQ(to, (std::vector<unsigned long>{0xffffffffu, Ip(10, 77, 2, 2), PEER_B})) << "not to itself";
    transport.sent.clear();
    Quietly([&] { protocol.Connect(PEER_A); });
    EXPECT_EQ(transport.sent.size(), 1u);
}

TEST_F(PeerProtocol, ConnectFromNewAddressAddsOneTankAndAnswersOnce)
{
    Announce();
    std::string printed = Receive(ConnectFrom(SMSG_CONNECT, PEER_A, 50));

    EXPECT_EQ(printed, " tried to connect\nsending SMSG_CONNECT_BACK to: 10.77.0.2\n Attempting to connect \n");
    ASSERT_EQ(game.objects.size(), 3u);
    EXPECT_EQ(game.objects[2]->pos.x, 50);
    EXPECT_EQ(game.objects[2]->stateCount, TANK_STATE_COUNT);
    std::vector<ZOConnectionID> entries = table.Snapshot();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].address, PEER_A);
    EXPECT_EQ(entries[1].objectIndex, 2);
    ASSERT_EQ(transport.sent.size(), 1u);
    EXPECT_EQ(transport.sent[0].type, SMSG_CONNECT_BACK);
    EXPECT_EQ(transport.sent[0].destAddr, (uint32_t)PEER_A);
    EXPECT_EQ(transport.sent[0].data[0], 20) << "the answer describes the local tank";
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
    EXPECT_EQ(ClockRequests(), (std::vector<unsigned long>{PEER_A}));
}

// A peer takes in no one before it has announced its own tank, and announces
// nothing without one.
TEST_F(PeerProtocol, NothingHappensBeforeTheLocalTankIsAnnounced)
{
    EXPECT_EQ(Receive(ConnectFrom(SMSG_CONNECT, PEER_A, 50)), "");
    EXPECT_EQ(game.objects.size(), 2u);
    EXPECT_EQ(table.Snapshot().size(), 1u);
    CFakeGame empty;
    protocol.SetGame(&empty);
    Quietly([&] { protocol.Connect(0); });
    EXPECT_TRUE(transport.sent.empty());
}

TEST_F(PeerProtocol, ConnectBackAddsOneTankAndAsksTheFirstPeerForTheTime)
{
    Announce();
    game.ticks = 1000;
    EXPECT_EQ(Receive(ConnectFrom(SMSG_CONNECT_BACK, PEER_A, 50)), " tried to connect\n");
    Receive(ConnectFrom(SMSG_CONNECT_BACK, PEER_B, 60));

    ASSERT_EQ(game.objects.size(), 4u);
    std::vector<ZOConnectionID> entries = table.Snapshot();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[2].address, PEER_B);
    EXPECT_EQ(entries[2].objectIndex, 3);
    ASSERT_EQ(transport.sent.size(), 2u);
    for (const SSocketMSG& rec : transport.sent) {
        EXPECT_EQ(rec.type, SMSG_TIMESYNC_REQUEST);
        EXPECT_EQ(rec.destAddr, (uint32_t)PEER_A) << "table entry 1, the first peer that answered";
        EXPECT_EQ(rec.senderAddr, SELF);
    }
}

TEST_F(PeerProtocol, TimeRequestIsAnsweredWithTheRepliersClock)
{
    game.ticks = 5000;
    game.offset = 250;
    EXPECT_EQ(Receive(Control(SMSG_TIMESYNC_REQUEST, PEER_B)), "timesync request\n");
    ASSERT_EQ(transport.sent.size(), 1u);
    EXPECT_EQ(transport.sent[0].type, SMSG_TIMESYNC_REPLY);
    EXPECT_EQ(transport.sent[0].syncTime, 5250u);
    EXPECT_EQ(transport.sent[0].destAddr, (uint32_t)PEER_B);
    EXPECT_EQ(transport.sent[0].senderAddr, SELF);
}

TEST_F(PeerProtocol, ReplySetsTheClockToThePeersClock)
{
    Announce();
    game.ticks = 1000;
    Receive(ConnectFrom(SMSG_CONNECT_BACK, PEER_A, 50));
    game.ticks = 1010;
    SSocketMSG reply = Control(SMSG_TIMESYNC_REPLY, PEER_A);
    reply.syncTime = 90005;
    EXPECT_EQ(Receive(reply), "time sync engaged\n");
    EXPECT_EQ(game.offset, 89005u);
    EXPECT_EQ(game.GetTime(), 90015u) << "the peer's clock plus the time since the request";
}

TEST_F(PeerProtocol, ClockBehindThePeerGivesANegativeOffset)
{
    Announce();
    game.ticks = 5000;
    Receive(ConnectFrom(SMSG_CONNECT_BACK, PEER_A, 50));
    SSocketMSG reply = Control(SMSG_TIMESYNC_REPLY, PEER_A);
    reply.syncTime = 3000;
    Receive(reply);
    EXPECT_EQ(game.offset, (unsigned int)-2000);
    EXPECT_EQ(game.GetTime(), 3000u);
}

TEST_F(PeerProtocol, SecondReplyCorrectsTheClockInsteadOfUndoingTheFirst)
{
    Announce();
    game.ticks = 1000;
    Receive(ConnectFrom(SMSG_CONNECT_BACK, PEER_A, 50));
    SSocketMSG reply = Control(SMSG_TIMESYNC_REPLY, PEER_A);
    reply.syncTime = 50000;
    Receive(reply);
    ASSERT_EQ(game.offset, 49000u);

    // The second peer answers after the first reply has set the clock.
    game.ticks = 1100;
    Receive(ConnectFrom(SMSG_CONNECT_BACK, PEER_B, 60));
    reply.syncTime = 50102;
    Receive(reply);
    EXPECT_EQ(game.offset, 49002u);
    EXPECT_EQ(game.offsetsSet, 2);
}

TEST_F(PeerProtocol, UnaskedOrStrangeRepliesLeaveTheClockAlone)
{
    SSocketMSG reply = Control(SMSG_TIMESYNC_REPLY, PEER_A);
    reply.syncTime = 12345;
    EXPECT_EQ(Receive(reply), "");

    Announce();
    Receive(ConnectFrom(SMSG_CONNECT_BACK, PEER_A, 50));
    SSocketMSG stranger = Control(SMSG_TIMESYNC_REPLY, PEER_B);
    stranger.syncTime = 777;
    Receive(stranger);
    EXPECT_EQ(game.offsetsSet, 0);

    Receive(reply);
    Receive(reply);
    EXPECT_EQ(game.offsetsSet, 1) << "one request, one answer";
}

TEST_F(PeerProtocol, OwnDatagramsAreDroppedWhateverTheirType)
{
    Announce();
    for (int type : {(int)GMSG_SHOOT, (int)SMSG_CONNECT, (int)SMSG_CONNECT_BACK, (int)SMSG_TIMESYNC_REQUEST,
                     (int)SMSG_TIMESYNC_REPLY}) {
        SSocketMSG rec = type >= SMSG_CONNECT && type <= SMSG_CONNECT_BACK ? ConnectFrom(type, SELF, 1)
                                                                            : Control(type, SELF);
        EXPECT_EQ(Receive(rec), "") << type;
    }
    EXPECT_TRUE(transport.sent.empty());
    EXPECT_TRUE(transport.queued.empty());
    EXPECT_EQ(game.objects.size(), 2u);
}

TEST_F(PeerProtocol, GameMessagesGoToTheReceiveQueueAndOtherTypesNowhere)
{
    MeetPeers();
    for (int type : {600, 605, 1000, 0, -204, -1})
        EXPECT_EQ(Receive(About(type, PEER_A, PEER_A)), "") << type;
    EXPECT_TRUE(transport.queued.empty());
    EXPECT_TRUE(transport.sent.empty());
    EXPECT_EQ(game.objects.size(), 4u);
    EXPECT_EQ(protocol.Dropped(), 6u);

    for (int type : {(int)GMSG_MOVE_ALONG, (int)GMSG_CHANGE_ANGLES, (int)GMSG_TIMING_PROBE, 599})
        Receive(About(type, PEER_A, PEER_A));
    ASSERT_EQ(transport.queued.size(), 4u);
    EXPECT_EQ(transport.queued[1].type, GMSG_CHANGE_ANGLES);
    EXPECT_EQ(transport.queued[3].type, 599);
}

TEST_F(PeerProtocol, DatagramsOfAnyOtherLengthAreDropped)
{
    MeetPeers();
    SSocketMSG full = About(GMSG_SHOOT, PEER_A, PEER_A);
    Receive(full);
    ASSERT_EQ(transport.queued.size(), 1u);

    // A short datagram after a full one must not be completed from it.
    unsigned char bytes[sizeof(SSocketMSG) + 1] = {};
    std::memcpy(bytes, &full, sizeof full);
    for (size_t length : {(size_t)0, (size_t)4, (size_t)143, sizeof(SSocketMSG) + 1})
        ReceiveBytes(bytes, length, PEER_A);
    SSocketMSG connect = ConnectFrom(SMSG_CONNECT, Ip(10, 77, 0, 9), 5);
    ReceiveBytes(&connect, 100, Ip(10, 77, 0, 9));
    EXPECT_EQ(transport.queued.size(), 1u);
    EXPECT_EQ(game.objects.size(), 4u);
    EXPECT_EQ(protocol.Dropped(), 5u);
}

TEST_F(PeerProtocol, ThirtyTwoBitPeerIsAddedSyncsTheClockAndSendsMessages)
{
    auto receiveNarrow = [&](const SSocketMSG& rec) {
        unsigned char narrow[WIRE_NARROW_RECORD];
        NarrowRecord(reinterpret_cast<const unsigned char*>(&rec), narrow);
        return ReceiveBytes(narrow, sizeof narrow, rec.senderAddr);
    };
    Announce();
    game.ticks = 1000;
    receiveNarrow(ConnectFrom(SMSG_CONNECT_BACK, PEER_A, 50));
    ASSERT_EQ(game.objects.size(), 3u);
    EXPECT_EQ(game.objects[2]->pos.x, 50);
    EXPECT_EQ(table.Snapshot().back().address, PEER_A);

    SSocketMSG reply = Control(SMSG_TIMESYNC_REPLY, PEER_A);
    reply.syncTime = 90005;
    EXPECT_EQ(receiveNarrow(reply), "time sync engaged\n");
    EXPECT_EQ(game.GetTime(), 90005u);

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

TEST_F(PeerProtocol, MessagesAboutATankAreTakenOnlyFromItsOwner)
{
    MeetPeers();
    struct {
        int type;
        unsigned long owner;
        bool taken;
    } cases[] = {
        {GMSG_DEATH, PEER_A, true},          {GMSG_DAMAGE, PEER_A, true},
        {GMSG_DEATH, PEER_B, false},         {GMSG_DAMAGE, SELF, false},
        {GMSG_SHOOT, PEER_B, false},         {GMSG_CHANGE_ANGLES, 0, false},
        {GMSG_FRAG, SELF, true},             {GMSG_FRAG, PEER_B, false},
        {GMSG_FRAG, PEER_A, false},          {GMSG_POWERUP_TAKEN, 0, true},
        {GMSG_POWERUP_APPEAR, PEER_B, true},
    };
    size_t taken = 0;
    for (const auto& c : cases) {
        Receive(About(c.type, PEER_A, c.owner));
        taken += c.taken;
        ASSERT_EQ(transport.queued.size(), taken) << c.type << " about " << DottedAddress(c.owner);
    }
    EXPECT_EQ(protocol.Dropped(), 6u);
}

TEST_F(PeerProtocol, RecordsNamingAnotherSenderThanTheirSourceAreDropped)
{
    MeetPeers();
    Receive(About(GMSG_DEATH, PEER_A, PEER_A), PEER_B);
    SSocketMSG forgedConnect = ConnectFrom(SMSG_CONNECT, Ip(10, 77, 0, 9), 5);
    Receive(forgedConnect, PEER_B);
    SSocketMSG forgedReply = Control(SMSG_TIMESYNC_REQUEST, PEER_A);
    Receive(forgedReply, Ip(10, 77, 0, 9));
    EXPECT_TRUE(transport.queued.empty());
    EXPECT_TRUE(transport.sent.empty());
    EXPECT_EQ(game.objects.size(), 4u);
    EXPECT_EQ(protocol.Dropped(), 3u);
}

TEST_F(PeerProtocol, AStrangersMessagesAreDroppedAndAnsweredWithTheAnnouncement)
{
    const unsigned long STRANGER = Ip(10, 77, 0, 9);
    MeetPeers();
    Receive(About(GMSG_CHANGE_ANGLES, STRANGER, STRANGER));
    Receive(About(GMSG_CHANGE_ANGLES, STRANGER, STRANGER));
    EXPECT_TRUE(transport.queued.empty());
    EXPECT_EQ(protocol.Dropped(), 2u);
    // One announcement however many messages come within a second.
    ASSERT_EQ(transport.sent.size(), 1u);
    EXPECT_EQ(transport.sent[0].type, SMSG_CONNECT);
    EXPECT_EQ(transport.sent[0].destAddr, (uint32_t)STRANGER);

    // Its answer makes it a peer like any other.
    Receive(ConnectFrom(SMSG_CONNECT_BACK, STRANGER, 70));
    Receive(About(GMSG_CHANGE_ANGLES, STRANGER, STRANGER));
    EXPECT_EQ(transport.queued.size(), 1u);
    EXPECT_EQ(game.objects.size(), 5u);
}

TEST_F(PeerProtocol, AKnownPeerConnectingAgainKeepsItsEntryAndTank)
{
    MeetPeers();
    std::string printed = Receive(ConnectFrom(SMSG_CONNECT, PEER_A, 80));
    EXPECT_EQ(printed.find("tried to connect"), std::string::npos);
    EXPECT_EQ(game.objects.size(), 4u);
    std::vector<ZOConnectionID> entries = table.Snapshot();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1].objectIndex, 2);
    // A restarted peer still needs this one's tank.
    ASSERT_EQ(transport.sent.size(), 1u);
    EXPECT_EQ(transport.sent[0].type, SMSG_CONNECT_BACK);
    EXPECT_EQ(transport.sent[0].destAddr, (uint32_t)PEER_A);
}

TEST_F(PeerProtocol, TheAnnouncementIsRepeatedAFewTimesInTheFirstSeconds)
{
    auto start = std::chrono::steady_clock::now();
    protocol.RepeatHandshake(start + std::chrono::seconds(5));
    EXPECT_TRUE(transport.sent.empty()) << "nothing before the first announcement";
    Announce();
    int sent = 0;
    for (int ms = 0; ms <= 20000; ms += 100) {
        Quietly([&] { protocol.RepeatHandshake(start + std::chrono::milliseconds(ms)); });
        if ((int)transport.sent.size() > sent) {
            sent = (int)transport.sent.size();
            EXPECT_GE(ms, sent * CPeerProtocol::REPEAT_INTERVAL_MS) << "repeat " << sent;
            EXPECT_EQ(transport.sent.back().type, SMSG_CONNECT);
            EXPECT_EQ(transport.sent.back().destAddr, 0xffffffffu);
        }
    }
    EXPECT_EQ(sent, (int)CPeerProtocol::ANNOUNCEMENT_REPEATS);
}

TEST_F(PeerProtocol, AnUnansweredClockRequestIsSentAgainUntilAnswered)
{
    Announce();
    Receive(ConnectFrom(SMSG_CONNECT_BACK, PEER_A, 50));
    ASSERT_EQ(ClockRequests(), (std::vector<unsigned long>{PEER_A}));
    auto later = std::chrono::steady_clock::now() + std::chrono::milliseconds(1100);
    Quietly([&] { protocol.RepeatHandshake(later); });
    EXPECT_EQ(ClockRequests(), (std::vector<unsigned long>{PEER_A, PEER_A}));

    SSocketMSG reply = Control(SMSG_TIMESYNC_REPLY, PEER_A);
    reply.syncTime = 5000;
    Receive(reply);
    Quietly([&] { protocol.RepeatHandshake(later + std::chrono::seconds(5)); });
    EXPECT_EQ(ClockRequests(), (std::vector<unsigned long>{PEER_A, PEER_A}));
    EXPECT_EQ(game.offsetsSet, 1);
}

TEST_F(PeerProtocol, EveryFewSecondsEachPeerIsTimedByAClockRequestWhoseAnswerSetsNoClock)
{
    MeetPeers();
    auto start = std::chrono::steady_clock::now();
    Quietly([&] { protocol.RepeatHandshake(start); });
    EXPECT_TRUE(transport.sent.empty()) << "not while the clock request to A is unanswered";
    // Meeting two peers asked A twice.
    Receive(Control(SMSG_TIMESYNC_REPLY, PEER_A));
    Receive(Control(SMSG_TIMESYNC_REPLY, PEER_A));
    ASSERT_EQ(game.offsetsSet, 2);

    const auto interval = std::chrono::milliseconds(CPeerProtocol::PROBE_INTERVAL_MS);
    Quietly([&] { protocol.RepeatHandshake(start); });
    Quietly([&] { protocol.RepeatHandshake(start + interval - std::chrono::milliseconds(1)); });
    EXPECT_TRUE(ClockRequests().empty());
    Quietly([&] { protocol.RepeatHandshake(start + interval); });
    Quietly([&] { protocol.RepeatHandshake(start + interval + std::chrono::milliseconds(1)); });
    EXPECT_EQ(ClockRequests(), (std::vector<unsigned long>{PEER_A, PEER_B})) << "once per interval, never itself";

    Receive(Control(SMSG_TIMESYNC_REPLY, PEER_B));
    EXPECT_EQ(game.offsetsSet, 2);
    int roundTrip = -1;
    for (const SPeerFigures& f : NetFigures().Figures(NetFiguresClock()))
        if (f.address == PEER_B)
            roundTrip = f.roundTripMs;
    EXPECT_GE(roundTrip, 0);
    EXPECT_LT(roundTrip, 1000);
}
