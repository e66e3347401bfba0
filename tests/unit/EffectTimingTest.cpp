#include <gtest/gtest.h>

#include <cmath>

#include "render/EffectTiming.h"

// A shot shows for half a second from its timer, a death for two, nothing
// before the timer; the 32-bit clock may wrap in between.
TEST(EffectTiming, ShotForHalfASecondDeathForTwo)
{
    struct {
        unsigned long now, timer;
        bool shot, death;
    } cases[] = {
        {1000, 1000, true, true},  {1499, 1000, true, true},        {1500, 1000, false, true},
        {6999, 5000, false, true}, {7000, 5000, false, false},      {1000, 1001, false, false},
        {100, 0xFFFFFFF0UL, true, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShotEffectShown(c.now, c.timer), c.shot) << c.now << " after " << c.timer;
        EXPECT_EQ(DeathEffectShown(c.now, c.timer), c.death) << c.now << " after " << c.timer;
    }
    EXPECT_EQ(ElapsedSince(100, 0xFFFFFFF0UL), 116u);
    // Thirteen frames in the half second.
    EXPECT_EQ(ShotEffectFrame(1000, 1000), 0);
    EXPECT_EQ(ShotEffectFrame(1038, 1000), 0);
    EXPECT_EQ(ShotEffectFrame(1039, 1000), 1);
    EXPECT_EQ(ShotEffectFrame(1499, 1000), 12);
}

TEST(ShotEffect, GunDirectionFromElevationAndHeading)
{
    Vector3f ahead = GunDirection(Vector3f(0, 0, 0));
    EXPECT_NEAR(ahead.x, 0, 1e-6);
    EXPECT_NEAR(ahead.y, 0, 1e-6);
    EXPECT_NEAR(ahead.z, -1, 1e-6);
    Vector3f left = GunDirection(Vector3f(0, 90, 0));
    EXPECT_NEAR(left.x, -1, 1e-3);
    EXPECT_NEAR(left.z, 0, 1e-3);
    Vector3f up = GunDirection(Vector3f(30, 0, 0));
    EXPECT_NEAR(up.y, std::sin(30 / 180.0 * 3.14), 1e-6);
}

TEST(ShotEffect, MuzzleRollTurnsTheSpriteTowardsTheCamera)
{
    Vector3f gun(0, 0, -1);
    // Camera straight above the gun: R = (0, 1, 0), K = R x D = (-1, 0, 0): acos branch.
    EXPECT_NEAR(MuzzleRollDegrees(gun, Vector3f(0, 10, 0)), 90, 1e-3);
    // Camera straight below: R = (0, -1, 0), K = (1, 0, 0): still acos: 180 + 90.
    EXPECT_NEAR(MuzzleRollDegrees(gun, Vector3f(0, -10, 0)), std::acos(-1.0f) * 180 / 3.14f + 90, 1e-2);
    // Camera to the right (+x): R = (1, 0, 0), K = (0, 1, 0) points up: asin branch, 0.
    EXPECT_NEAR(MuzzleRollDegrees(gun, Vector3f(10, 0, 0)), 0, 1e-3);
    // Right and somewhat up: asin of the upward share, in degrees of 180 / 3.14.
    Vector3f upRight(10, 10, 0);
    EXPECT_NEAR(MuzzleRollDegrees(gun, upRight), std::asin(std::sqrt(0.5f)) * 180 / 3.14f, 1e-2);
    // The camera on the gun's axis gives a zero vector and no failure.
    EXPECT_FALSE(std::isnan(MuzzleRollDegrees(gun, Vector3f(0, 0, -30))));
}

TEST(ShotEffect, ImpactSpriteFacesTheCamera)
{
    // Camera north (-z) of the impact: no turn; tilt by its elevation.
    SImpactTurn north = ImpactSpriteTurn(0, 0, Vector3f(0, 100, -100));
    EXPECT_NEAR(north.yaw, 0, 1e-2);
    EXPECT_NEAR(north.tilt, 45 * 3.1415927f / 3.14f, 1e-2);
    // South (+z): half a turn, negated since the camera is not west of it.
    SImpactTurn south = ImpactSpriteTurn(0, 0, Vector3f(0, 100, 100));
    EXPECT_NEAR(south.yaw, -180 * 3.1415927f / 3.14f, 1e-2);
    // Camera west (-x) of it: ix - cx > 0 keeps the angle positive.
    SImpactTurn west = ImpactSpriteTurn(0, 0, Vector3f(-100, 0.0001f, 0));
    EXPECT_NEAR(west.yaw, 90 * 3.1415927f / 3.14f, 1e-2);
    EXPECT_NEAR(west.tilt, 0, 0.01);
    // Camera east: negated.
    SImpactTurn east = ImpactSpriteTurn(0, 0, Vector3f(100, 10, 0));
    EXPECT_LT(east.yaw, 0);
    // Camera below ground: the tilt is negated.
    SImpactTurn below = ImpactSpriteTurn(0, 0, Vector3f(0, -100, 100));
    EXPECT_LT(below.tilt, 0);
    // Camera straight above the impact: no failure.
    SImpactTurn above = ImpactSpriteTurn(5, 5, Vector3f(5, 100, 5));
    EXPECT_FALSE(std::isnan(above.yaw));
    EXPECT_FALSE(std::isnan(above.tilt));
}

TEST(ShotEffect, ImpactIsKnownUnlessBothSlotsAreMinusOne)
{
    EXPECT_FALSE(ImpactKnown(-1, -1));
    EXPECT_TRUE(ImpactKnown(-1, 20));
    EXPECT_TRUE(ImpactKnown(20, -1));
    EXPECT_TRUE(ImpactKnown(0, 0));
}
