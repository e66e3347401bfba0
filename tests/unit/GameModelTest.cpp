#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "model/GameMsg.h"
#include "model/GameObject.h"
#include "ObjectBuilder.h"

TEST(GameMsg, NamesOfTypes)
{
    EXPECT_STREQ(getMsgString(207), "Unknown");
    EXPECT_STREQ(getMsgString(0), "Unknown");
    // Types with a rule but no name in the warp log.
    for (int unnamed : {GMSG_MOVE_ALONG, GMSG_TIMING_PROBE, GMSG_POWERUP_TAKEN, GMSG_TOGGLE_MUSIC})
        EXPECT_STREQ(getMsgString(unnamed), "Unknown");
    EXPECT_STREQ(getMsgString(302), "GMSG_POWERUP_APPEAR");
    EXPECT_STREQ(getMsgString(202), "GMSG_SHOOT");
    EXPECT_STREQ(getMsgString(206), "GMSG_FRAG");
}

TEST(GameMsg, CopiesShareTheirData)
{
    float values[2] = {1, 2};
    SGameMsg a = MakeMsg(GMSG_CHANGE_ANGLES, 1, 2, values, 5);
    SGameMsg b = a;
    b.data[0] = 42;
    EXPECT_EQ(a.data[0], 42);
    EXPECT_EQ(b.time, 5u);
    EXPECT_EQ(b.handled, 0);
    EXPECT_EQ(b.late, 0);

    SGameMsg empty = MakeMsg(GMSG_DEATH, 1, 0, 0, 0);
    EXPECT_FALSE(empty.data);
}

// The queue shifts, copies and drops messages; each one's data lives as long
// as any copy of it (AddressSanitizer sees a use after release).
TEST(GameMsg, DataLivesWhileAnyCopyDoes)
{
    std::vector<SGameMsg> queue;
    for (int k = 0; k < 50; ++k) {
        float value = (float)k;
        queue.insert(queue.begin(), MakeMsg(GMSG_ACCELERATE, 1, 1, &value, k));
    }
    SGameMsg kept = queue[10];
    SGameMsg moved = std::move(queue[20]);
    queue.clear();
    EXPECT_EQ(kept.data[0], 39);
    EXPECT_EQ(moved.data[0], 29);
    SGameMsg assigned;
    assigned = kept;
    assigned.data[0] = 7;
    EXPECT_EQ(kept.data[0], 7);
}

namespace {

STankPrototype MakeTank()
{
    STankPrototype tank(Plain(KIND_TANK, Vector3f(10, 0, 10)));
    tank.state[TS_SPEED] = 1;
    return tank;
}

}  // namespace

TEST(Tank, StartsWithFullConditionAndNoThrottle)
{
    STankPrototype tank = MakeTank();
    ASSERT_EQ(tank.stateCount, TANK_STATE_COUNT);
    EXPECT_EQ(tank.state[TS_THROTTLE], 0);
    EXPECT_EQ(tank.state[TS_DRIVE], 1);
    EXPECT_EQ(tank.state[TS_ARMOUR], 1);
    EXPECT_EQ(tank.state[TS_GUN], 1);
    for (int i = TS_DISPLAY; i < TANK_STATE_COUNT; ++i)
        EXPECT_EQ(tank.state[i], 0);
}

TEST(Tank, MovementStepGivesMoveAndDecay)
{
    STankPrototype tank = MakeTank();
    tank.state[TS_SPEED] = 50;
    EXPECT_TRUE(tank.Action(10, 1).empty()) << "no throttle, no messages";
    tank.state[TS_SPEED] = 1;
    tank.state[TS_THROTTLE] = 1;
    std::vector<SGameMsg> pair = tank.Action(10, 3);
    ASSERT_EQ(pair.size(), 2u);
    EXPECT_EQ(pair[0].type, GMSG_MOVE_TO_LOC);
    EXPECT_EQ(pair[0].object, 3);
    ASSERT_EQ(pair[0].count, 3);
    EXPECT_NEAR(pair[0].data[0], 10, 1e-5);
    EXPECT_NEAR(pair[0].data[2], 10 - 12.5, 1e-5);
    EXPECT_EQ(pair[1].type, GMSG_ACCELERATE);
    ASSERT_EQ(pair[1].count, 1);
    EXPECT_NEAR(pair[1].data[0], -0.03, 1e-6);
    // The position itself changes only when the messages are applied.
    EXPECT_EQ(tank.pos.z, 10);

    tank.state[TS_THROTTLE] = -0.5f;
    pair = tank.Action(10, 3);
    ASSERT_EQ(pair.size(), 2u);
    EXPECT_NEAR(pair[1].data[0], 0.03, 1e-6);
}

TEST(Tank, TimedPowerUpEndsWhenItsTimeIsUp)
{
    STankPrototype tank = MakeTank();
    tank.state[TS_POWERUP_KIND] = 4;
    tank.state[TS_POWERUP_LEFT] = 20;
    tank.effect[0] = 0.05f;
    EXPECT_TRUE(tank.Action(10, 1).empty());
    EXPECT_EQ(tank.state[TS_POWERUP_KIND], 4);
    EXPECT_TRUE(tank.Action(10, 1).empty());
    EXPECT_EQ(tank.state[TS_POWERUP_KIND], 0);
    EXPECT_EQ(tank.effect[0], 0);
}

TEST(PowerUp, CountsDownUntilAvailable)
{
    SGamePowerup p(Plain(KIND_POWERUP));
    p.active = 0;
    p.timer = 30;
    p.Action(50);
    EXPECT_EQ(p.timer, 0u);
    EXPECT_EQ(p.active, 1);

    p.active = 0;
    p.timer = 50;
    p.Action(30);
    EXPECT_EQ(p.timer, 20u);
    EXPECT_EQ(p.active, 0);
}
