#include <gtest/gtest.h>

#include "model/StateDigest.h"
#include "ObjectBuilder.h"

TEST(StateDigest, OneRoundedLinePerTankAndPowerUpNamedByOwner)
{
    SGameObject ground = Plain(KIND_GROUND);
    STankPrototype tank(Plain(KIND_TANK, Vector3f(1.004f, -0.004f, -2.5051f), 359.996f));
    tank.angles.z = -0.006f;
    tank.state[TS_THROTTLE] = -0.0004f;
    tank.state[TS_DRIVE] = 0.12345f;
    tank.state[TS_GUN] = 0;
    SGamePowerup crate(Plain(KIND_POWERUP));
    crate.active = 0;
    std::vector<SGameObject*> objects = {&ground, &tank, &crate};

    std::string text = StateDigest(objects, [](int i) { return i == 1 ? std::string("10.77.0.2") : "?"; }, 4321);
    EXPECT_EQ(text,
              "digest 4321 tank 10.77.0.2 pos 1.00 0.00 -2.51 angles 0.00 360.00 -0.01 throttle 0.000 "
              "conditions 0.123 1.000 0.000 active 1\n"
              "digest 4321 powerup 2 active 0\n");
}

TEST(StateDigest, ScheduleEveryPeriodOfGameTimeAndOnRequest)
{
    CDigestSchedule never(0);
    EXPECT_FALSE(never.Due(1000));
    EXPECT_TRUE(never.Due(1000, true));
    EXPECT_FALSE(never.Due(1001));

    CDigestSchedule everySecond(1000);
    EXPECT_TRUE(everySecond.Due(5000));
    EXPECT_FALSE(everySecond.Due(5999));
    EXPECT_TRUE(everySecond.Due(6000));
    EXPECT_FALSE(everySecond.Due(6500));
}

// Copies compare hashes of what every copy has alike, in whatever order it
// numbers the tanks: not a throttle (only its owner sees it change), and a
// taken power-up is there by its timer alone, whatever a frame showed since.
// A change of a condition does show. A dead tank is left out: a newcomer's
// tank enters each copy at that copy's own moment, dead.
TEST(StateDigest, HashesAgreeOnWhatEveryCopyHasAlike)
{
    SGameObject base;
    base.kind = KIND_TANK;
    base.active = 1;
    STankPrototype mine(base), theirs(base), newcomer(base);
    newcomer.active = 0;
    newcomer.pos = Vector3f(40, 0, 70);
    mine.state[TS_THROTTLE] = 0.75f;
    SGamePowerup shown(SGameObject{}), notYet(SGameObject{});
    shown.kind = notYet.kind = KIND_POWERUP;
    shown.active = 1;
    notYet.active = 0;
    shown.timer = notYet.timer = 900;
    auto name = [](int) { return std::string("t"); };
    uint64_t hash = StateHash({&mine, &shown}, name, 1000);
    EXPECT_EQ(StateHash({&theirs, &notYet}, name, 1000), hash);
    EXPECT_EQ(StateHash({&theirs, &notYet, &newcomer}, name, 1000), hash);
    newcomer.active = 1;
    EXPECT_NE(StateHash({&theirs, &notYet, &newcomer}, name, 1000), hash);
    STankPrototype other(base);
    other.active = 1;
    auto names = [](int i) { return std::string(i == 0 ? "a" : "b"); };
    auto reversed = [](int i) { return std::string(i == 0 ? "b" : "a"); };
    EXPECT_EQ(StateHash({&mine, &other}, names, 1000), StateHash({&other, &mine}, reversed, 1000));
    // Hashed at 800, after a frame at 900 or later showed it again: not there yet.
    EXPECT_EQ(StateHash({&theirs, &notYet}, name, 800), StateHash({&theirs, &shown}, name, 800));
    SGamePowerup later(notYet);
    later.timer = 1100;
    EXPECT_NE(StateHash({&theirs, &later}, name, 1000), hash);
    theirs.state[TS_ARMOUR] = 0.5f;
    EXPECT_NE(StateHash({&theirs, &shown}, name, 1000), hash);
}
