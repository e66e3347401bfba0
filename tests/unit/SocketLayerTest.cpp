// The socket layer's own connection table, through its public functions. The
// table lives for the whole test program, so one test fills it.
#include <gtest/gtest.h>

#include "tests/unit/LogCapture.h"
#include "NetFakes.h"
#include "net/SocketLayer.h"
#include "net/ZoSockets.h"

TEST(SocketLayer, TablePrintsAndMapsMessagesOfTheLayer)
{
    setip(SELF);
    CConnectionTable& table = SocketConnections();
    ASSERT_TRUE(table.Snapshot().empty());
    table.AddLocalOnce(SELF, 1);
    table.Append(PEER_A, 7);

    CaptureLog();
    PrintConnections();
    const std::string counts = "records dropped: 0 bad size, 0 forged sender, 0 unknown sender, 0 not the owner, "
                               "0 duplicate, 0 stale, 0 unknown type, 0 malformed, 0 unasked relay; "
                               "0 records lost for good; 0 disagreements\n";
    EXPECT_EQ(CapturedOut(), "connections are:\n1 from 10.77.0.1\n7 from 10.77.0.2\n" + counts);
    // A peer that left is listed apart, and comes back to its old entry.
    EXPECT_EQ(table.Depart(PEER_A), 7);
    CaptureLog();
    PrintConnections();
    EXPECT_EQ(CapturedOut(), "connections are:\n1 from 10.77.0.1\ndeparted: 10.77.0.2 (tank 7)\n" + counts);
    // Its tank is still named by it: it stays in play until its departure's time.
    EXPECT_EQ(table.AddressOf(7), PEER_A);
    EXPECT_EQ(table.AddressOf(1), SELF);
    EXPECT_EQ(table.AddressOf(8), 0u);
    EXPECT_TRUE(table.Return(PEER_A));
    EXPECT_EQ(table.ObjectOf(PEER_A), 7);

    SGameMsg turn = MakeMsg(GMSG_CHANGE_ANGLES, 7, 0, 0, 500);
    SSocketMSG rec = ZOSocketCompileMSG(&turn);
    EXPECT_EQ(rec.senderAddr, SELF);
    EXPECT_EQ(rec.recipient, 1);
    EXPECT_EQ(rec.recipientAddr, PEER_A);
    EXPECT_EQ(ZOSocketCompileMSG(&rec).object, 7);
    setip(0);
}
