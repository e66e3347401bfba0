#include <gtest/gtest.h>

#include "model/GameObject.h"
#include "model/Rollback.h"
#include "model/SavedStates.h"
#include "ObjectBuilder.h"

namespace {

std::vector<SGameObject*> World()
{
    SGameObject* ground = NewObject(KIND_GROUND);
    ground->stateCount = 2;
    ground->state = new float[2]{5, 6};
    return {ground, NewObject(KIND_TANK), NewObject(KIND_POWERUP)};
}

}  // namespace

TEST(SavedStates, TakesSnapshotsAtLeastASecondApart)
{
    SSavedStates ring;
    std::vector<SGameObject*> world = World();
    ring.lastTime = 0;
    ring.SaveState(world, 1000);
    EXPECT_EQ(ring.pos, 1);
    ring.SaveState(world, 1000 + 999);
    EXPECT_EQ(ring.pos, 1);
    ring.SaveState(world, 2000);
    EXPECT_EQ(ring.pos, 2);
    EXPECT_EQ(ring.times[2], 2000u);
    EXPECT_EQ(ring.lastTime, 2000u);
}

TEST(SavedStates, ElevenSnapshotsWrapAround)
{
    SSavedStates ring;
    std::vector<SGameObject*> world = World();
    for (unsigned int k = 1; k <= 11; ++k)
        ring.SaveState(world, k * 1000);
    EXPECT_EQ(ring.pos, 1);
    EXPECT_EQ(ring.times[1], 11000u);
    EXPECT_EQ(ring.times[2], 2000u);
    EXPECT_EQ(ring.SlotBack(3), 8);
}

TEST(SavedStates, SnapshotsAreDeepCopiesOfTheirClass)
{
    SSavedStates ring;
    std::vector<SGameObject*> world = World();
    ring.SaveState(world, 1000);
    world[1]->state[TS_DRIVE] = 0.25f;
    world[0]->state[0] = 99;

    std::vector<SGameObject*> restored;
    ring.GetState(restored, 0);
    ASSERT_EQ(restored.size(), 3u);
    EXPECT_EQ(restored[1]->state[TS_DRIVE], 1);
    EXPECT_EQ(restored[0]->state[0], 5);
    EXPECT_NE(restored[1]->state, world[1]->state);
    EXPECT_NE(dynamic_cast<STankPrototype*>(restored[1]), nullptr);
    // Power-ups come back as plain objects.
    EXPECT_EQ(dynamic_cast<SGamePowerup*>(restored[2]), nullptr);
    EXPECT_EQ(restored[2]->kind, KIND_POWERUP);
}

TEST(Rollback, LoadsTheNewestSnapshotBeforeTheLateMessageAndForgetsNewerOnes)
{
    CRollback rollback(0);
    SSavedStates& ring = rollback.States();
    std::vector<SGameObject*> world = World();
    std::vector<SGameObject*> dropped;
    unsigned int at = 0;
    EXPECT_FALSE(rollback.Load(world, 5000, at, dropped));
    for (unsigned int k = 1; k <= 13; ++k) {
        world[1]->state[TS_THROTTLE] = (float)k;
        rollback.Save(world, k * 1000);
    }
    rollback.Save(world, 12000);  // older than the newest: nothing to add
    ASSERT_EQ(ring.pos, 3);
    EXPECT_FALSE(rollback.Load(world, 4000, at, dropped));  // the ring starts at 4000
    EXPECT_TRUE(dropped.empty());

    world.push_back(NewObject(KIND_SCENERY));
    ASSERT_TRUE(rollback.Load(world, 8000, at, dropped));
    EXPECT_EQ(at, 7000u);
    EXPECT_EQ(world[1]->state[TS_THROTTLE], 7);
    EXPECT_EQ(world.size(), 4u);  // a later object keeps its place
    EXPECT_EQ(dropped.size(), 3u);
    // 8000 to 13000 lacked the late message: the next load cannot use them.
    EXPECT_EQ(ring.pos, 7);
    EXPECT_EQ(ring.lastTime, 7000u);
    ASSERT_TRUE(rollback.Load(world, 13500, at, dropped));
    EXPECT_EQ(at, 7000u);
    EXPECT_EQ(ring.OldestSlot(), 4);
}
