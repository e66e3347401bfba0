#include <gtest/gtest.h>

#include <cmath>

#include "game/BotSteering.h"
#include "model/GameObject.h"

// The heading towards a point must face it by the game's own direction
// formula (3.14 for pi), in every quarter and on the axes.
TEST(BotSteering, HeadingTowardsFacesThePointByTheGamesFormula)
{
    const Vector3f from(100, 0, 200);
    const Vector3f offsets[] = {{0, 0, -50}, {0, 0, 50}, {50, 0, 0}, {-50, 0, 0},
                                {30, 0, -40}, {-30, 0, 40}, {-70, 0, -10}, {5, 0, 90}};
    for (const Vector3f& offset : offsets) {
        Vector3f d = DirectionFromAngles(0, HeadingTowards(from, from + offset));
        float length = std::sqrt(offset.x * offset.x + offset.z * offset.z);
        EXPECT_NEAR(d.x, offset.x / length, 1e-5) << offset.x << " " << offset.z;
        EXPECT_NEAR(d.z, offset.z / length, 1e-5) << offset.x << " " << offset.z;
    }
}

// The shorter way round, with a whole turn of 360 * pi / 3.14 of the game's
// degrees: a plain 360 would leave a tank that has turned a few times aiming
// a little off.
TEST(BotSteering, HeadingErrorTakesTheShorterWayRoundAGameTurn)
{
    const float turn = FullTurnDegrees();
    EXPECT_NEAR(HeadingError(5, 3 * turn + 2), 3, 1e-3) << "after three whole turns";
    // Whatever the error, turning by it faces the same way as the heading
    // wanted, and never the long way round (across the back included).
    for (float current : {-900.0f, -1.0f, 0.0f, 179.0f, 722.0f, -79.0f, 281.0f, -2 * turn + 108}) {
        Vector3f want = DirectionFromAngles(0, 100);
        Vector3f got = DirectionFromAngles(0, current + HeadingError(100, current));
        EXPECT_NEAR(got.x, want.x, 1e-3);
        EXPECT_NEAR(got.z, want.z, 1e-3);
        EXPECT_LE(std::fabs(HeadingError(100, current)), turn / 2);
    }
}

// The ray test the bots look through: a box 10 wide (x) and 20 long (z)
// placed at (100, 0, 100); turned by 90 degrees its long side lies along x.
TEST(BotSteering, RayToFootprintFindsTheNearSideOrMisses)
{
    const float bbox[4] = {-10, 10, 5, -5};  // minZ, maxZ, maxX, minX
    const Vector3f box(100, 0, 100);
    struct {
        Vector3f origin, dir;
        float heading, distance;  // distance < 0: a miss
    } cases[] = {
        {{50, 0, 100}, {1, 0, 0}, 0, 45},      // from the west onto the side at x 95
        {{100, 0, 50}, {0, 0, 1}, 0, 40},      // from the north onto the end at z 90
        {{50, 0, 100}, {1, 0, 0}, 90, 40},     // turned: the end now faces west, at x 90
        {{50, 0, 120}, {1, 0, 0}, 0, -1},      // passes beside it
        {{150, 0, 100}, {1, 0, 0}, 0, -1},     // it lies behind
        {{100, 0, 100}, {0, 0, -1}, 0, 0},     // from inside: at once
    };
    for (const auto& c : cases) {
        float t = RayToFootprint(c.origin, c.dir, box, c.heading, bbox);
        if (c.distance < 0)
            EXPECT_LT(t, 0) << c.origin.x << " " << c.origin.z;
        else
            EXPECT_NEAR(t, c.distance, 0.05) << c.origin.x << " " << c.origin.z << " heading " << c.heading;
    }
}
