// Two copies of one player's game hear the same minute of battle: one at
// once, one with every peer's messages late by 100 ms to 9 s, a different lag
// per peer and per phase. Once the late one has caught up, both must show the
// same battlefield and must have sent the peers the same messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "model/StateDigest.h"
#include "GameFixture.h"

namespace {

const unsigned long START = 100000;
const unsigned long LENGTH = 60000;
const unsigned long FRAME = 50;

enum { GROUND, ME, A, B, C, CRATE, WALL };

std::vector<SGameMsg>* sentTo = 0;

int RecordSend(SGameMsg* msg)
{
    // Kept as the wire carries it: no queue flags, values of its own.
    sentTo->push_back(MakeMsg(msg->type, msg->object, msg->count, msg->data.get(), msg->time));
    return 1;
}

// One copy of the game on devices that do nothing, with the same battlefield
// as every other copy.
struct SCopy : SNoDeviceGame<> {
    explicit SCopy(const std::string& log) : SNoDeviceGame(log)
    {
        game.m_rollback.SetSender(RecordSend);
        game.now = START;
        game.m_selfAddress = 99;  // after every peer's address below
        int box = BoxModel(-10, 10, -20, 20);
        Add(NewObject(KIND_GROUND, Vector3f(0, 0, 0), 0, box));
        AddTank(box, Vector3f(100, 0, 100), 180);
        AddTank(box, Vector3f(100, 0, 600), 0);
        AddTank(box, Vector3f(700, 0, 200), 0);
        AddTank(box, Vector3f(300, 0, 950), 90);
        SGameObject* crate = NewObject(KIND_POWERUP, Vector3f(300, 0, 700), 0, box);
        crate->state[0] = 1;
        Add(crate);
        Add(NewObject(KIND_SCENERY, Vector3f(900, 0, 500), 0, box));
    }

    void Add(SGameObject* o)
    {
        game.CalculateBB(*o);
        game.m_objects.push_back(o);
    }
    void AddTank(int model, Vector3f pos, float heading)
    {
        STankPrototype* tank = NewTank(pos, heading, model);
        tank->state[TS_SPEED] = 1;
        Add(tank);
    }

    // One frame at `time`: the messages that reached the game, then the pass.
    void Frame(unsigned long time, const std::vector<SGameMsg>& arrived)
    {
        sentTo = &sent;
        game.now = time;
        // Each copy gets data of its own, as from the wire.
        for (const SGameMsg& m : arrived) {
            SGameMsg copy = MakeMsg(m.type, m.object, m.count, m.data.get(), m.time);
            copy.sender = m.sender;
            game.AddMsg(copy);
        }
        game.ActOnMessages();
    }

    std::string Digest()
    {
        return StateDigest(game.m_objects, [](int i) { return std::to_string(i); }, 0);
    }

    std::vector<SGameMsg> sent;
};

// A peer's message names its sender (an address of its own); the local
// player's has none. Messages of one time are ordered by sender.
SGameMsg At(unsigned long time, int type, int object, std::vector<float> data)
{
    SGameMsg m = MakeMsg(type, object, (int)data.size(), data.data(), time);
    m.sender = object == ME ? 0 : 100 - object;
    return m;
}

// A straight drive from `from` to `to` between two times, one position a frame.
void Drive(std::vector<SGameMsg>& out, int tank, Vector3f from, Vector3f to, unsigned long t0, unsigned long t1)
{
    for (unsigned long t = t0; t <= t1; t += FRAME) {
        float f = (float)(t - t0) / (float)(t1 - t0);
        Vector3f p = from + (to - from) * f;
        out.push_back(At(START + t, GMSG_MOVE_TO_LOC, tank, {p.x, 0, p.z}));
    }
}

// What the three peers and the local player do in the minute, by game time.
std::vector<SGameMsg> Battle()
{
    std::vector<SGameMsg> s;
    // The local tank paces in A's line of fire and fires back every 3 s.
    for (unsigned long t = 0; t < LENGTH; t += FRAME) {
        float z = 100 + 20 * (float)((t / 1000) % 2 ? (t % 1000) : 1000 - t % 1000) / 1000;
        s.push_back(At(START + t, GMSG_MOVE_TO_LOC, ME, {100, 0, z}));
        if (t % 3000 == 100)
            s.push_back(At(START + t, GMSG_SHOOT, ME, {}));
    }
    // A shoots the local tank for 20 s, then drives into a spot that B wants
    // too, arriving first; then circles away.
    for (unsigned long t = 1000; t < 20000; t += 1600)
        s.push_back(At(START + t, GMSG_SHOOT, A, {}));
    Drive(s, A, Vector3f(100, 0, 600), Vector3f(500, 0, 500), 20000, 28000);
    for (unsigned long t = 40000; t < LENGTH; t += FRAME) {
        float heading = (float)(t - 40000) / 100;
        s.push_back(At(START + t, GMSG_CHANGE_ANGLES, A, {0, heading}));
    }
    // B patrols, then heads for the same spot just after A got there and is
    // stopped short; later its owner reports it hit and dead, and it comes
    // back at the spot its owner drew.
    Drive(s, B, Vector3f(700, 0, 200), Vector3f(700, 0, 400), 0, 15000);
    Drive(s, B, Vector3f(700, 0, 400), Vector3f(500, 0, 380), 15000, 26000);
    Drive(s, B, Vector3f(500, 0, 380), Vector3f(500, 0, 500), 26000, 28500);
    s.push_back(At(START + 44000, GMSG_DAMAGE, B, {0.5f, 0.2f, 0.1f}));
    s.push_back(At(START + 45000, GMSG_DEATH, B, {}));
    s.push_back(At(START + 48000, GMSG_SHOOT, B, {}));
    s.push_back(At(START + 48000, GMSG_MOVE_TO_LOC, B, {800, 0, 800}));
    // C drives a wide turn over the crate, shooting now and then.
    for (unsigned long t = 0; t < LENGTH; t += FRAME) {
        float heading = 90 + (float)t / 400;
        double angle = t / 9000.0 + 1;  // over the crate at 47.5 s
        float x = 550 - 250 * (float)std::cos(angle), z = 700 + 250 * (float)std::sin(angle);
        s.push_back(At(START + t, GMSG_CHANGE_ANGLES, C, {0, heading}));
        s.push_back(At(START + t, GMSG_MOVE_TO_LOC, C, {x, 0, z}));
        if (t % 2500 == 0)
            s.push_back(At(START + t, GMSG_SHOOT, C, {}));
    }
    std::stable_sort(s.begin(), s.end(), [](const SGameMsg& a, const SGameMsg& b) { return a.time < b.time; });
    return s;
}

// The late copy's delay for a message of `sender` sent at `t` (ms after start).
unsigned long Lag(int sender, unsigned long t)
{
    if (t < 10000)
        return 100;
    if (t < 20000)
        return sender == A ? 100 : sender == B ? 1500 : 500;
    if (t < 26000)
        return 500;
    if (t < 38000)
        return sender == A ? 3000 : sender == B ? 100 : 1000;
    if (t < 50000)
        return 9000;
    return sender == C ? 9000 : sender == A ? 200 : 2000;
}

std::string Field(const std::string& digest, int index, const std::string& name)
{
    size_t line = digest.find("tank " + std::to_string(index) + " ");
    size_t at = digest.find(name + " ", line);
    return digest.substr(at + name.size() + 1, digest.find(' ', at + name.size() + 1) - at - name.size() - 1);
}

}  // namespace

TEST(PeerAgreement, LateCopyEndsWhereTheOnTimeCopyIs)
{
    SCopy onTime(::testing::TempDir() + "agree_ontime.txt");
    SCopy late(::testing::TempDir() + "agree_late.txt");
    std::vector<SGameMsg> battle = Battle();

    // Each peer's messages reach the late copy in the order they were sent.
    std::multimap<unsigned long, SGameMsg> arrivals;
    std::map<int, unsigned long> lastArrival;
    for (const SGameMsg& m : battle) {
        unsigned long at = m.time;
        if (m.object != ME) {
            at = std::max(m.time + Lag(m.object, m.time - START), lastArrival[m.object]);
            lastArrival[m.object] = at;
        }
        arrivals.insert(std::make_pair(at, m));
    }

    size_t next = 0;
    float furthestB = 0;
    for (unsigned long t = START; t <= START + LENGTH + 10000; t += FRAME) {
        std::vector<SGameMsg> now, arrived;
        for (; next < battle.size() && battle[next].time <= t; ++next)
            now.push_back(battle[next]);
        for (auto it = arrivals.begin(); it != arrivals.end() && it->first <= t; it = arrivals.erase(it))
            arrived.push_back(it->second);
        onTime.Frame(t, now);
        late.Frame(t, arrived);
        if (t < START + 38000)
            furthestB = std::max(furthestB, late.game.m_objects[B]->pos.z - onTime.game.m_objects[B]->pos.z);
    }

    std::string digest = onTime.Digest();
    EXPECT_EQ(late.Digest(), digest);
    // The late copy's first guess let B into the spot A held; its replay stopped B.
    EXPECT_GT(furthestB, 10);
    // The copy made last holds the log.
    std::fflush(output);
    FILE* log = std::fopen(late.logPath.c_str(), "rt");
    ASSERT_NE(log, nullptr);
    char line[256];
    int warps = 0;
    while (std::fgets(line, sizeof line, log))
        warps += std::string(line).find("Warping") != std::string::npos;
    std::fclose(log);
    EXPECT_GT(warps, 50);

    // Both told the peers the same: each recoil, damage, death and respawn once.
    ASSERT_EQ(late.sent.size(), onTime.sent.size());
    std::map<int, int> kinds;
    for (size_t k = 0; k < onTime.sent.size(); ++k) {
        const SGameMsg& a = onTime.sent[k];
        const SGameMsg& b = late.sent[k];
        EXPECT_EQ(b.type, a.type);
        EXPECT_EQ(b.time, a.time);
        for (int v = 0; v < a.count && v < b.count; ++v)
            EXPECT_EQ(b.data[v], a.data[v]) << getMsgString(a.type) << " at " << a.time;
        ++kinds[a.type];
    }
    // Twenty local shots: a recoil each, or a respawn spot, or nothing while a
    // death's reload runs (at most one shot per death).
    EXPECT_LE(kinds[GMSG_MOVE_TO_LOC], 20);
    EXPECT_GE(kinds[GMSG_MOVE_TO_LOC], 20 - kinds[GMSG_DEATH]);
    EXPECT_GE(kinds[GMSG_DAMAGE], 3);
    EXPECT_GE(kinds[GMSG_DEATH], 1);
    EXPECT_EQ(kinds[GMSG_FRAG], kinds[GMSG_DEATH]);
    // B came back whole where its owner put it; C took the crate.
    EXPECT_EQ(Field(digest, B, "pos"), "800.00");
    EXPECT_EQ(Field(digest, B, "conditions"), "1.000");
    EXPECT_NE(digest.find("powerup " + std::to_string(CRATE) + " active 0"), std::string::npos);

}
