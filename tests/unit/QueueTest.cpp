#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <deque>
#include <vector>

#include "model/MessageQueue.h"
#include "ObjectBuilder.h"

namespace {

const unsigned int SELF = 20;

// Three plain objects under rules whose outcome depends on their order: a
// move sets x, a push halves x and adds its value, a turn of object 1 takes a
// power-up (a consequence, made again on every replay), and a take counts on
// its object. Every application is written down with its replay flag.
class CQueueWorld {
public:
    struct SApplied {
        int type;
        unsigned long time;
        unsigned int sender;
        bool again;
    };

    CQueueWorld() : queue(objects, self, nullptr)
    {
        for (int k = 0; k < 3; ++k)
            objects.push_back(NewObject(KIND_SCENERY));
        SQueueOps ops;
        ops.apply = [this](SGameMsg m) { Apply(m); };
        ops.now = [this] { return now; };
        ops.effectsOn = [this](bool on) { effects.push_back(on); };
        ops.comparedTime = [](unsigned int) {};
        queue.SetOps(ops);
        queue.AddWarpListener([this](const SWarp& warp) { warps.push_back(warp); });
    }
    ~CQueueWorld()
    {
        for (SGameObject* o : objects)
            DestroyObject(o);
    }

    void Post(int type, int object, float value, unsigned long time, unsigned int sender = 0,
              unsigned int sequence = 0)
    {
        SGameMsg msg = MakeMsg(type, object, 1, &value, time);
        msg.sender = sender;
        msg.sequence = sequence;
        queue.Add(msg);
    }
    void PassAt(unsigned long time)
    {
        now = time;
        queue.Pass();
    }
    std::vector<float> Values() const
    {
        std::vector<float> values;
        for (const SGameMsg& m : queue.Messages())
            values.push_back(m.data[0]);
        return values;
    }

    std::atomic<unsigned int> self{SELF};
    std::vector<SGameObject*> objects;
    CMessageQueue queue;
    unsigned long now = 0;
    std::vector<SApplied> applied;
    std::vector<bool> effects;
    std::vector<SWarp> warps;

private:
    void Apply(const SGameMsg& m)
    {
        applied.push_back(SApplied{m.type, m.time, m.sender, queue.Rollback().Replaying()});
        SGameObject* o = objects[m.object];
        switch (m.type) {
        case GMSG_MOVE_TO_LOC:
            o->pos.x = m.data[0];
            break;
        case GMSG_ACCELERATE:
            o->pos.x = o->pos.x / 2 + m.data[0];
            break;
        case GMSG_CHANGE_ANGLES:
            queue.AddConsequence(MakeMsg(GMSG_POWERUP_TAKEN, 2, 0, 0, 0));
            break;
        case GMSG_POWERUP_TAKEN:
            ++o->frags;
            break;
        default:
            break;
        }
    }
};

}  // namespace

// Messages tagged by their value, in the order they arrive; this copy's own
// (sender 0) order by its address, 20.
TEST(Queue, OrdersByTimeThenSenderWhateverTheArrival)
{
    struct SArrival {
        unsigned long time;
        unsigned int sender;
        unsigned int sequence = 0;
    };
    const struct {
        std::vector<SArrival> arrivals;
        std::vector<float> order;  // arrival numbers, as the queue holds them
    } cases[] = {
        {{{100, 0}, {50, 30}, {50, 10}}, {2, 1, 0}},
        {{{50, 30}, {50, 0}, {50, 10}}, {2, 1, 0}},
        // One sender's messages of one time stay in the order sent.
        {{{50, 30}, {50, 30}, {40, 30}, {50, 10}}, {2, 3, 0, 1}},
        {{{60, 0}, {60, 0}, {60, 21}, {60, 19}}, {3, 0, 1, 2}},
        // A record resent after those sent after it goes back to its place.
        {{{50, 30, 5}, {50, 30, 7}, {50, 30, 6}}, {0, 2, 1}},
        {{{50, 30, 8}, {50, 10, 0}, {50, 30, 7}, {50, 30, 9}}, {1, 2, 0, 3}},
    };
    for (const auto& c : cases) {
        CQueueWorld world;
        for (size_t k = 0; k < c.arrivals.size(); ++k)
            world.Post(GMSG_MOVE_TO_LOC, 0, (float)k, c.arrivals[k].time, c.arrivals[k].sender,
                       c.arrivals[k].sequence);
        EXPECT_EQ(world.Values(), c.order);
        world.PassAt(100);
        std::vector<float> applied;
        for (const CQueueWorld::SApplied& a : world.applied)
            applied.push_back((float)a.time * 100 + (float)a.sender);
        std::vector<float> expected;
        for (float k : c.order)
            expected.push_back((float)c.arrivals[(size_t)k].time * 100 + (float)c.arrivals[(size_t)k].sender);
        EXPECT_EQ(applied, expected);
    }
}

// A peer's move, turn (which takes a power-up) and move of one time, the
// first resent and heard after the others were applied: the warp applies all
// as sent, the take right after its turn, and the last move holds.
TEST(Queue, AResentRecordWarpsBackBeforeItsSuccessorsOfTheSameTime)
{
    CQueueWorld world;
    world.Post(GMSG_MOVE_TO_LOC, 0, 1, 1000, 30, 1);
    world.Post(GMSG_CHANGE_ANGLES, 1, 0, 3000, 30, 3);
    world.Post(GMSG_MOVE_TO_LOC, 0, 3, 3000, 30, 4);
    world.PassAt(3100);
    world.applied.clear();
    world.Post(GMSG_MOVE_TO_LOC, 0, 2, 3000, 30, 2);
    world.PassAt(3200);
    EXPECT_EQ(world.warps.size(), 1u);
    std::vector<int> types;
    for (const CQueueWorld::SApplied& a : world.applied)
        types.push_back(a.type);
    EXPECT_EQ(types, (std::vector<int>{GMSG_MOVE_TO_LOC, GMSG_CHANGE_ANGLES, GMSG_POWERUP_TAKEN, GMSG_MOVE_TO_LOC}));
    EXPECT_EQ(world.objects[0]->pos.x, 3);
}

// The same ten seconds of pushes and one peer's move; one copy hears the
// move in time, the other `lag` ms late. The late one warps, replays with
// effects off, and ends where the first does.
TEST(Queue, LateMessageWarpsAndEndsWhereInOrderArrivalEnds)
{
    const unsigned long MOVE_AT = 6008;  // on the 16 ms frames from 1000
    for (unsigned long lag : {32ul, 208ul, 992ul, 1504ul, 4208ul}) {
        CQueueWorld inOrder, late;
        for (unsigned long t = 1000; t <= 12000; t += 16) {
            for (CQueueWorld* world : {&inOrder, &late}) {
                world->Post(GMSG_ACCELERATE, 0, (float)(t % 7), t);
                if (world == &inOrder && t == MOVE_AT)
                    world->Post(GMSG_MOVE_TO_LOC, 0, 1000, MOVE_AT, 30);
                if (world == &late && t == MOVE_AT + lag)
                    world->Post(GMSG_MOVE_TO_LOC, 0, 1000, MOVE_AT, 30);
                world->PassAt(t);
            }
        }
        SCOPED_TRACE(lag);
        EXPECT_EQ(late.objects[0]->pos.x, inOrder.objects[0]->pos.x);
        EXPECT_TRUE(inOrder.warps.empty());
        ASSERT_EQ(late.warps.size(), 1u);
        const SWarp& warp = late.warps[0];
        EXPECT_EQ(warp.seconds, (int)(lag / 1000 + 1));
        EXPECT_EQ(warp.lagMs, lag);
        EXPECT_EQ(warp.type, GMSG_MOVE_TO_LOC);
        EXPECT_EQ(warp.sender, 30u);
        EXPECT_EQ(warp.now, MOVE_AT + lag);
        // Replayed pushes ran with effects off; every pass ends with them on.
        size_t replays = 0;
        for (const CQueueWorld::SApplied& a : late.applied)
            replays += a.again;
        EXPECT_GE(replays, lag / 16);
        EXPECT_EQ(std::count(late.effects.begin(), late.effects.end(), false), 1);
        EXPECT_TRUE(late.effects.back());
    }
}

// A copy that has just started applies its own first message before it
// hears a peer's older one (its clock was set late, or the peer's record was
// resent): it warps back to the battlefield as it stood before it applied
// anything, and ends where in-order arrival ends (a move, then a push).
TEST(Queue, AMessageOlderThanTheFirstAppliedStillWarps)
{
    for (unsigned long older : {1ul, 341ul, 4000ul}) {
        CQueueWorld inOrder, late;
        inOrder.Post(GMSG_MOVE_TO_LOC, 0, 8, 6430 - older, 30);
        inOrder.Post(GMSG_ACCELERATE, 0, 3, 6430);
        inOrder.PassAt(6500);
        late.Post(GMSG_ACCELERATE, 0, 3, 6430);
        late.PassAt(6431);
        late.Post(GMSG_MOVE_TO_LOC, 0, 8, 6430 - older, 30);
        late.PassAt(6500);
        SCOPED_TRACE(older);
        EXPECT_EQ(inOrder.objects[0]->pos.x, 7);
        EXPECT_EQ(late.objects[0]->pos.x, 7);
        EXPECT_EQ(late.warps.size(), 1u);
    }
}

// A turn at 500 from this copy (address 20) between two peers' moves of the
// same time, and this copy's own move after it: the turn's power-up take
// comes right after the turn, before that move, with the turn's time and
// sender, and is not late.
TEST(Queue, AConsequenceGoesRightAfterItsCause)
{
    CQueueWorld world;
    world.Post(GMSG_MOVE_TO_LOC, 1, 5, 500, 30);
    world.Post(GMSG_CHANGE_ANGLES, 1, 0, 500);
    world.Post(GMSG_MOVE_TO_LOC, 1, 3, 500, 10);
    world.Post(GMSG_MOVE_TO_LOC, 1, 4, 500);
    world.PassAt(600);
    std::vector<int> types;
    std::vector<unsigned int> senders;
    for (const CQueueWorld::SApplied& a : world.applied) {
        types.push_back(a.type);
        senders.push_back(a.sender);
        EXPECT_EQ(a.time, 500u);
    }
    EXPECT_EQ(types, (std::vector<int>{GMSG_MOVE_TO_LOC, GMSG_CHANGE_ANGLES, GMSG_POWERUP_TAKEN, GMSG_MOVE_TO_LOC,
                                       GMSG_MOVE_TO_LOC}));
    EXPECT_EQ(senders, (std::vector<unsigned int>{10, 0, 0, 0, 30}));
    EXPECT_EQ(world.objects[2]->frags, 1);
    EXPECT_EQ(world.queue.Messages()[2].late, 0);
    EXPECT_TRUE(world.warps.empty());
}

// A peer's clock runs a little ahead: its message waits for its time, and
// what this copy makes meanwhile goes before it without a warp.
TEST(Queue, AMessageDatedAfterNowWaits)
{
    CQueueWorld world;
    world.Post(GMSG_MOVE_TO_LOC, 0, 7, 1100, 30);
    world.PassAt(1000);
    EXPECT_TRUE(world.applied.empty());
    world.Post(GMSG_ACCELERATE, 0, 4, 1050);
    EXPECT_EQ(world.queue.Messages()[0].late, 0);
    world.PassAt(1060);
    ASSERT_EQ(world.applied.size(), 1u);
    world.PassAt(1100);
    ASSERT_EQ(world.applied.size(), 2u);
    EXPECT_EQ(world.applied[1].type, GMSG_MOVE_TO_LOC);
    EXPECT_EQ(world.objects[0]->pos.x, 7);
    EXPECT_TRUE(world.warps.empty());
}

// A cancel takes every message of its type and object, applied or not.
TEST(Queue, CancelRemovesOnlyItsTypeAndObject)
{
    CQueueWorld world;
    world.Post(GMSG_ACCELERATE, 1, 1, 100);
    world.Post(GMSG_ACCELERATE, 1, 2, 200);
    world.Post(GMSG_ACCELERATE, 2, 3, 150);
    world.Post(GMSG_MOVE_TO_LOC, 1, 4, 160);
    world.PassAt(100);
    ASSERT_EQ(world.applied.size(), 1u);
    world.queue.Add(MakeMsg(-GMSG_ACCELERATE, 1, 0, 0, 0));
    EXPECT_EQ(world.Values(), (std::vector<float>{3, 4}));
    world.PassAt(200);
    EXPECT_EQ(world.applied.size(), 3u);
}

// No warp reaches before the oldest snapshot: the queue keeps the last
// message at or before it, where a rewind stops, and what came after.
TEST(Queue, TrimKeepsTheLastMessageAtOrBeforeTheOldestSnapshot)
{
    CQueueWorld world;
    for (unsigned long t = 1000; t <= 40000; t += 100) {
        world.Post(GMSG_ACCELERATE, 0, 1, t);
        world.PassAt(t);
        const SSavedStates& ring = world.queue.Rollback().States();
        int oldest = ring.OldestSlot();
        const std::deque<SGameMsg>& messages = world.queue.Messages();
        // Until the ring comes round, its oldest is from before every message.
        if (oldest < 0 || messages.size() < 2 || ring.times[oldest] == 0)
            continue;
        ASSERT_LE(messages[0].time, ring.times[oldest]) << t;
        ASSERT_GT(messages[1].time, ring.times[oldest]) << t;
    }
    EXPECT_LE(world.queue.Messages().size(), 120u);
}
