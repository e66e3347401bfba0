// The socket layer's own connection table, through its public functions. The
// table lives for the whole test program, so one test fills it.
#include <gtest/gtest.h>

#include "tests/unit/LogCapture.h"
#include "NetFakes.h"
#include "net/SocketLayer.h"
#include "net/ZoSockets.h"

TEST(SocketLayer, TablePrintsAndMapsMessagesOfTheLayer)
{
    const unsigned long self = Ip(10, 77, 0, 1), peer = Ip(10, 77, 0, 2);
    setip(self);
    CConnectionTable& table = SocketConnections();
    ASSERT_TRUE(table.Snapshot().empty());
    table.AddLocalOnce(self, 1);
    table.Append(peer, 7);

    CaptureLog();
    PrintConnections();
    EXPECT_EQ(CapturedOut(), "connections are:\n1 from 10.77.0.1\n7 from 10.77.0.2\n"
              "0 records dropped (not whole, forged, untrusted or from unknown peers)\n");

    SGameMsg turn = MakeMsg(GMSG_CHANGE_ANGLES, 7, 0, 0, 500);
    SSocketMSG rec = ZOSocketCompileMSG(&turn);
    EXPECT_EQ(rec.senderAddr, self);
    EXPECT_EQ(rec.recipient, 1);
    EXPECT_EQ(rec.recipientAddr, peer);
    EXPECT_EQ(ZOSocketCompileMSG(&rec).object, 7);
    setip(0);
}
