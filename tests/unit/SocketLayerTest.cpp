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
    EXPECT_EQ(CapturedOut(), "connections are:\n1 from 10.77.0.1\n7 from 10.77.0.2\n"
              "0 records dropped (not whole, forged, untrusted or from unknown peers)\n");

    SGameMsg turn = MakeMsg(GMSG_CHANGE_ANGLES, 7, 0, 0, 500);
    SSocketMSG rec = ZOSocketCompileMSG(&turn);
    EXPECT_EQ(rec.senderAddr, SELF);
    EXPECT_EQ(rec.recipient, 1);
    EXPECT_EQ(rec.recipientAddr, PEER_A);
    EXPECT_EQ(ZOSocketCompileMSG(&rec).object, 7);
    setip(0);
}
