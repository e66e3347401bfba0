#include <atomic>
#include <thread>

#include "BotArena.h"
#include "GameFixture.h"
#include "model/Log.h"

// Hits on a computer tank are worked out by the copy that drives it, as hits
// on the player's own tank are: before, a shot at any tank but the local one
// left it whole.
TEST_F(GameFixture, AShotKillsAComputerTankAndTheScoresCount)
{
    SmallField();
    game.m_bots.Enter(game);
    std::vector<int> bots = game.m_bots.Tanks();
    ASSERT_EQ(bots.size(), 3u);
    int bot = bots[0];
    SGameObject& target = *game.m_objects[bot];
    target.active = 1;
    target.pos = Vector3f(100, 0, 40);  // ahead of the local tank, which faces -z
    target.state[TS_DRIVE] = target.state[TS_ARMOUR] = target.state[TS_GUN] = 0.01f;

    game.AddMsg(Msg(GMSG_SHOOT, LOCAL_TANK, {0, 0, 0, 0, 0, 0}, game.now));
    game.ActOnMessages();
    EXPECT_EQ(QueuedOfType(GMSG_DAMAGE).size(), 1u);
    ASSERT_EQ(QueuedOfType(GMSG_DEATH).size(), 1u);
    EXPECT_EQ(QueuedOfType(GMSG_DEATH)[0].object, bot);
    game.now += 10;
    game.ActOnMessages();
    EXPECT_EQ(game.m_objects[bot]->active, 0);
    EXPECT_EQ(game.m_objects[bot]->deaths, 1);
    EXPECT_EQ(game.m_objects[LOCAL_TANK]->frags, 1);
    EXPECT_EQ(State(LOCAL_TANK)[TS_DISPLAY], 1);
    std::vector<SScoreRow> rows = game.ScoreRows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].name, game.m_playerName);
    EXPECT_EQ(rows.back().name, "BOT 1");  // the one death sorts last
}

namespace {

int FragsInAMatch(EBotLevel level, unsigned int seed)
{
    SetLogSink([](ELogStream, const std::string&) {});
    SBotArena arena(1, level, seed);
    arena.Play(180000);
    SetLogSink(LogSink());
    return arena.BotFrags();
}

}  // namespace

// One computer tank against a target that circles without firing, for three
// minutes of game time, three seeded matches a level.
TEST(BotMatch, HardComputerTanksScoreMoreThanEasyOnes)
{
    int easy = 0, hard = 0;
    for (unsigned int seed : {3u, 17u, 29u}) {
        easy += FragsInAMatch(BOT_EASY, seed);
        hard += FragsInAMatch(BOT_HARD, seed);
    }
    EXPECT_GT(hard, easy);
    EXPECT_GT(easy, 0) << "even easy ones should hit a circling target now and then";
}

// The same seed plays the same match.
TEST(BotMatch, ASeededMatchPlaysTheSameAgain)
{
    SBotArena first(3, BOT_NORMAL, 5), second(3, BOT_NORMAL, 5);
    first.Play(30000);
    second.Play(30000);
    for (int bot : first.game.m_bots.Tanks()) {
        EXPECT_EQ(first.game.m_objects[bot]->pos.x, second.game.m_objects[bot]->pos.x);
        EXPECT_EQ(first.game.m_objects[bot]->pos.z, second.game.m_objects[bot]->pos.z);
        EXPECT_EQ(first.game.m_objects[bot]->frags, second.game.m_objects[bot]->frags);
    }
}

// Computer tanks keep moving at 60 and at 16 frames a second: none stays
// within 30 units of one spot for 30 s while alive. They used to wait for
// good facing an enemy through cover, pressed against cover they could not
// turn away from, or (in long frames) with a throttle swinging between
// forward and back.
TEST(BotMatch, ComputerTanksAreNeverHeldInOnePlaceForLong)
{
    SetLogSink([](ELogStream, const std::string&) {});
    for (unsigned int frameMs : {16u, 60u})
        for (unsigned int seed : {1u, 2u, 3u, 4u}) {
            SBotArena arena(3, BOT_NORMAL, seed);
            std::vector<int> bots = arena.game.m_bots.Tanks();
            std::vector<Vector3f> spot(bots.size());
            std::vector<unsigned long> since(bots.size(), arena.game.now), longest(bots.size(), 0);
            for (unsigned long t = 0; t < 180000; t += frameMs) {
                arena.Frame(frameMs);
                for (size_t b = 0; b < bots.size(); ++b) {
                    const SGameObject& tank = *arena.game.m_objects[bots[b]];
                    float dx = tank.pos.x - spot[b].x, dz = tank.pos.z - spot[b].z;
                    if (!tank.active || dx * dx + dz * dz > 30 * 30) {
                        spot[b] = tank.pos;
                        since[b] = arena.game.now;
                    }
                    longest[b] = std::max(longest[b], arena.game.now - since[b]);
                }
            }
            for (size_t b = 0; b < bots.size(); ++b)
                EXPECT_LT(longest[b], 30000u) << "frames of " << frameMs << " ms, seed " << seed << ", tank " << bots[b];
        }
    SetLogSink(LogSink());
}

// The network thread copies tanks (to announce this copy, to restate it to a
// newcomer, to repair) while the frame moves them; ThreadSanitizer's run of
// the unit tests halts on any step that moves them outside the game's lock.
TEST(BotMatch, TanksAreCopiedWhileTheFrameMovesThem)
{
    SetLogSink([](ELogStream, const std::string&) {});
    SBotArena arena(2, BOT_HARD, 5);
    std::vector<int> tanks = arena.game.m_bots.Tanks();
    tanks.push_back(LOCAL_TANK);
    std::atomic<bool> playing{true};
    std::atomic<int> copies{0};
    std::thread network([&] {
        while (playing)
            for (int index : tanks)
                if (SGameObject* copy = arena.game.CopyGameObject(index)) {
                    DestroyObject(copy);
                    ++copies;
                }
    });
    // Frames until the copies have overlapped many of them.
    for (unsigned long played = 0; played < 3000 || copies < 100; played += 16)
        arena.Frame(16);
    playing = false;
    network.join();
    SetLogSink(LogSink());
}
