#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "tests/unit/LogCapture.h"
#include "NetFakes.h"
#include "ObjectBuilder.h"
#include "net/BotWire.h"
#include "net/WireConvert.h"

namespace {

template <typename T>
T At(const SSocketMSG& rec, size_t offset)
{
    T value;
    std::memcpy(&value, reinterpret_cast<const unsigned char*>(&rec) + offset, sizeof value);
    return value;
}

SGameMsg Msg(int type, int object, int count, const float* values)
{
    return MakeMsg(type, object, count, values, 123456);
}

STankPrototype MakeTank()
{
    SGameObject base = Plain(KIND_TANK, Vector3f(1, 2, 3), 5, 5);
    base.texture0 = 7;
    base.texture1 = -1;
    base.angles.x = 4;
    base.angles.z = 6;
    for (int k = 0; k < 4; ++k)
        base.effect[k] = 0.5f + k;
    STankPrototype tank(base);
    tank.state[TS_SPEED] = 0.25f;
    tank.state[TS_TURN_RATE] = 0.125f;
    return tank;
}

}  // namespace

TEST(WireRecord, FieldsSitAtTheirByteOffsets)
{
    const float values[3] = {1.5f, -2.5f, 3.5f};
    SGameMsg msg = Msg(GMSG_MOVE_TO_LOC, 4, 3, values);
    std::vector<ZOConnectionID> table = {ZOConnectionID(SELF, 1), ZOConnectionID(PEER_A, 4)};
    SSocketMSG rec = WireFromGameMsg(msg, table, SELF);
    rec.destAddr = (uint32_t)PEER_A;
    rec.sendTime = 77;
    rec.syncTime = 88;

    EXPECT_EQ(sizeof(SSocketMSG), 144u);
    EXPECT_EQ(At<int32_t>(rec, 0), GMSG_MOVE_TO_LOC);
    EXPECT_EQ(At<int32_t>(rec, 4), 1);
    EXPECT_EQ(At<int32_t>(rec, 8), 3);
    EXPECT_EQ(At<uint32_t>(rec, 12), (uint32_t)PEER_A);
    for (size_t k = 16; k < 32; ++k)
        EXPECT_EQ(At<unsigned char>(rec, k), 0) << "reserved byte " << k;
    EXPECT_EQ(At<float>(rec, 32), 1.5f);
    EXPECT_EQ(At<float>(rec, 40), 3.5f);
    EXPECT_EQ(At<uint64_t>(rec, 104), (uint64_t)PEER_A);
    EXPECT_EQ(At<uint64_t>(rec, 112), (uint64_t)SELF);
    EXPECT_EQ(At<uint64_t>(rec, 120), 77u);
    EXPECT_EQ(At<uint64_t>(rec, 128), 88u);
    EXPECT_EQ(At<uint64_t>(rec, 136), 123456u);
}

TEST(WireRecord, ThirtyTwoBitLayoutReadsAsTheNativeRecordAndBack)
{
    // As a 32-bit peer lays it out: the head as in every build, then five 4-byte fields.
    unsigned char narrow[WIRE_NARROW_RECORD] = {};
    const int32_t head[3] = {GMSG_SHOOT, 2, 6};
    const float shotX = 12.5f;
    const uint32_t tail[5] = {(uint32_t)PEER_B, (uint32_t)PEER_A, 77, 88, 4000000000u};
    std::memcpy(narrow, head, sizeof head);
    std::memcpy(narrow + 32, &shotX, 4);
    std::memcpy(narrow + 104, tail, sizeof tail);

    SSocketMSG rec;
    ASSERT_TRUE(RecordFromDatagram(narrow, sizeof narrow, rec));
    EXPECT_EQ(rec.type, GMSG_SHOOT);
    EXPECT_EQ(rec.count, 6);
    EXPECT_EQ(rec.data[0], 12.5f);
    EXPECT_EQ(rec.recipientAddr, PEER_B);
    EXPECT_EQ(rec.senderAddr, PEER_A);
    EXPECT_EQ(rec.sendTime, 77u);
    EXPECT_EQ(rec.syncTime, 88u);
    EXPECT_EQ(rec.time, 4000000000u);

    unsigned char wide[WIRE_WIDE_RECORD];
    WidenRecord(narrow, wide);
    EXPECT_EQ(std::memcmp(wide, &rec, sizeof wide), 0) << "upper halves of the wide fields are zero";
    unsigned char back[WIRE_NARROW_RECORD];
    NarrowRecord(wide, back);
    EXPECT_EQ(std::memcmp(back, narrow, sizeof back), 0);

    SSocketMSG same;
    ASSERT_TRUE(RecordFromDatagram(wide, sizeof wide, same));
    EXPECT_EQ(std::memcmp(&same, &rec, sizeof rec), 0);
    for (size_t length : {0, 104, 123, 125, 143, 145})
        EXPECT_FALSE(RecordFromDatagram(wide, length, same)) << length;
}

// The tank's fields at their offsets, then the tank built from them; a record
// claiming another kind or no model still gives a tank.
TEST(WireRecord, TankTravelsInItsConnectRecordAndComesBack)
{
    STankPrototype sent = MakeTank();
    SSocketMSG rec = ConnectRecord(SMSG_CONNECT, sent, SELF, 0xffffffffu);
    EXPECT_EQ(At<int32_t>(rec, 0), SMSG_CONNECT);
    EXPECT_EQ(At<uint32_t>(rec, 12), 0xffffffffu);
    // Position and angles, an unused value, kind, model, textures (-1 travels
    // as an unsigned value), effects, speed and turn rate, active: 4 bytes each.
    const float fields[] = {1, 2, 3, 4, 5, 6, 0, 1, 5, 7, 4294967296.0f, 0.5f, 1.5f, 2.5f, 3.5f, 0.25f, 0.125f, 1};
    for (size_t k = 0; k < sizeof fields / sizeof fields[0]; ++k)
        EXPECT_EQ(At<float>(rec, 32 + 4 * k), fields[k]) << "offset " << 32 + 4 * k;
    EXPECT_EQ(At<uint64_t>(rec, 112), (uint64_t)SELF);

    STankPrototype* tank = TankFromWire(rec);
    EXPECT_EQ(tank->kind, KIND_TANK);
    EXPECT_EQ(tank->model, 5);
    EXPECT_EQ(tank->texture0, 7);
    EXPECT_EQ(tank->texture1, -1);
    EXPECT_EQ(tank->pos.z, 3);
    EXPECT_EQ(tank->angles.y, 5);
    EXPECT_EQ(tank->effect[3], 3.5f);
    EXPECT_EQ(tank->state[TS_SPEED], 0.25f);
    EXPECT_EQ(tank->state[TS_TURN_RATE], 0.125f);
    EXPECT_EQ(tank->state[TS_THROTTLE], 0);
    EXPECT_EQ(tank->state[TS_DRIVE], 1);
    EXPECT_EQ(tank->stateCount, TANK_STATE_COUNT);
    EXPECT_EQ(tank->active, 1);
    DestroyObject(tank);

    rec.tankModel = std::numeric_limits<float>::quiet_NaN();
    rec.tankKind = (float)KIND_POWERUP;
    tank = TankFromWire(rec);
    EXPECT_EQ(tank->model, 0);
    EXPECT_EQ(tank->kind, KIND_TANK);
    EXPECT_EQ(tank->stateCount, TANK_STATE_COUNT);
    DestroyObject(tank);
}

TEST(WireRecord, NumbersNoIntCanHoldStayInvalid)
{
    EXPECT_EQ(WireInt(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(WireInt(std::numeric_limits<float>::infinity()), -1);
    EXPECT_EQ(WireInt(-1e30f), -1);
    EXPECT_EQ(WireInt(2147483648.0f), -1);
    EXPECT_EQ(WireInt(-2147483648.0f), (int)-2147483648LL);
    EXPECT_EQ(WireInt(2.9f), 2);
    EXPECT_EQ(WireInt(-2.9f), -2);
}

// A record has room for seven values: a count of nine travels as nine with
// seven values and arrives clamped; a count below zero arrives as zero.
TEST(WireConvert, CountsArriveClampedToTheValuesTheRecordHolds)
{
    float values[9];
    for (int k = 0; k < 9; ++k)
        values[k] = 10.0f + k;
    struct {
        int count, arrived;
    } cases[] = {{0, 0}, {9, 7}, {-5, 0}};
    for (const auto& c : cases) {
        SSocketMSG rec = WireFromGameMsg(Msg(GMSG_SHOOT, 1, c.count, c.count > 0 ? values : 0), {}, SELF);
        EXPECT_EQ(rec.count, c.count);
        for (int k = 0; k < c.arrived; ++k)
            EXPECT_EQ(rec.data[k], 10.0f + k);
        EXPECT_EQ(rec.tankKind, 0) << "values must not spill past the data";
        SGameMsg back = GameMsgFromWire(rec, {});
        ASSERT_EQ(back.count, c.arrived) << c.count;
        EXPECT_EQ(!!back.data, c.arrived > 0) << c.count;
        for (int k = 0; k < c.arrived; ++k)
            EXPECT_EQ(back.data[k], 10.0f + k);
        EXPECT_EQ(back.handled, 0);
        EXPECT_EQ(back.late, 0);
    }
}

// The queue orders one sender's messages of one time by their records' numbers.
TEST(WireConvert, AMessageKeepsTheNumberOfItsRecord)
{
    SSocketMSG rec = WireFromGameMsg(Msg(GMSG_MOVE_TO_LOC, 1, 0, 0), {}, SELF);
    WriteStamp(rec, SWireStamp{7, 42, 42});
    EXPECT_EQ(GameMsgFromWire(rec, {}).sequence, 42u);
}

// The sender names the object by the address of the last table entry holding
// it, the receiver maps that address to the tank of its last entry for it; an
// object no entry holds keeps its raw index both ways.
TEST(WireConvert, ObjectTravelsAsTheAddressOfItsOwner)
{
    const unsigned long GONE = Ip(10, 77, 0, 9);
    // Sender: itself, a peer that left and whose index 5 now holds A's tank, B's tank at 6.
    std::vector<ZOConnectionID> senderTable = {ZOConnectionID(SELF, 1), ZOConnectionID(GONE, 5),
                                               ZOConnectionID(PEER_A, 5), ZOConnectionID(PEER_B, 6)};
    // Receiver B: itself, the sender's tank at 7, A before and after a restart.
    std::vector<ZOConnectionID> receiverTable = {ZOConnectionID(PEER_B, 1), ZOConnectionID(SELF, 7),
                                                 ZOConnectionID(PEER_A, 3), ZOConnectionID(PEER_A, 8)};
    const float angles[2] = {0, 90};
    struct {
        int type, object, recipient;
        unsigned long recipientAddr;
        int arrives;
        const char* printed;
    } cases[] = {
        {GMSG_CHANGE_ANGLES, 1, 0, SELF, 7, ""},
        {GMSG_FRAG, 5, 2, PEER_A, 8, "Recepiant: 8\n"},
        {GMSG_DAMAGE, 6, 3, PEER_B, 1, ""},
        {GMSG_DEATH, 5, 2, PEER_A, 8, ""},
        {GMSG_SHOOT, 42, 42, 0, 42, ""},
        {GMSG_TANK_POSE, 1, 0, SELF, 7, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " about " << c.object);
        SSocketMSG rec = WireFromGameMsg(Msg(c.type, c.object, 2, angles), senderTable, SELF);
        // A pose travels in a type that peers following the original rules ignore.
        EXPECT_EQ(rec.type, c.type == GMSG_TANK_POSE ? SMSG_TANK_POSE : c.type);
        EXPECT_EQ(GameMsgFromWire(rec, receiverTable).type, c.type);
        EXPECT_EQ(rec.recipient, c.recipient);
        EXPECT_EQ(rec.recipientAddr, c.recipientAddr);
        CaptureLog();
        SGameMsg back = GameMsgFromWire(rec, receiverTable);
        EXPECT_EQ(CapturedOut(), c.printed);
        EXPECT_EQ(back.object, c.arrives);
    }
}

TEST(WireConvert, AddressesPrintDotted)
{
    EXPECT_EQ(DottedAddress(Ip(10, 77, 0, 12)), "10.77.0.12");
    EXPECT_EQ(DottedAddress(0xffffffffu), "255.255.255.255");
    EXPECT_EQ(DottedAddress(0), "0.0.0.0");
}

// A relayed computer tank's message keeps its game type where a relay of
// another record keeps the record's type, and comes back byte for byte.
TEST(WireConvert, ARelayedBotMessageArrivesAsItsSenderSentIt)
{
    float values[WIRE_DATA_VALUES] = {1, 2, 3, 4, 5, 6, 7};
    SSocketMSG rec = BotMsgRecord(Msg(GMSG_SHOOT, 1, 3, values), SELF, 2, SELF);
    WriteStamp(rec, SWireStamp{9, 41, 44});
    SSocketMSG relayed = RelayedRecord(rec, rec.destAddr);
    EXPECT_NE(relayed.type, rec.type);
    SSocketMSG back = RecordFromRelayed(relayed);
    EXPECT_EQ(std::memcmp(&back, &rec, sizeof rec), 0);
}
