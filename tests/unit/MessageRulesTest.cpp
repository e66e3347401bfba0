#include "tests/unit/LogCapture.h"
#include "GameFixture.h"
#include "game/Damage.h"
#include "model/StateDigest.h"
#include "net/WireConvert.h"

#include <cmath>

namespace {

class MessageRules : public GameFixture {
protected:
    void SetUp() override
    {
        box = BoxModel(-10, 10, -20, 20);
        AddScenery(box, Vector3f(500, 0, 500), KIND_GROUND);
        me = AddTank(box, Vector3f(100, 0, 100));
    }

    void Apply(int type, int object, std::vector<float> data, unsigned long time = 100000)
    {
        game.ActOnMessage(Msg(type, object, data, time));
    }
    // A rule's messages are dated 1 ms after their cause: the queue applies
    // them once the clock got there.
    void ApplyQueued()
    {
        game.now += 1;
        game.ActOnMessages();
    }

    int box = 0;
    int me = 0;
};

}  // namespace

// Reload takes 1000 ms at gun condition 1, 500 ms at 2 and 1500 ms at 0; a
// shot within it does nothing.
TEST_F(MessageRules, ReloadTimeFollowsTheGunCondition)
{
    const struct {
        float gun;
        unsigned long time, timer;
    } shots[] = {{1, 10900, 10000}, {1, 11000, 10000}, {1, 11001, 11001}, {2, 11501, 11001},
                 {2, 11502, 11502}, {0, 13002, 11502}, {0, 13003, 13003}};
    game.m_objects[me]->timer = 10000;
    for (const auto& s : shots) {
        State(me)[TS_GUN] = s.gun;
        Apply(GMSG_SHOOT, me, {}, s.time);
        EXPECT_EQ(game.m_objects[me]->timer, s.timer) << "gun " << s.gun << ", shot at " << s.time;
    }
}

TEST_F(MessageRules, ShotOfTheLocalTankAppendsItsRecoil)
{
    State(me)[TS_IMPACT_X] = 5;
    Apply(GMSG_SHOOT, me, {}, 50000);
    EXPECT_EQ(State(me)[TS_IMPACT_X], -1);  // hit nothing
    EXPECT_EQ(State(me)[TS_IMPACT_Z], -1);
    std::vector<SGameMsg> recoil = QueuedOfType(GMSG_MOVE_TO_LOC);
    ASSERT_EQ(recoil.size(), 1u);
    EXPECT_EQ(recoil[0].object, 1);
    EXPECT_EQ(recoil[0].time, game.now + 1);
    EXPECT_NEAR(recoil[0].data[2], 101, 1e-4);  // one unit back from the facing (-z)
}

TEST_F(MessageRules, HitTestPicksTheNearestTarget)
{
    int shooter = AddTank(box, Vector3f(100, 0, 400));  // faces -z, towards me at z 100
    int nearer = AddScenery(box, Vector3f(100, 0, 250));
    Apply(GMSG_SHOOT, shooter, {}, 50000);
    // The impact lies on the nearer object's front, pulled back 8 units.
    EXPECT_NEAR(State(shooter)[TS_IMPACT_X], 100, 1e-3);
    EXPECT_NEAR(State(shooter)[TS_IMPACT_Z], 250 + 20 + 8, 1e-3);
    EXPECT_EQ(State(me)[TS_ARMOUR], 1);

    game.m_objects[nearer]->active = 0;
    game.m_objects[shooter]->timer = 0;
    Apply(GMSG_SHOOT, shooter, {}, 60000);
    EXPECT_NEAR(State(shooter)[TS_IMPACT_Z], 100 + 20 + 8, 1e-3);
    EXPECT_EQ(State(me)[TS_ARMOUR], 1);  // the damage is queued, not applied at once
    ApplyQueued();
    float left = State(me)[TS_DRIVE] + State(me)[TS_ARMOUR] + State(me)[TS_GUN];
    EXPECT_NEAR(3 - left, 0.8, 1e-4);
}

TEST(DamageShares, AddUpToTheTotalOverArmour)
{
    float shares[3];
    const float rolls[3] = {0.2f, 0.5f, 0.9f};
    DamageShares(rolls, 0.8f, 1, shares);
    EXPECT_NEAR(shares[0] + shares[1] + shares[2], 0.8, 1e-5);
    EXPECT_NEAR(shares[2] / shares[0], 4.5, 1e-4);
    DamageShares(rolls, 0.8f, 2, shares);
    EXPECT_NEAR(shares[0] + shares[1] + shares[2], 0.8 / 1.5, 1e-5);
    DamageShares(rolls, 3.2f, 2, shares);
    EXPECT_NEAR(shares[0] + shares[1] + shares[2], 3.2 / 1.5, 1e-5);

    const float zeros[3] = {0, 0, 0};
    DamageShares(zeros, 0.8f, 1, shares);
    for (float share : shares)
        EXPECT_NEAR(share, 0.8 / 3, 1e-6);
}

TEST_F(MessageRules, DamageWithPowerUpFourAndTheDeathRule)
{
    int shooter = AddTank(box, Vector3f(100, 0, 400));
    // Armour 3 divides a hit by 0.5 * 3 + 0.5 = 2, and no condition gets
    // near zero: a hit costs 0.4 in all, 1.6 while power-up 4 runs.
    for (float kind : {0.0f, 4.0f}) {
        State(me)[TS_DRIVE] = 5;
        State(me)[TS_ARMOUR] = 3;
        State(me)[TS_GUN] = 5;
        State(me)[TS_POWERUP_KIND] = kind;
        game.m_objects[shooter]->timer = 0;
        Apply(GMSG_SHOOT, shooter, {}, 50000);
        ApplyQueued();
        float lost = 13 - (State(me)[TS_DRIVE] + State(me)[TS_ARMOUR] + State(me)[TS_GUN]);
        EXPECT_NEAR(lost, kind == 4 ? 1.6 : 0.4, 1e-4) << "power-up " << kind;
    }
    ASSERT_EQ(game.m_objects[me]->active, 1);

    State(me)[TS_DRIVE] = 0.1f;
    State(me)[TS_ARMOUR] = 0;
    State(me)[TS_GUN] = 0.5f;
    Apply(GMSG_DAMAGE, me, {0.05f, 0, 0});
    EXPECT_EQ(game.m_objects[me]->active, 1);

    CaptureLog();
    State(me)[TS_DRIVE] = 0.0f;
    State(me)[TS_ARMOUR] = 0;
    State(me)[TS_GUN] = 5;
    State(me)[TS_POWERUP_KIND] = 0;
    game.m_objects[shooter]->timer = 0;
    Apply(GMSG_SHOOT, shooter, {}, 60000);
    ApplyQueued();
    std::string out = CapturedOut();
    EXPECT_EQ(game.m_objects[me]->active, 0);
    EXPECT_EQ(game.m_objects[me]->timer, game.now);
    EXPECT_NE(out.find("Sending Frag to: " + std::to_string(shooter)), std::string::npos);
}

// At drive condition 1 a change counts in full.
TEST_F(MessageRules, ThrottleClampsAndStopsAtZeroWhenCrossing)
{
    const struct {
        float before, change, after;
        int active;
    } rows[] = {{0.5f, -1, 0, 1}, {0.9f, 1, 1, 1}, {-0.2f, 0.5f, 0, 1}, {0, -5, -1, 1}, {-1, 5, -1, 0}};
    for (const auto& r : rows) {
        State(me)[TS_THROTTLE] = r.before;
        game.m_objects[me]->active = r.active;
        Apply(GMSG_ACCELERATE, me, {r.change});
        EXPECT_EQ(State(me)[TS_THROTTLE], r.after) << r.before << " + " << r.change << ", active " << r.active;
    }
}

TEST_F(MessageRules, PowerUpKinds)
{
    int crate = AddPowerUp(box, Vector3f(800, 0, 800), 1);
    State(me)[TS_ARMOUR] = 1.9f;
    Apply(GMSG_POWERUP_TAKEN, crate, {(float)me});
    EXPECT_EQ(State(me)[TS_ARMOUR], 2);
    EXPECT_EQ(game.m_objects[crate]->active, 0);
    EXPECT_EQ(game.m_objects[crate]->timer, game.now + 5000);  // back 5 s later

    const struct {
        float kind;
        int slot;
        float before, after;
    } boosts[] = {{0, TS_ARMOUR, 1.5f, 0}, {2, TS_GUN, 1, 1.35f}, {3, TS_DRIVE, 1, 1.35f}};
    for (const auto& b : boosts) {
        State(crate)[0] = b.kind;
        State(me)[b.slot] = b.before;
        Apply(GMSG_POWERUP_TAKEN, crate, {(float)me});
        EXPECT_NEAR(State(me)[b.slot], b.after, 1e-6) << "power-up kind " << b.kind;
    }

    State(crate)[0] = 4;
    Apply(GMSG_POWERUP_TAKEN, crate, {(float)me});
    EXPECT_EQ(State(me)[TS_POWERUP_KIND], 4);
    EXPECT_EQ(State(me)[TS_POWERUP_LEFT], 10000);
    EXPECT_EQ(game.m_objects[me]->effect[0], 0.05f);
    EXPECT_EQ(game.m_objects[me]->effect[1], -0.5f);
    State(crate)[0] = 5;
    Apply(GMSG_POWERUP_TAKEN, crate, {(float)me});
    EXPECT_EQ(State(me)[TS_POWERUP_KIND], 5);
    EXPECT_EQ(game.m_objects[me]->effect[1], 0);
}

TEST_F(MessageRules, MovementTurnDamageFragAndDeath)
{
    Apply(GMSG_MOVE_ALONG, me, {}, game.now - 250);
    EXPECT_NEAR(game.m_objects[me]->pos.z, 90, 1e-4);

    Apply(GMSG_CHANGE_ANGLES, me, {0, 30});
    EXPECT_EQ(game.m_objects[me]->angles.y, 30);
    Apply(GMSG_MOVE_TO_LOC, me, {150, 0, 150});
    EXPECT_EQ(game.m_objects[me]->pos.x, 150);

    // Each condition loses its own share, down to zero.
    Apply(GMSG_DAMAGE, me, {2, 0.5f, 0});
    EXPECT_EQ(State(me)[TS_DRIVE], 0);
    EXPECT_EQ(State(me)[TS_ARMOUR], 0.5f);
    EXPECT_EQ(State(me)[TS_GUN], 1);

    // A frag counts only for the local player.
    int other = AddTank(box, Vector3f(300, 0, 300));
    Apply(GMSG_FRAG, me, {});
    Apply(GMSG_FRAG, other, {});
    EXPECT_EQ(State(me)[TS_DISPLAY], 1);
    EXPECT_EQ(State(other)[TS_DISPLAY], 0);

    Apply(GMSG_DEATH, me, {}, 1234);
    EXPECT_EQ(game.m_objects[me]->active, 0);
    EXPECT_EQ(game.m_objects[me]->timer, 1234u);
    Apply(GMSG_MOVE_TO_LOC, me, {300, 0, 300});
    EXPECT_EQ(game.m_objects[me]->pos.x, 150);
}

TEST_F(MessageRules, DeadTankRespawnsOnItsNextShot)
{
    game.m_objects[me]->active = 0;
    game.m_objects[me]->timer = 1000;
    State(me)[TS_DRIVE] = 0;
    Apply(GMSG_SHOOT, me, {}, 5000);
    EXPECT_EQ(game.m_objects[me]->active, 1);
    EXPECT_EQ(game.m_objects[me]->timer, 4500u);
    EXPECT_EQ(State(me)[TS_DRIVE], 1);
    // The spot drawn is told to the peers and queued as a move, the same
    // move that places the tank on every other copy.
    std::vector<SGameMsg> spot = QueuedOfType(GMSG_MOVE_TO_LOC);
    ASSERT_EQ(spot.size(), 1u);
    EXPECT_EQ(game.m_objects[me]->pos.x, 100);
    ApplyQueued();
    EXPECT_EQ(game.m_objects[me]->pos.x, spot[0].data[0]);
    EXPECT_EQ(game.m_objects[me]->pos.y, 0);
    EXPECT_GE(spot[0].data[0], 0);
    EXPECT_LT(spot[0].data[2], 1000);

    // Another copy's tank comes back where it fell, until its owner's move.
    int peer = AddTank(box, Vector3f(300, 0, 300));
    game.m_objects[peer]->active = 0;
    Apply(GMSG_SHOOT, peer, {}, 9000);
    EXPECT_EQ(game.m_objects[peer]->active, 1);
    EXPECT_EQ(game.m_objects[peer]->pos.x, 300);
    EXPECT_EQ(QueuedOfType(GMSG_MOVE_TO_LOC).size(), 1u);
}

TEST_F(MessageRules, RespawnGivesUpWhenNoSpotIsFree)
{
    int huge = BoxModel(-5000, 5000, -5000, 5000);
    AddScenery(huge, Vector3f(500, 0, 500));
    game.m_objects[me]->pos = Vector3f(-50, 0, -50);  // no draw can land on it
    game.m_objects[me]->active = 0;
    game.m_objects[me]->timer = 1000;
    CaptureLog();
    Apply(GMSG_SHOOT, me, {}, 5000);
    std::string out = CapturedOut();
    EXPECT_EQ(game.m_objects[me]->active, 0);
    EXPECT_NE(out.find("No free spot"), std::string::npos);
}

TEST_F(MessageRules, MessagesThatWouldReadOutOfRangeAreIgnored)
{
    Vector3f before = game.m_objects[me]->pos;
    Apply(GMSG_MOVE_TO_LOC, 99, {1, 2, 3});
    Apply(GMSG_MOVE_TO_LOC, -1, {1, 2, 3});
    Apply(GMSG_MOVE_TO_LOC, me, {1, 2});
    Apply(GMSG_CHANGE_ANGLES, me, {1});
    Apply(GMSG_DAMAGE, me, {1, 1});
    Apply(GMSG_SHOOT, 0, {});  // the ground is no tank
    Apply(GMSG_ACCELERATE, 0, {1});
    Apply(GMSG_POWERUP_TAKEN, me, {1});  // a tank is no power-up
    int crate = AddPowerUp(box, Vector3f(800, 0, 800), 1);
    Apply(GMSG_POWERUP_TAKEN, crate, {1e9f});
    Apply(GMSG_POWERUP_TAKEN, crate, {NAN});
    Apply(GMSG_POWERUP_TAKEN, crate, {0});  // the ground takes no power-ups
    Apply(GMSG_POWERUP_STATE, me, {0, 0});
    for (std::vector<float> back : {std::vector<float>{-1, 5}, {NAN, 0}, {1, 70000}, {65536, 0}})
        Apply(GMSG_POWERUP_STATE, crate, back);

    SGameMsg lying = Msg(GMSG_DAMAGE, me, {1, 1, 1}, 0);
    lying.data = 0;  // claims three values and carries none
    game.ActOnMessage(lying);

    EXPECT_EQ(game.m_objects[me]->pos.x, before.x);
    EXPECT_EQ(State(me)[TS_ARMOUR], 1);
    EXPECT_EQ(game.m_objects[crate]->active, 1);
    EXPECT_EQ(game.m_objects[crate]->timer, 0u);
}

// A pose puts a living tank where its owner has it, whatever this copy made
// of the moves before; a dead or departed tank, or a pose that is no place,
// is left alone.
TEST_F(MessageRules, APosePutsOnlyALivingTankWhereItsOwnerHasIt)
{
    const struct {
        int kind, active;
        float x;
        float expectX;
    } cases[] = {{KIND_TANK, 1, 300, 300}, {KIND_TANK, 0, 300, 100}, {KIND_DEPARTED, 0, 300, 100},
                 {KIND_TANK, 1, NAN, 100}, {KIND_TANK, 1, INFINITY, 100}};
    for (const auto& c : cases) {
        SGameObject* tank = game.m_objects[me];
        tank->pos = Vector3f(100, 0, 100);
        tank->kind = c.kind;
        tank->active = c.active;
        Apply(GMSG_TANK_POSE, me, {c.x, 0, 250, 0, 30, 0});
        EXPECT_EQ(tank->pos.x, c.expectX) << "kind " << c.kind << ", active " << c.active << ", x " << c.x;
        EXPECT_EQ(tank->pos.z, c.expectX == 100 ? 100 : 250);
    }
}

// A newcomer never saw the crates taken before it came: a peer's record tells
// it when each comes back, to the millisecond, however long the game has run
// (more than a float holds), so it shows and lets take them when the others do.
TEST_F(MessageRules, APowerUpStateRecordBringsACrateBackToANewcomerWhenItComesBackToTheOthers)
{
    int crate = AddPowerUp(box, Vector3f(800, 0, 800), 1);
    const unsigned long back = 3000000007ul;
    game.now = back - 4000;
    game.ActOnMessage(GameMsgFromWire(PowerUpStateRecord(crate, back, 7, 0, game.now), {}));
    EXPECT_EQ(game.m_objects[crate]->timer, back);
    EXPECT_EQ(game.m_objects[crate]->active, 0);
    // One seen back already is there at once.
    game.ActOnMessage(GameMsgFromWire(PowerUpStateRecord(crate, back - 5000, 7, 0, game.now), {}));
    EXPECT_EQ(game.m_objects[crate]->active, 1);
}

// A newcomer starts a peer's tank from the state record the peer sends: the
// record carries all that the digest compares and the reload, so the copy
// equals the original. A tank whose player left is gone from the digest and
// from the line of fire.
TEST_F(MessageRules, ATankStateRecordCopiesATankAndADepartedOneIsGone)
{
    SGameObject* owner = game.m_objects[me];
    owner->angles = Vector3f(0, 33, 0);
    owner->timer = 99000;
    float* s = State(me);
    s[TS_DRIVE] = 0.25f;
    s[TS_ARMOUR] = 1.75f;
    s[TS_GUN] = 0.5f;
    s[TS_POWERUP_KIND] = 4;
    s[TS_POWERUP_LEFT] = 3000;
    int copy = AddTank(box, Vector3f(300, 0, 300));
    game.m_objects[copy]->active = 0;

    SSocketMSG rec = TankStateRecord(*owner, 7, 0, 100000);
    SGameMsg msg = TankStateFromWire(rec, {ZOConnectionID(7, copy)});
    ASSERT_EQ(msg.object, copy);
    game.ActOnMessage(msg);
    auto digestOf = [&](int tank) {
        return StateDigest({game.m_objects[tank]}, [](int) { return std::string("t"); }, 0);
    };
    EXPECT_EQ(digestOf(copy), digestOf(me));
    EXPECT_EQ(game.m_objects[copy]->timer, 99000u);
    EXPECT_EQ(State(copy)[TS_POWERUP_LEFT], 3000);
    // The throttle is the owner's alone: no copy hears it change.
    s[TS_THROTTLE] = -0.5f;
    game.ActOnMessage(msg);
    EXPECT_EQ(State(copy)[TS_THROTTLE], 0);

    // A shot hits the copy until its player leaves, then passes where it stood.
    owner->angles = game.m_objects[copy]->angles = Vector3f(0, 0, 0);
    int shooter = AddTank(box, Vector3f(100, 0, 400));  // faces -z, towards the copy, then me
    game.m_objects[copy]->pos = Vector3f(100, 0, 300);
    Apply(GMSG_SHOOT, shooter, {}, 200000);
    EXPECT_NEAR(State(shooter)[TS_IMPACT_Z], 300 + 20 + 8, 1e-3);
    Apply(GMSG_DEPARTED, copy, {});
    EXPECT_EQ(digestOf(copy), "");
    Apply(GMSG_SHOOT, shooter, {}, 300000);
    EXPECT_NEAR(State(shooter)[TS_IMPACT_Z], 100 + 20 + 8, 1e-3);
}
