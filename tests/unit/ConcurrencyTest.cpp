// The game shared between its own thread and the network threads. Meant to be
// run under ThreadSanitizer (test.sh does) and AddressSanitizer as well.
#include <atomic>
#include <thread>

#include "GameFixture.h"
#include "NetFakes.h"

namespace {

class Concurrency : public GameFixture {
protected:
    void SetUp() override
    {
        int box = SmallField();
        tank = LOCAL_TANK;
        tankBase = Base(KIND_TANK, box, Vector3f(600, 0, 600));
    }

    int tank = 0;
    SGameObject tankBase;
};

// A game whose rules reach the game's public calls, as a rule or collision
// test written against the interface would.
class CReentrantGame : public CTestGame {
public:
    using CTestGame::CTestGame;
    void ActOnMessage(SGameMsg msg) override
    {
        seen = GetGameObjects().size();
        CTestGame::ActOnMessage(msg);
    }
    size_t seen = 0;
};

}  // namespace

// A listener adds messages and peers' tanks and announces the local tank while
// the game thread applies passes that warp back and free what they replaced.
TEST_F(Concurrency, NetworkThreadsMeetWarpingPasses)
{
    const int ROUNDS = 150;
    const float STEP = 0.001f;
    std::atomic<unsigned long> clock(game.now.load());
    std::atomic<bool> started(false);
    CConnectionTable table;
    CFakeTransport transport(SELF);
    CPeerProtocol protocol(table, transport, 7);
    protocol.SetGame(&game);
    std::vector<int> added;

    std::thread listener([&] {
        started = true;
        for (int k = 0; k < ROUNDS; ++k) {
            game.AddMsg(Msg(GMSG_ACCELERATE, tank, {STEP}, clock.load() - 700));
            added.push_back(game.AddGameObject(new STankPrototype(tankBase)));
            protocol.Connect(PEER_A);
        }
    });
    while (!started)
        std::this_thread::yield();
    for (int k = 0; k < ROUNDS; ++k) {
        game.now += 250;
        clock = game.now.load();
        // Late by 1.5 s, behind the last round's message on time: every pass
        // but the first warps, however little the listener has run.
        game.AddMsg(Msg(GMSG_ACCELERATE, tank, {STEP}, game.now - 1500));
        game.AddMsg(Msg(GMSG_ACCELERATE, tank, {STEP}, game.now));
        game.ActOnMessages();
    }
    listener.join();
    game.ActOnMessages();

    for (const SGameMsg& m : game.m_messages)
        EXPECT_EQ(m.handled, 1);
    ASSERT_EQ(added.size(), (size_t)ROUNDS);
    for (int k = 0; k < ROUNDS; ++k)
        EXPECT_EQ(added[k], tank + 1 + k);
    EXPECT_EQ(game.m_objects.size(), (size_t)(tank + 1 + ROUNDS));
    // The passes did warp.
    EXPECT_NE(ReadLog().find("Warping "), std::string::npos);
    size_t answers = 0;
    for (const SSocketMSG& rec : transport.sent) {
        if (rec.type != SMSG_CONNECT_BACK)
            continue;
        ++answers;
        EXPECT_EQ(rec.data[0], 100.0f);  // the local tank's x, never a freed copy's bytes
    }
    EXPECT_EQ(answers, (size_t)ROUNDS);
}

TEST(ConcurrencyReentry, RulesMayCallThePublicInterfaceInsideAPass)
{
    SNoDeviceGame<CReentrantGame> copy(::testing::TempDir() + "ferrowind_reentry.txt");
    CReentrantGame& game = copy.game;
    game.m_objects.push_back(NewObject(KIND_GROUND));
    game.AddMsg(MakeMsg(GMSG_DEATH, 0, 0, 0, game.now));
    game.ActOnMessages();  // would never return if the call took the mutex again
    EXPECT_EQ(game.seen, 1u);
}
