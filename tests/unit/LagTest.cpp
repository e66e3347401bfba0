#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "tests/unit/LogCapture.h"
#include "NetFakes.h"
#include "net/ReceiveQueue.h"
#include "net/SocketLayer.h"
#include "net/ZoSockets.h"
#include "net/ZoThreadMaster.h"

namespace {

std::string Capture(void (*step)(), int times)
{
    CaptureLog();
    for (int i = 0; i < times; ++i)
        step();
    return CapturedOut();
}

void ResetLag()
{
    Capture(remove_lag, 10);
}

SSocketMSG Record(int type, unsigned long about, unsigned long time)
{
    SSocketMSG rec{};
    rec.type = type;
    rec.recipient = 99;
    rec.recipientAddr = about;
    rec.time = time;
    return rec;
}

}  // namespace

TEST(Lag, StaysBetweenZeroAndNine)
{
    ResetLag();
    EXPECT_EQ(Capture(remove_lag, 2), "Lag set to 0\nLag set to 0\n");
    EXPECT_EQ(Capture(add_lag, 10),
              "Lag set to 1\nLag set to 2\nLag set to 3\nLag set to 4\nLag set to 5\n"
              "Lag set to 6\nLag set to 7\nLag set to 8\nLag set to 9\nLag set to 9\n");
    EXPECT_EQ(Capture(remove_lag, 1), "Lag set to 8\n");
    ResetLag();
}

TEST(Lag, BatchReachesTheGameInArrivalOrderWithLocalIndexes)
{
    const unsigned long self = Ip(10, 0, 0, 1), peer = Ip(10, 0, 0, 2);
    std::vector<ZOConnectionID> table = {ZOConnectionID(self, 1), ZOConnectionID(peer, 6)};
    CFakeGame game;
    game.ticks = 1000;
    // A record about the tank of a peer that left meanwhile is not applied to
    // whatever object its raw index names.
    DeliverRecords({Record(GMSG_SHOOT, peer, 30), Record(GMSG_DEATH, self, 10), Record(GMSG_SHOOT, 0, 20),
                    Record(GMSG_SHOOT, Ip(10, 0, 0, 3), 40)},
                   table, game);
    ASSERT_EQ(game.messages.size(), 3u);
    EXPECT_EQ(game.messages[0].object, 6);
    EXPECT_EQ(game.messages[0].time, 30u);
    EXPECT_EQ(game.messages[1].object, 1);
    EXPECT_EQ(game.messages[2].object, 99);
}

// Records of a peer that quit while they waited still reach its tank: every
// copy without lag applied them before the departure.
TEST(Lag, RecordsOfAPeerThatQuitMeanwhileReachItsTank)
{
    const unsigned long self = Ip(10, 0, 0, 1), peer = Ip(10, 0, 0, 2);
    CConnectionTable table;
    table.AddLocalOnce(self, 1);
    table.Append(peer, 6);
    table.Depart(peer);
    CFakeGame game;
    DeliverRecords({Record(GMSG_SHOOT, peer, 30)}, table.Known(), game);
    ASSERT_EQ(game.messages.size(), 1u);
    EXPECT_EQ(game.messages[0].object, 6);
}

TEST(Lag, TracePrintsOneLinePerMessage)
{
    const unsigned long peer = PEER_A;
    CFakeGame game;
    game.ticks = 1000;
    SSocketMSG turn = Record(GMSG_CHANGE_ANGLES, peer, 900);
    turn.senderAddr = peer;
    CaptureLog();
    DeliverRecords({turn, Record(GMSG_TIMING_PROBE, 0, 900)}, {ZOConnectionID(peer, 4)}, game, true);
    EXPECT_EQ(CapturedOut(),
              "net trace: GMSG_CHANGE_ANGLES for object 4 from 10.77.0.2\n"
              "net trace: Unknown for object 99 from 0.0.0.0\n");
    EXPECT_EQ(game.messages.size(), 2u);
}

TEST(Lag, MessagesKeepTheirSendersTimeAndAddress)
{
    CFakeGame game;
    game.ticks = 5000;
    SSocketMSG ahead = Record(GMSG_SHOOT, 0, 5003);
    ahead.senderAddr = PEER_B;
    DeliverRecords({Record(GMSG_SHOOT, 0, 4990), ahead, Record(GMSG_SHOOT, 0, 0x100000000ull + 4000),
                    Record(GMSG_SHOOT, 0, 5000 + 3600000)},
                   {}, game);
    ASSERT_EQ(game.messages.size(), 4u);
    EXPECT_EQ(game.messages[0].time, 4990u);
    // A clock a little ahead is not corrected here: every copy must date it alike.
    EXPECT_EQ(game.messages[1].time, 5003u);
    EXPECT_EQ(game.messages[1].sender, (unsigned int)PEER_B);
    EXPECT_EQ(game.messages[2].time, 4000u) << "the clock has 32 bits";
    EXPECT_EQ(game.messages[3].time, 5000u) << "an hour ahead would wait for good";
}

TEST(ReceiveQueue, HandsOverEverythingInArrivalOrder)
{
    CZoSDLTreader threads;
    CReceiveQueue queue;
    queue.SetMutex(&threads, threads.InitializeMutex());
    for (int i = 0; i < 5; ++i)
        queue.Push(Record(GMSG_MOVE_TO_LOC, 0, i));
    std::vector<SSocketMSG> taken = queue.TakeAll(0);
    ASSERT_EQ(taken.size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(taken[i].time, (unsigned long)i);
    EXPECT_TRUE(queue.TakeAll(10).empty()) << "a wait with nothing arriving ends empty";
}

TEST(ReceiveQueue, WaitEndsWhenARecordArrives)
{
    CZoSDLTreader threads;
    CReceiveQueue queue;
    queue.SetMutex(&threads, threads.InitializeMutex());
    std::thread pusher([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        queue.Push(Record(GMSG_SHOOT, 0, 1));
    });
    std::vector<SSocketMSG> taken;
    // Generous bound: only a wait that ignores the arrival runs this long.
    const int longWaitMs = 10000;
    auto start = std::chrono::steady_clock::now();
    while (taken.empty() && std::chrono::steady_clock::now() - start < std::chrono::milliseconds(longWaitMs))
        taken = queue.TakeAll(longWaitMs);
    auto waited = std::chrono::steady_clock::now() - start;
    pusher.join();
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_LT(waited, std::chrono::milliseconds(longWaitMs / 2));
}

TEST(ReceiveQueue, WithoutAMutexRecordsAreDropped)
{
    CReceiveQueue queue;
    queue.Push(Record(GMSG_SHOOT, 0, 1));
    EXPECT_TRUE(queue.TakeAll(0).empty());
}
