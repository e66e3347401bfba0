#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/Vector.h"

namespace {

Line2vf L(float a, float b, float c, float d, float e, float f)
{
    Line2vf l;
    l.p0 = Vector3f(a, b, c);
    l.p1 = Vector3f(d, e, f);
    return l;
}

}  // namespace

TEST(Vector, RescaleTakesTheSquaredLength)
{
    Vector3f v(3, 0, 4);
    v.Rescale(1);
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.y, 0);
    EXPECT_FLOAT_EQ(v.z, 0.8f);

    Vector3f zero(0, 0, 0);
    zero.Rescale(1);
    EXPECT_EQ(zero.x, 0);
    EXPECT_EQ(zero.y, 0);
    EXPECT_EQ(zero.z, 0);

    Vector3f unit(1, 0, 0);
    unit.Rescale(4);
    EXPECT_FLOAT_EQ(unit.x, 2);
}

TEST(Vector, CrossProductAndScalingLeaveTheReceiverAlone)
{
    Vector3f a(1, 0, 0), b(0, 1, 0);
    Vector3f c = a.CrossProduct(b);
    EXPECT_EQ(c.z, 1);
    EXPECT_EQ(c.x, 0);
    EXPECT_EQ(a.x, 1);
    Vector3f d = a * 3;
    EXPECT_EQ(d.x, 3);
    EXPECT_EQ(a.x, 1);
    EXPECT_EQ(min(2, 1), 1);
    EXPECT_EQ(min(1, 2), 1);
}

TEST(Vector, ComparatorsOrderSegments)
{
    Line2vf a = L(1, 2, 3, 4, 5, 6);
    EXPECT_FALSE(Less(a, a));
    EXPECT_TRUE(Less(a, L(1, 2, 3, 4, 5, 7)));
    EXPECT_FALSE(Less(L(1, 2, 3, 4, 5, 7), a));
    // LessInv reads p1 first: the last component decides before the first.
    EXPECT_TRUE(LessInv(L(9, 0, 0, 1, 0, 0), L(0, 0, 0, 2, 0, 0)));
    EXPECT_FALSE(Less(L(9, 0, 0, 1, 0, 0), L(0, 0, 0, 2, 0, 0)));

    Line2vf reversed = L(4, 5, 6, 1, 2, 3);
    EXPECT_FALSE(LessCross(a, reversed));
    EXPECT_FALSE(LessCross(reversed, a));
    EXPECT_TRUE(LessCross(a, L(4, 5, 6, 1, 2, 4)));
}

TEST(Vector, NaNPairsDecideWithFalse)
{
    float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(Less(L(nan, 0, 0, 0, 0, 0), L(0, 9, 9, 9, 9, 9)));
    EXPECT_FALSE(Less(L(0, 9, 9, 9, 9, 9), L(nan, 0, 0, 0, 0, 0)));
}

TEST(Vector, DirectionFromAnglesUses314)
{
    Vector3f f = DirectionFromAngles(0, 0);
    EXPECT_NEAR(f.x, 0, 1e-6);
    EXPECT_NEAR(f.y, 0, 1e-6);
    EXPECT_NEAR(f.z, -1, 1e-6);
    Vector3f left = DirectionFromAngles(0, 90);
    EXPECT_NEAR(left.x, -std::sin(1.57f), 1e-6);
    EXPECT_NEAR(left.z, -std::cos(1.57f), 1e-6);
    EXPECT_GT(left.z, -0.001f);
}
