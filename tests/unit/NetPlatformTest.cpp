// Loopback only: nothing leaves this machine.
#include <gtest/gtest.h>

#include <cstdlib>
#include <netinet/in.h>
#include <sys/socket.h>

#include "NetFakes.h"
#include "net/Platform.h"
#include "net/ZoSockets.h"

namespace {

const unsigned long LOOPBACK = Ip(127, 0, 0, 1);

int BoundPort(NetSocket sock)
{
    sockaddr_in sa;
    socklen_t length = sizeof sa;
    getsockname((int)sock, (sockaddr*)&sa, &length);
    return ntohs(sa.sin_port);
}

class LoopbackPair : public testing::Test {
protected:
    LoopbackPair() : receiver(NetOpenUdp()), sender(NetOpenUdp())
    {
        EXPECT_TRUE(NetBind(receiver, (uint32_t)LOOPBACK, 0));
        EXPECT_TRUE(NetSetReceiveTimeout(receiver, 500));
        port = BoundPort(receiver);
    }
    ~LoopbackPair() override
    {
        NetClose(receiver);
        NetClose(sender);
    }
    long SendAndReceive(size_t length)
    {
        std::vector<unsigned char> out(length, 0x5a);
        EXPECT_TRUE(NetSendTo(sender, (uint32_t)LOOPBACK, port, out.data(), out.size()));
        return NetReceive(receiver, buffer, sizeof buffer);
    }

    NetSocket receiver;
    NetSocket sender;
    int port;
    unsigned char buffer[sizeof(SSocketMSG) + 1];
};

}  // namespace

TEST_F(LoopbackPair, ReceiveReportsEachDatagramsOwnLengthOrTheTimeout)
{
    EXPECT_EQ(SendAndReceive(sizeof(SSocketMSG)), (long)sizeof(SSocketMSG));
    EXPECT_EQ(SendAndReceive(10), 10);
    EXPECT_EQ(SendAndReceive(0), 0);
    // Longer than the buffer: cut, and so recognisably not one record.
    EXPECT_EQ(SendAndReceive(300), (long)sizeof buffer);
    NetSetReceiveTimeout(receiver, 20);
    EXPECT_EQ(NetReceive(receiver, buffer, sizeof buffer), NET_TIMEOUT);
}

TEST(NetAddress, SetAddressIsUsedWithoutAskingTheInterfaces)
{
    setenv("FERROWIND_IFACE", "no-such-interface", 1);
    setip(Ip(10, 9, 8, 7));
    EXPECT_EQ(getip(), Ip(10, 9, 8, 7));
    EXPECT_EQ(myIpAddr(), Ip(10, 9, 8, 7));
    setip(0);
    unsetenv("FERROWIND_IFACE");
}

// The interface named in FERROWIND_IFACE is chosen; otherwise never loopback.
TEST(NetAddress, NamedInterfaceIsChosenAndAsked)
{
    setenv("FERROWIND_IFACE", "lo", 1);
    EXPECT_EQ(NetChooseInterface(), "lo");
    unsetenv("FERROWIND_IFACE");
    EXPECT_NE(NetChooseInterface(), "lo");
    EXPECT_EQ(NetInterfaceAddress("lo"), (uint32_t)LOOPBACK);
    EXPECT_EQ(NetInterfaceAddress("no-such-if"), 0u);
    EXPECT_EQ(NetInterfaceAddress(""), 0u);
    EXPECT_EQ(NetInterfaceAddress("a-name-far-too-long-for-any-interface"), 0u);
}
