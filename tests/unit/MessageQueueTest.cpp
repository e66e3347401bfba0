#include "tests/unit/LogCapture.h"
#include "GameFixture.h"

namespace {

class MessageQueue : public GameFixture {
protected:
    void SetUp() override
    {
        int box = SmallField();
        tank = LOCAL_TANK;
        other = AddTank(box, Vector3f(300, 0, 300));
    }

    void Accelerate(float amount, unsigned long time) { game.AddMsg(Msg(GMSG_ACCELERATE, tank, {amount}, time)); }
    float Throttle() { return State(tank)[TS_THROTTLE]; }
    void Pass(unsigned long now)
    {
        game.now = now;
        game.ActOnMessages();
    }
    // A pass at `time` with the ground's death, which no rewind goes past,
    // leaves a snapshot there.
    void SnapshotAt(unsigned long time)
    {
        game.AddMsg(Msg(GMSG_DEATH, 0, {}, time));
        Pass(time);
    }
    bool Logged(const std::string& text) { return ReadLog().find(text) != std::string::npos; }

    int tank = 0;
    int other = 0;
};

}  // namespace

// The owner's pose is its picture once the moves of its time are in: a move
// of that time that reaches a copy after the pose (resent, or from a lower
// address) still goes before it, so every copy ends where the pose says.
TEST_F(MessageQueue, APoseIsAppliedAfterEveryMessageOfItsTime)
{
    game.m_selfAddress = 20;
    SnapshotAt(10000);
    SGameMsg pose = Msg(GMSG_TANK_POSE, tank, {160, 0, 100, 0, 45, 0}, 10800);
    pose.sender = 30;
    game.AddMsg(pose);
    for (unsigned int sender : {30u, 10u}) {
        SGameMsg move = Msg(GMSG_MOVE_TO_LOC, tank, {140, 0, 100}, 10800);
        move.sender = sender;
        game.AddMsg(move);
    }
    Pass(11000);
    EXPECT_EQ(game.m_objects[tank]->pos.x, 160);
    EXPECT_EQ(game.m_objects[tank]->angles.y, 45);
    EXPECT_EQ(game.m_messages.back().type, GMSG_TANK_POSE);
}

// A pass that applies nothing takes no snapshot and leaves the effects flag;
// one that applies a message switches effects on and snapshots; each message
// is applied once.
TEST_F(MessageQueue, AppliesEachMessageOnceAndSnapshotsAfterAPass)
{
    sound.m_effectsOn = false;
    game.ActOnMessages();
    EXPECT_FALSE(sound.m_effectsOn);
    EXPECT_EQ(game.m_savedStates.pos, 0);

    Accelerate(0.1f, 5000);
    Pass(5000);
    EXPECT_TRUE(sound.m_effectsOn);
    EXPECT_NEAR(Throttle(), 0.1f, 1e-6);
    // The battlefield before it, then after it.
    EXPECT_EQ(game.m_savedStates.pos, 2);
    EXPECT_EQ(game.m_savedStates.times[1], 0u);
    EXPECT_EQ(game.m_savedStates.times[2], 5000u);
    game.ActOnMessages();
    EXPECT_NEAR(Throttle(), 0.1f, 1e-6);
    EXPECT_EQ(game.m_messages[0].handled, 1);
}

TEST_F(MessageQueue, LateMessageWarpsAndReplaysEveryChangeAfterTheSnapshot)
{
    Accelerate(0.1f, 10000);
    SnapshotAt(10000);  // in slot 2, after the start
    ASSERT_EQ(game.m_savedStates.pos, 2);

    game.AddMsg(Msg(GMSG_DEATH, other, {}, 11200));
    Accelerate(0.1f, 11500);
    Pass(11500);
    EXPECT_EQ(game.m_objects[other]->active, 0);
    EXPECT_NEAR(Throttle(), 0.2f, 1e-6);

    Accelerate(0.1f, 11000);
    Pass(12000);
    // Throttle changes are replayed in time order from the snapshot at 10000,
    // the late one among them, each exactly once.
    EXPECT_NEAR(Throttle(), 0.3f, 1e-6);
    // The death after the snapshot is applied again.
    EXPECT_EQ(game.m_objects[other]->active, 0);
    EXPECT_EQ(ReadLog(),
              "Warping 2 seconds, caused by a 1000 ms lag and msgtype GMSG_ACCELERATE, at time 12000 \n ");
    EXPECT_TRUE(sound.m_effectsOn);
}

TEST_F(MessageQueue, WarpSecondsFollowTheLag)
{
    Accelerate(0.1f, 10000);
    Pass(10000);
    Accelerate(0.1f, 10999);
    Pass(10999);
    Accelerate(0.1f, 10999);  // equal to the newest time: placed after it, not late
    game.ActOnMessages();
    EXPECT_EQ(ReadLog(), "");

    Accelerate(0.1f, 10001);
    Pass(11000);
    EXPECT_EQ(ReadLog(), "Warping 1 seconds, caused by a 999 ms lag and msgtype GMSG_ACCELERATE, at time 11000 \n ");
}

TEST_F(MessageQueue, WarpRestoresTheSlotThatManySecondsBack)
{
    game.AddMsg(Msg(GMSG_DEATH, 0, {}, 7000));
    game.AddMsg(Msg(GMSG_DEATH, 0, {}, 12900));
    game.m_savedStates.lastTime = 12900;  // so the pass takes no snapshot
    Pass(12900);
    // A full ring whose snapshots carry their number in the throttle.
    for (unsigned int k = 1; k <= 13; ++k) {
        State(tank)[TS_THROTTLE] = (float)k / 100;
        game.m_savedStates.SaveState(game.m_objects, k * 1000);
    }
    ASSERT_EQ(game.m_savedStates.pos, 4);
    ASSERT_EQ(game.m_savedStates.times[9], 8000u);

    game.AddMsg(Msg(GMSG_DEATH, other, {}, 8500));  // lag 4500 ms: 5 seconds back
    Pass(13000);
    EXPECT_NEAR(Throttle(), 0.08f, 1e-6);
    EXPECT_EQ(game.m_objects[other]->active, 0);
    EXPECT_TRUE(Logged("Warping 5 seconds, caused by a 4500 ms lag and msgtype GMSG_DEATH"));
}

// No warp reaches before the oldest snapshot, once the ring has come round.
TEST_F(MessageQueue, WarpWithoutSnapshotAppliesTheLateMessageWhereItStands)
{
    Accelerate(0.1f, 400);
    Pass(500);
    for (unsigned int k = 1; k <= SSavedStates::SLOTS; ++k)
        game.m_savedStates.SaveState(game.m_objects, k * 1000);
    ASSERT_EQ(game.m_savedStates.times[game.m_savedStates.OldestSlot()], 1000u);
    Accelerate(0.1f, 300);
    game.ActOnMessages();
    EXPECT_NEAR(Throttle(), 0.2f, 1e-6);
    EXPECT_TRUE(Logged("Warping 1 seconds, caused by a 200 ms lag"));
}

TEST_F(MessageQueue, RewindPastTheFrontReplaysFromTheFront)
{
    game.m_savedStates.SaveState(game.m_objects, 5000);
    Accelerate(0.1f, 6000);
    game.m_savedStates.lastTime = 6100;
    Pass(6100);
    Accelerate(0.1f, 5500);  // before every queued message, after the snapshot
    game.ActOnMessages();
    EXPECT_NEAR(Throttle(), 0.2f, 1e-6);
}

TEST_F(MessageQueue, ObjectsAddedAfterTheSnapshotSurviveAWarp)
{
    Accelerate(0.1f, 10000);
    SnapshotAt(10000);
    int joined = game.AddGameObject(new STankPrototype(Base(KIND_TANK, 0, Vector3f(600, 0, 600))));
    Accelerate(0.1f, 10200);
    Pass(10500);
    Accelerate(0.1f, 10100);
    game.ActOnMessages();
    ASSERT_EQ((int)game.m_objects.size(), joined + 1);
    EXPECT_EQ(game.m_objects[joined]->pos.x, 600);
    EXPECT_NEAR(Throttle(), 0.3f, 1e-6);
}

TEST_F(MessageQueue, QueueStaysBoundedOverALongGame)
{
    size_t largest = 0;
    for (unsigned long t = 1000; t < 120000; t += 16) {
        Accelerate(0.0001f, t);
        Pass(t);
        largest = std::max(largest, game.m_messages.size());
    }
    // Ten seconds of messages at one per 16 ms frame, and a little more.
    EXPECT_LT(largest, 1000u);
    // A late message still warps correctly after trimming.
    Accelerate(0.0001f, game.now + 16 - 3000);
    Pass(game.now + 16);
    EXPECT_TRUE(Logged("Warping 4 seconds, caused by a 3000 ms lag"));
}

TEST(MessageQueueLog, UnopenableLogIsReportedAndPlayGoesOn)
{
    CaptureLog();
    SNoDeviceGame<> copy("/nonexistent-dir/output.txt");
    CTestGame& game = copy.game;
    std::string err = CapturedErr();
    EXPECT_NE(err.find("/nonexistent-dir/output.txt"), std::string::npos);
    EXPECT_EQ(output, nullptr);

    game.m_objects.push_back(NewObject(KIND_SCENERY));
    game.now = 3000;
    game.AddMsg(MakeMsg(GMSG_DEATH, 0, 0, 0, 2000));
    game.ActOnMessages();
    game.AddMsg(MakeMsg(GMSG_DEATH, 0, 0, 0, 1000));
    game.ActOnMessages();  // warps without a log to write to
    EXPECT_EQ(game.m_messages[0].handled, 1);
}

TEST_F(MessageQueue, RuleMessagesJoinThePassAfterTheMessageBeingApplied)
{
    int crate = AddPowerUp(game.m_objects[tank]->model, Vector3f(100, 0, 110), 2);
    SnapshotAt(10000);
    // A turn dated ahead of the clock (a peer's clock a little ahead) onto the
    // crate waits for its time; what is made here meanwhile goes before it.
    game.AddMsg(Msg(GMSG_CHANGE_ANGLES, tank, {0, 10}, 12000));
    Pass(10500);
    EXPECT_EQ(game.m_objects[tank]->angles.y, 0);
    Accelerate(0.1f, 10600);
    EXPECT_EQ(game.m_messages[1].late, 0);
    Pass(12000);
    EXPECT_EQ(ReadLog(), "");
    EXPECT_EQ(game.m_objects[crate]->active, 0);
    EXPECT_EQ(QueuedOfType(GMSG_POWERUP_TAKEN).size(), 1u);
    for (const SGameMsg& m : game.m_messages)
        EXPECT_EQ(m.handled, 1);

    // Replaying the turn after a warp takes the crate again and ends.
    Accelerate(0.1f, 11800);
    Pass(12500);
    EXPECT_EQ(game.m_objects[crate]->active, 0);
    EXPECT_EQ(game.m_objects[tank]->angles.y, 10);
}
