#include <gtest/gtest.h>

#include "render/ViewCulling.h"

TEST(ViewCulling, OnlyObjectsTwoToSixtyFourAwayFromTheViewAreLeftOut)
{
    const Vector3f camera(0, 0, 0), view(0, 0, -1);
    const Vector3f behind(0, 0, 50), ahead(0, 0, -50);
    // 0.7 along the view is about 45.6 degrees off it: 45 is kept, 46 is not.
    const Vector3f at45(-10, 0, -10), at46(-10.355f, 0, -10);
    EXPECT_FALSE(OffView(2, ahead, camera, view));
    EXPECT_FALSE(OffView(64, at45, camera, view));
    EXPECT_TRUE(OffView(2, at46, camera, view));
    EXPECT_TRUE(OffView(64, behind, camera, view));
    EXPECT_FALSE(OffView(1, behind, camera, view));
    EXPECT_FALSE(OffView(65, behind, camera, view));
    // Far or near makes no difference, only the direction.
    EXPECT_TRUE(OffView(10, Vector3f(1000, 0, 1), Vector3f(0, 0, 0), view));
    EXPECT_FALSE(OffView(10, Vector3f(0, 3, -7), Vector3f(0, 3, -6), view));
}
