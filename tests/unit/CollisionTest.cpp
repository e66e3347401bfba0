#include "GameFixture.h"
#include "game/Footprint.h"

namespace {

class Collision : public GameFixture {
protected:
    void SetUp() override
    {
        box = BoxModel(-10, 10, -10, 10);
        AddScenery(box, Vector3f(0, 0, 0), KIND_GROUND);
        mover = AddTank(box, Vector3f(0, 0, 0));
    }

    Vector3f Move(float x, float z) { return game.ACollision(Vector3f(x, 0, z), mover); }

    int box = 0;
    int mover = 0;
};

}  // namespace

TEST_F(Collision, FootprintBoxFromTheModel)
{
    EXPECT_EQ(game.m_objects[mover]->bbox[BB_MIN_Z], -10);
    EXPECT_EQ(game.m_objects[mover]->bbox[BB_MAX_Z], 10);
    EXPECT_EQ(game.m_objects[mover]->bbox[BB_MAX_X], 10);
    EXPECT_EQ(game.m_objects[mover]->bbox[BB_MIN_X], -10);

    SGameObject shifted = Base(KIND_SCENERY, BoxModel(5, 7, 1, 2), Vector3f(0, 0, 0));
    EXPECT_EQ(shifted.bbox[BB_MIN_X], 5);  // not forced to contain the origin
    EXPECT_EQ(shifted.bbox[BB_MAX_Z], 2);

    int single = gl.m_store.AddModel({Vector3f(3, 99, 4)}, {}, {});
    gl.m_store.Finish();
    SGameObject point = Base(KIND_SCENERY, single, Vector3f(0, 0, 0));
    EXPECT_EQ(point.bbox[BB_MIN_Z], 4);
    EXPECT_EQ(point.bbox[BB_MAX_Z], 4);
    EXPECT_EQ(point.bbox[BB_MIN_X], 3);
    EXPECT_EQ(point.bbox[BB_MAX_X], 3);

    SGameObject unknown = Base(KIND_SCENERY, 999, Vector3f(0, 0, 0));
    for (float v : unknown.bbox)
        EXPECT_EQ(v, 0);
}

// Touching along an edge blocks; a blocked move keeps all three components.
TEST_F(Collision, BlockedMoveKeepsThePositionEvenWhenOnlyTouching)
{
    game.m_objects[mover]->pos = Vector3f(0, 3, 0);
    AddTank(box, Vector3f(100, 0, 0));
    Vector3f r = Move(80, 5);
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(r.y, 3);
    EXPECT_EQ(r.z, 0);
    EXPECT_FLOAT_EQ(Move(79.9f, 5).x, 79.9f);
}

TEST_F(Collision, IndexZeroInactiveAndPassiveObjectsNeverBlock)
{
    int sleeping = AddScenery(box, Vector3f(50, 0, 0));
    game.m_objects[sleeping]->active = 0;
    AddScenery(box, Vector3f(0, 0, 50), KIND_PASSIVE);
    EXPECT_EQ(Move(45, 0).x, 45);
    EXPECT_EQ(Move(0, 45).z, 45);
    EXPECT_EQ(Move(0, 1).z, 1);  // overlaps the ground at index 0
    EXPECT_TRUE(game.m_messages.empty());
}

TEST_F(Collision, MovingOntoAPowerUpTakesIt)
{
    int crate = AddPowerUp(box, Vector3f(40, 0, 0), 2);
    Vector3f r = Move(35, 0);
    EXPECT_EQ(r.x, 35);
    std::vector<SGameMsg> taken = QueuedOfType(GMSG_POWERUP_TAKEN);
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].object, crate);
    ASSERT_EQ(taken[0].count, 1);
    EXPECT_EQ(taken[0].data[0], (float)mover);
    EXPECT_EQ(taken[0].time, game.now);

    // A taken power-up is back at the game time its timer holds, shown or not.
    int sleeping = AddPowerUp(box, Vector3f(-40, 0, 0), 2);
    game.m_objects[sleeping]->active = 0;
    game.m_objects[sleeping]->timer = game.now + 1;
    Move(-35, 0);
    EXPECT_EQ(QueuedOfType(GMSG_POWERUP_TAKEN).size(), 1u);
    game.now += 1;
    Move(-36, 0);
    EXPECT_EQ(QueuedOfType(GMSG_POWERUP_TAKEN).size(), 2u);
}

// Each copy lists the tanks in its own order (its own first, its peers'
// after the scenery), so a blocker may come before a power-up on one copy
// and after it on another: either way the move is refused and the power-up
// taken.
TEST_F(Collision, PowerUpTakenWhateverBlocksTheMoveFirst)
{
    for (bool blockerFirst : {true, false}) {
        SCOPED_TRACE(blockerFirst);
        float x = blockerFirst ? 40.0f : -40.0f;
        if (blockerFirst)
            AddScenery(box, Vector3f(x, 0, 10));
        int crate = AddPowerUp(box, Vector3f(x, 0, -10), 1);
        if (!blockerFirst)
            AddScenery(box, Vector3f(x, 0, 10));
        size_t before = QueuedOfType(GMSG_POWERUP_TAKEN).size();
        EXPECT_EQ(Move(x - 5, 0).x, 0);
        std::vector<SGameMsg> taken = QueuedOfType(GMSG_POWERUP_TAKEN);
        ASSERT_EQ(taken.size(), before + 1);
        EXPECT_EQ(taken.back().object, crate);
    }
}

TEST_F(Collision, RequestsWithinTheThresholdYieldTheCurrentValue)
{
    AddPowerUp(box, Vector3f(5, 0, 0), 1);
    AddScenery(box, Vector3f(0, 0, 15));
    Vector3f r = Move(0.04f, 0);
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(Move(0, 0).x, 0);
    EXPECT_TRUE(QueuedOfType(GMSG_POWERUP_TAKEN).empty());
}

TEST_F(Collision, TurnTest)
{
    int lengthy = BoxModel(-2, 2, -30, 30);
    int turner = AddTank(lengthy, Vector3f(300, 0, 300));
    AddScenery(box, Vector3f(330, 0, 300));
    // Facing along z the tank clears the box; turned sideways it would reach it.
    Vector3f r = game.RCollision(Vector3f(0, 90, 0), turner);
    EXPECT_EQ(r.y, 0);
    r = game.RCollision(Vector3f(0, 10, 7), turner);
    EXPECT_EQ(r.y, 10);
    EXPECT_EQ(r.z, 7);

    int crate = AddPowerUp(box, Vector3f(300, 0, 320), 3);
    r = game.RCollision(Vector3f(0, 5, 0), turner);
    EXPECT_EQ(r.y, 5);
    std::vector<SGameMsg> taken = QueuedOfType(GMSG_POWERUP_TAKEN);
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].object, crate);
    EXPECT_EQ(taken[0].data[0], (float)turner);
}

TEST_F(Collision, PitchedFootprintShrinksOntoItsPosition)
{
    int lengthy = BoxModel(-2, 2, -30, 30);
    int pitched = AddTank(lengthy, Vector3f(300, 0, 300));
    AddScenery(box, Vector3f(300, 0, 335));
    EXPECT_EQ(game.RCollision(Vector3f(0, 0, 0), pitched).x, 0);
    game.m_objects[pitched]->angles = Vector3f(89.9f, 0, 0);
    // Nearly upright, the footprint is almost a point and misses the box...
    EXPECT_FLOAT_EQ(game.ACollision(Vector3f(300, 0, 310), pitched).z, 310);
    // ...but that point can still lie inside another footprint.
    EXPECT_EQ(game.ACollision(Vector3f(300, 0, 330), pitched).z, 300);
}

TEST(Footprints, CrossingLikeAPlusSignWithNoCornerInsideIsNoOverlap)
{
    const float wide[4] = {-2, 2, 20, -20};  // minZ, maxZ, maxX, minX
    const float deep[4] = {-20, 20, 2, -2};
    SFootprint across(Vector3f(0, 0, 0), 0, 0, wide);
    SFootprint along(Vector3f(0, 0, 0), 0, 0, deep);
    // Only corners are tested: the bars cross, yet no corner lies in the other.
    EXPECT_FALSE(FootprintsOverlap(across, along));
    EXPECT_FALSE(FootprintsOverlap(along, across));
    // Slid 21 along its length, two of its corners lie inside the other.
    SFootprint slid(across.f * 21, 0, 0, deep);
    EXPECT_TRUE(FootprintsOverlap(across, slid));
    EXPECT_TRUE(FootprintsOverlap(slid, across));
}
