// The socket layer: one UDP send socket, the local address, the connection
// table, and the listener threads that feed the receive queue.
#include "net/ZoSockets.h"
#include "model/Log.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>

#include "model/StateCheck.h"
#include "net/NetFigures.h"
#include "net/PeerProtocol.h"
#include "net/Platform.h"
#include "net/SocketLayer.h"
#include "net/WireConvert.h"
#include "net/ZoThreadMaster.h"

namespace {

const int RECEIVE_BUFFER_BYTES = 20000000;
// Listeners wake this often to see whether the game is closing.
const int RECEIVE_TIMEOUT_MS = 150;

NetSocket sock = NET_NO_SOCKET;
int port = 0;
std::atomic<unsigned long> ip(0);
CZoSDLTreader* pThreadUnit = 0;
int mutex = -1;
CConnectionTable CID;
CReceiveQueue msgArray;

class CSocketTransport : public IPeerTransport {
public:
    unsigned long LocalAddress() override { return myIpAddr(); }
    void Send(SSocketMSG* rec) override { ZOSocketSend(rec); }
    void Queue(const SSocketMSG& rec) override { msgArray.Push(rec); }
};

// Tells this run from an earlier one at the same address.
uint32_t NewIncarnation()
{
    std::random_device device;
    uint32_t drawn = device() ^ (uint32_t)std::chrono::steady_clock::now().time_since_epoch().count();
    return drawn ? drawn : 1;
}

CSocketTransport transport;
CStateCheck* stateCheck = 0;
CPeerProtocol protocol(CID, transport, NewIncarnation());

void PrintLine(const std::string& text)
{
    LogOut("%s\n", text.c_str());
}

// Chosen once: the interface keeps its name while its address may change.
const std::string& InterfaceName()
{
    static const std::string name = NetChooseInterface();
    return name;
}

void PrintAddressInUse()
{
    if (ip != 0) {
        PrintLine("Network address " + DottedAddress(ip) + " (set by the program)");
        return;
    }
    const std::string& name = InterfaceName();
    unsigned long address = myIpAddr();
    if (name.empty())
        PrintLine("No network interface with an IPv4 address: other players cannot reach this one "
                  "(FERROWIND_IFACE names the interface to use)");
    else if (address == 0)
        PrintLine("Network interface " + name + " has no IPv4 address: other players cannot reach this one "
                  "(FERROWIND_IFACE names the interface to use)");
    else
        PrintLine("Network interface " + name + ", address " + DottedAddress(address));
}

// FERROWIND_PEERS: peers to announce to directly as well as by broadcast.
void DirectPeersFromEnvironment()
{
    const char* list = std::getenv("FERROWIND_PEERS");
    if (!list)
        return;
    std::vector<std::string> refused;
    std::vector<unsigned long> peers = AddressList(list, refused);
    for (const std::string& word : refused)
        PrintLine("FERROWIND_PEERS: " + word + " is no IPv4 address; left out");
    for (unsigned long address : peers)
        PrintLine("Announcing directly to " + DottedAddress(address) + " as well");
    protocol.SetDirectPeers(peers);
}

}  // namespace

CConnectionTable& SocketConnections()
{
    return CID;
}

CReceiveQueue& SocketReceiveQueue()
{
    return msgArray;
}

IGameInterface* SocketGame()
{
    return protocol.Game();
}

void setip(unsigned long address)
{
    ip = address;
}

unsigned long getip()
{
    return ip;
}

unsigned long myIpAddr()
{
    if (ip != 0)
        return ip;
    return NetInterfaceAddress(InterfaceName());
}

void ZOSocketInit()
{
    NetStartup();
    pThreadUnit = new CZoSDLTreader();
    mutex = pThreadUnit->InitializeMutex();
    msgArray.SetMutex(pThreadUnit, mutex);
}

int ZOSocketOpen()
{
    port = ZO_PORT;
    sock = NetOpenUdp();
    bool broadcast = NetEnableBroadcast(sock);
    PrintLine(broadcast ? "huraaaa" : ":'(");
    PrintLine("Socket opened");
    PrintAddressInUse();
    DirectPeersFromEnvironment();
    return sock != NET_NO_SOCKET && broadcast ? 1 : 0;
}

int ZOSocketClose()
{
    // A test hook: the whole-program tests read the final table and count.
    if (std::getenv("FERROWIND_NET_TRACE"))
        PrintConnections();
    protocol.SayGoodbye();
    NetClose(sock);
    sock = NET_NO_SOCKET;
    return 0;
}

SSocketMSG ZOSocketCompileMSG(SGameMsg* msg)
{
    return WireFromGameMsg(*msg, CID.Snapshot(), myIpAddr());
}

SGameMsg ZOSocketCompileMSG(SSocketMSG* rec)
{
    return GameMsgFromWire(*rec, CID.Snapshot());
}

int ZOSocketSend(SSocketMSG* rec)
{
    IGameInterface* game = protocol.Game();
    rec->sendTime = game ? game->GetTime() : 0;
    return NetSendTo(sock, rec->destAddr, port, rec, sizeof *rec) ? 1 : 0;
}

int ZOSocketSend(SGameMsg* msg)
{
    protocol.SendGameRecord(WireFromGameMsg(*msg, CID.Snapshot(), myIpAddr()));
    return 1;
}

void ZOSocketSetStateCheck(CStateCheck* check)
{
    protocol.SetStateCheck(check);
    stateCheck = check;
}

void ZOSocketSendNumbered(const SSocketMSG& rec)
{
    protocol.SendGameRecord(rec);
}

void ZOSocketConnect(unsigned long address)
{
    protocol.Connect(address);
}

void ZOSocketRestateToNewcomers(unsigned int since)
{
    protocol.RestateToNewcomers(since);
}

int ZOSocketListen(void* game)
{
    // The game hands itself over as its interface.
    protocol.SetGame(static_cast<IGameInterface*>(game));
    unsigned long local = myIpAddr();
    PrintLine("   trying listening on " + DottedAddress(local));
    protocol.AddLocalEntry();

    // Of two listeners, the first to bind takes this peer's own address and
    // the other the broadcasts.
    NetSocket listener = NetOpenUdp();
    bool bound = NetBind(listener, (uint32_t)local, ZO_PORT);
    bound = NetBind(listener, NET_BROADCAST, ZO_PORT) || bound;
    if (!bound)
        PrintLine("      Socket not bound: port 12000 is in use");
    if (NetSetReceiveBuffer(listener, RECEIVE_BUFFER_BYTES))
        PrintLine("      Socket listening");
    NetSetReceiveTimeout(listener, RECEIVE_TIMEOUT_MS);

    // One byte more than the longer record, so that a longer datagram shows as too long.
    unsigned char buffer[WIRE_WIDE_RECORD + 1];
    while (!CZoSDLTreader::StopRequested()) {
        protocol.RepeatHandshake();
        uint32_t source = 0;
        long length = NetReceive(listener, buffer, sizeof buffer, &source);
        if (length == NET_TIMEOUT)
            continue;
        if (length == NET_ERROR) {
            std::this_thread::sleep_for(std::chrono::milliseconds(RECEIVE_TIMEOUT_MS));
            continue;
        }
#ifdef _WIN32
        // The Windows build reports every datagram, its own ones included.
        PrintLine("MSG");
#endif
        protocol.HandleDatagram(buffer, (size_t)length, source);
    }
    NetClose(listener);
    return 0;
}

void AddMsg(SSocketMSG* rec)
{
    msgArray.Push(*rec);
}

void PrintConnections()
{
    // One write, so that no other thread's line lands inside the list.
    std::string text = "connections are:\n";
    for (const ZOConnectionID& entry : CID.Snapshot())
        text += std::to_string(entry.objectIndex) + " from " + DottedAddress(entry.address) + "\n";
    for (const ZOConnectionID& entry : CID.Departed())
        text += "departed: " + DottedAddress(entry.address) + " (tank " + std::to_string(entry.objectIndex) + ")\n";
    text += protocol.Drops().Text() + "; " + std::to_string(protocol.Lost()) + " records lost for good; " +
            std::to_string(stateCheck ? stateCheck->Disagreements() : 0) + " disagreements\n";
    LogOut("%s", text.c_str());
}
