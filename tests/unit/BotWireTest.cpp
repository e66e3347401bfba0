#include <gtest/gtest.h>

#include "net/BotWire.h"
#include "net/WireConvert.h"
#include "tests/unit/NetFakes.h"

// A game message about a hosted computer tank travels under a type that
// copies following only the original rules ignore, and arrives as the game
// record of the receiver's own tank for it.
TEST(BotWire, ABotMessageTravelsUnderItsOwnTypeAndArrivesAsTheGameMessage)
{
    float where[3] = {1, 2, 3};
    SGameMsg move = MakeMsg(GMSG_MOVE_TO_LOC, 90, 3, where, 5000);
    const unsigned long host = 0x0100000a, sender = 0x0200000a;
    SSocketMSG rec = BotMsgRecord(move, host, 2, sender);
    EXPECT_EQ(rec.type, SMSG_BOT_MSG);
    EXPECT_GT(rec.type, 604);
    EXPECT_EQ(BotMsgType(rec), GMSG_MOVE_TO_LOC);
    EXPECT_EQ(rec.recipientAddr, host);
    EXPECT_EQ(rec.recipient, 2);

    SSocketMSG game = GameRecordFromBotMsg(rec, 117);
    SGameMsg arrived = GameMsgFromWire(game, {ZOConnectionID(sender, 5), ZOConnectionID(host, 6)});
    EXPECT_EQ(arrived.type, GMSG_MOVE_TO_LOC);
    EXPECT_EQ(arrived.object, 117);
    EXPECT_EQ(arrived.time, 5000u);
    EXPECT_EQ(arrived.sender, (unsigned int)sender);
    ASSERT_EQ(arrived.count, 3);
    EXPECT_EQ(arrived.data[2], 3);
}

TEST(BotWire, ComputerTanksOfASilentHostLeaveOnceAndThisCopysStay)
{
    CBotTable table;
    const unsigned long self = 1, host = 2, other = 3;
    table.Add(self, 1, 80, 0);
    table.Add(host, 1, 81, 0);
    table.Add(host, 2, 82, 0);
    table.Add(other, 1, 83, 0);
    table.Heard(other, 9000);
    EXPECT_TRUE(table.Departed(self, CBotTable::SILENCE_MS).empty());
    EXPECT_EQ(table.Departed(self, CBotTable::SILENCE_MS + 1), (std::vector<int>{81, 82}));
    EXPECT_TRUE(table.Departed(self, CBotTable::SILENCE_MS + 2).empty());
    EXPECT_EQ(table.Departed(self, 9000 + CBotTable::SILENCE_MS + 1), (std::vector<int>{83}));
    EXPECT_EQ(table.IndexOf(host, 2), 82);
    EXPECT_EQ(table.IndexOf(host, 3), -1);
}

// A computer tank is announced by its host alone; its messages come from the
// host, but for a kill credited to it, which the victim's copy tells.
TEST(BotWire, ReceivedBotRecordsAreBelievedOnlyFromWhoMaySendThem)
{
    CFakeGame game;
    std::vector<SSocketMSG> queued;
    auto queue = [&queued](const SSocketMSG& rec) { queued.push_back(rec); };
    const unsigned long host = 0x0700000a, peer = 0x0800000a;
    STankPrototype tank{SGameObject()};
    tank.kind = KIND_TANK;
    SSocketMSG forged = BotTankRecord(tank, 1, host);
    forged.senderAddr = peer;
    EXPECT_FALSE(TakeBotRecord(forged, game, queue, 0));
    SSocketMSG tooMany = BotTankRecord(tank, 9, host);
    EXPECT_FALSE(TakeBotRecord(tooMany, game, queue, 0));
    EXPECT_TRUE(game.objects.empty());

    SSocketMSG announced = BotTankRecord(tank, 1, host);
    EXPECT_TRUE(TakeBotRecord(announced, game, queue, 0));
    EXPECT_TRUE(TakeBotRecord(announced, game, queue, 100));  // again: no second tank
    ASSERT_EQ(game.objects.size(), 1u);

    struct {
        int type;
        unsigned long sender;
        int number;
        bool taken;
    } cases[] = {
        {GMSG_SHOOT, host, 1, true},
        {GMSG_SHOOT, peer, 1, false},  // only the host drives it
        {GMSG_FRAG, peer, 1, true},    // a kill the peer's copy credits to it
        {GMSG_SHOOT, host, 2, false},  // no such tank
        {650, host, 1, false},         // no game message
    };
    for (const auto& c : cases) {
        queued.clear();
        SGameMsg msg = MakeMsg(c.type, 0, 0, 0, 1000);
        SSocketMSG rec = BotMsgRecord(msg, host, c.number, c.sender);
        EXPECT_EQ(TakeBotRecord(rec, game, queue, 0), c.taken) << c.type << " from " << c.sender;
        ASSERT_EQ(queued.size(), c.taken ? 1u : 0u);
        if (c.taken) {
            EXPECT_EQ(queued[0].type, c.type);
            EXPECT_EQ(queued[0].recipient, 0);
        }
    }
    for (SGameObject* o : game.objects)
        DestroyObject(o);
}
