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

TEST(ViewCulling, OnlySpheresWhollyOutsideTheFrustumAreOutOfSight)
{
    const Vector3f camera(0, 0, 0), view(0, 0, -1);
    // Ahead, behind, and 50 deep at 60 to a side (10 past the 45-degree edge,
    // 7.1 from it): a sphere of 5 is out, one of 8 reaches in.
    EXPECT_FALSE(OutOfSight(Vector3f(0, 0, -50), 5, camera, view));
    EXPECT_TRUE(OutOfSight(Vector3f(0, 0, 50), 5, camera, view));
    for (Vector3f beside : {Vector3f(-60, 0, -50), Vector3f(60, 0, -50), Vector3f(0, 60, -50), Vector3f(0, -60, -50)}) {
        EXPECT_TRUE(OutOfSight(beside, 5, camera, view));
        EXPECT_FALSE(OutOfSight(beside, 8, camera, view));
    }
    // A sphere round the camera is seen whatever its centre.
    EXPECT_FALSE(OutOfSight(Vector3f(0, 0, 5), 20, camera, view));
    // The view turns with the camera and moves with it.
    EXPECT_FALSE(OutOfSight(Vector3f(150, 0, 0), 5, Vector3f(100, 0, 0), Vector3f(1, 0, 0)));
    EXPECT_TRUE(OutOfSight(Vector3f(50, 0, 0), 5, Vector3f(100, 0, 0), Vector3f(1, 0, 0)));
    // Straight down there is no sideways axis to cull by.
    EXPECT_FALSE(OutOfSight(Vector3f(0, 50, 0), 5, camera, Vector3f(0, -1, 0)));
}
