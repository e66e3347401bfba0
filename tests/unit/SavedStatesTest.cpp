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

// A newcomer's tank joins between snapshots and is brought in by a later
// shot; a warp to before that shot must find it as it joined, out of play.
TEST(Rollback, AnObjectThatJoinedLaterComesBackAsItJoined)
{
    CRollback rollback(0);
    std::vector<SGameObject*> world = World();
    rollback.Save(world, 1000);
    rollback.Save(world, 2000);
    SGameObject* newcomer = NewObject(KIND_TANK);
    newcomer->active = 0;
    rollback.Added(*newcomer, world.size());
    world.push_back(newcomer);
    newcomer->active = 1;
    std::vector<SGameObject*> dropped;
    unsigned int at = 0;
    ASSERT_TRUE(rollback.Load(world, 1500, at, dropped));
    ASSERT_EQ(world.size(), 4u);
    EXPECT_EQ(world[3]->active, 0);
    EXPECT_EQ(world[3]->kind, KIND_TANK);
    EXPECT_EQ(dropped.size(), 4u) << "the newcomer as it stood is replaced too";
}

// A slot taken again holds the new snapshot, whatever the old one held: an
// object of another class or state size, more objects or fewer.
TEST(SavedStates, ASlotTakenAgainHoldsOnlyTheNewSnapshot)
{
    const struct {
        int tankKind;      // object 1's kind
        int groundStates;  // object 0's state size
        size_t objects;
    } rounds[] = {
        {KIND_TANK, 2, 3},
        {KIND_DEPARTED, 3, 4},
        {KIND_TANK, 3, 2},
        {KIND_TANK, 0, 3},
    };
    SSavedStates ring;
    std::vector<SGameObject*> world = World();
    world.push_back(NewObject(KIND_SCENERY));
    for (size_t r = 0; r < sizeof rounds / sizeof rounds[0]; ++r) {
        delete[] world[0]->state;
        world[0]->stateCount = rounds[r].groundStates;
        world[0]->state = rounds[r].groundStates ? new float[rounds[r].groundStates] : nullptr;
        for (int k = 0; k < rounds[r].groundStates; ++k)
            world[0]->state[k] = (float)(r * 10 + k);
        world[1]->kind = rounds[r].tankKind;
        world[1]->pos = Vector3f((float)r, 0, 0);
        world[1]->state[TS_DRIVE] = (float)r;
        std::vector<SGameObject*> shown(world.begin(), world.begin() + rounds[r].objects);
        // Ten snapshots a round: the ring comes back to the same slot.
        for (int k = 1; k <= SSavedStates::SLOTS; ++k)
            ring.SaveState(shown, (unsigned int)((r * SSavedStates::SLOTS + k) * 1000));

        std::vector<SGameObject*> restored;
        ring.GetState(restored, 0);
        SCOPED_TRACE(r);
        ASSERT_EQ(restored.size(), rounds[r].objects);
        ASSERT_EQ(restored[0]->stateCount, rounds[r].groundStates);
        for (int k = 0; k < rounds[r].groundStates; ++k)
            EXPECT_EQ(restored[0]->state[k], (float)(r * 10 + k));
        EXPECT_EQ(restored[1]->kind, rounds[r].tankKind);
        EXPECT_EQ(dynamic_cast<STankPrototype*>(restored[1]) != nullptr, rounds[r].tankKind == KIND_TANK);
        EXPECT_EQ(restored[1]->pos.x, (float)r);
        EXPECT_EQ(restored[1]->state[TS_DRIVE], (float)r);
        for (SGameObject* o : restored)
            DestroyObject(o);
    }
}
