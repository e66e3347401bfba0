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
    RequestStateDigest();
    EXPECT_TRUE(never.Due(1000));
    EXPECT_FALSE(never.Due(1001));

    CDigestSchedule everySecond(1000);
    EXPECT_TRUE(everySecond.Due(5000));
    EXPECT_FALSE(everySecond.Due(5999));
    EXPECT_TRUE(everySecond.Due(6000));
    EXPECT_FALSE(everySecond.Due(6500));
}
