// What the peer protocol costs on the wire: N simulated peers, each sending
// 20 game records a second as a driving player does, meet over an in-memory
// network that drops a share of the datagrams at random. Prints per copy and
// second the datagrams and bytes sent and received (game records, repairs:
// records sent again and requests for them, and the rest: announcements,
// clock probes, hashes), and how many of the other peers' records reached its
// queue in the end. Before the repair, a copy sent the game records and a
// clock probe to each peer every 3 s.
// Args: [seconds (8)]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "model/Log.h"
#include "model/Numbers.h"
#include "net/PeerProtocol.h"
#include "net/Platform.h"
#include "net/WireConvert.h"

namespace {

const int RECORDS_PER_SECOND = 20;
const int STEP_MS = 50;

class CBenchGame : public IGameInterface {
public:
    CBenchGame()
    {
        SGameObject ground;
        ground.kind = KIND_GROUND;
        objects.push_back(new SGameObject(ground));
        SGameObject tank;
        tank.kind = KIND_TANK;
        tank.active = 1;
        objects.push_back(new STankPrototype(tank));
    }
    void ShutDown() override {}
    std::vector<SGameObject*> GetGameObjects() override { return objects; }
    std::vector<int> GetGameEffectObjects() override { return {}; }
    int AddGameObject(SGameObject* object) override
    {
        objects.push_back(object);
        return (int)objects.size() - 1;
    }
    SGameObject* CopyGameObject(int index) override
    {
        return index >= 0 && index < (int)objects.size() ? DeepCopyObject(*objects[index]) : nullptr;
    }
    void AddMsg(SGameMsg) override {}
    void Publish(SGameMsg msg, bool) override { AddMsg(msg); }
    unsigned long GetTime() override
    {
        return (unsigned long)std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    void SetTimeOffset(unsigned long) override {}

    std::vector<SGameObject*> objects;
};

struct SDatagram {
    SSocketMSG rec;
    unsigned long from;
};

struct SPeer;

// Every datagram sent, delivered at the next step unless the loss takes it.
struct SNetwork {
    std::vector<SPeer*> peers;
    std::deque<SDatagram> inFlight;
};

struct SPeer : public IPeerTransport {
    SPeer(SNetwork& net, unsigned long address, uint32_t run)
        : net(net), address(address), protocol(table, *this, run)
    {
        protocol.SetGame(&game);
        protocol.AddLocalEntry();
    }
    unsigned long LocalAddress() override { return address; }
    void Send(SSocketMSG* rec) override
    {
        ++sent;
        uint32_t sequence = ReadStamp(*rec).sequence;
        // One record goes to every peer in turn; an older one is sent again.
        if (sequence != 0 && sequence < newest)
            ++resent;
        else if (sequence != 0 || rec->type < SMSG_CONNECT)
            ++records;
        else if (rec->type == SMSG_RESEND_REQUEST)
            ++asked;
        if (sequence > newest)
            newest = sequence;
        net.inFlight.push_back(SDatagram{*rec, address});
    }
    void Queue(const SSocketMSG& rec) override { queued += rec.type < SMSG_CONNECT; }

    SNetwork& net;
    unsigned long address;
    CBenchGame game;
    CConnectionTable table;
    CPeerProtocol protocol;
    unsigned long sent = 0, received = 0, queued = 0, ownRecords = 0;
    // Of what was sent: game records, those sent again, and requests for them.
    unsigned long records = 0, resent = 0, asked = 0;
    uint32_t newest = 0;
};

void Run(int peerCount, int lossPercent, double seconds)
{
    SNetwork net;
    std::vector<std::unique_ptr<SPeer>> peers;
    for (int i = 0; i < peerCount; ++i) {
        unsigned char b[4] = {10, 77, (unsigned char)(i / 200), (unsigned char)(1 + i % 200)};
        uint32_t address;
        std::memcpy(&address, b, 4);
        peers.emplace_back(new SPeer(net, address, 1000 + i));
        net.peers.push_back(peers.back().get());
    }
    std::minstd_rand loss(7);
    for (auto& p : peers)
        p->protocol.Connect(0);
    auto start = std::chrono::steady_clock::now();
    auto end = start + std::chrono::milliseconds((long)(seconds * 1000));
    // Records go out once the peers have met, and stop before the end so that
    // the last losses can be repaired.
    auto sendingStarts = start + std::chrono::seconds(1);
    auto sendingEnds = end - std::chrono::seconds(2);
    int step = 0;
    while (std::chrono::steady_clock::now() < end) {
        auto now = std::chrono::steady_clock::now();
        bool sending = now >= sendingStarts && now < sendingEnds;
        if (sending && step * STEP_MS * RECORDS_PER_SECOND / 1000 != (step + 1) * STEP_MS * RECORDS_PER_SECOND / 1000) {
            for (auto& p : peers) {
                float angles[2] = {0, (float)step};
                SGameMsg turn = MakeMsg(GMSG_CHANGE_ANGLES, LOCAL_TANK, 2, angles, p->game.GetTime());
                p->protocol.SendGameRecord(WireFromGameMsg(turn, p->table.Snapshot(), p->address));
                ++p->ownRecords;
            }
        }
        std::deque<SDatagram> batch;
        batch.swap(net.inFlight);
        for (const SDatagram& d : batch) {
            if ((int)(loss() % 100) < lossPercent)
                continue;
            for (SPeer* p : net.peers) {
                if (p->address == d.from || (d.rec.destAddr != NET_BROADCAST && d.rec.destAddr != p->address))
                    continue;
                ++p->received;
                p->protocol.HandleDatagram(&d.rec, sizeof d.rec, d.from);
            }
        }
        for (auto& p : peers)
            p->protocol.RepeatHandshake(now);
        ++step;
        std::this_thread::sleep_until(start + std::chrono::milliseconds(step * STEP_MS));
    }
    double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    double sent = 0, received = 0, reached = 0, expected = 0, lost = 0, game = 0, repair = 0;
    for (auto& p : peers) {
        sent += p->sent;
        game += p->records;
        repair += p->resent + p->asked;
        received += p->received;
        reached += p->queued;
        lost += p->protocol.Lost();
        for (auto& other : peers)
            if (other != p)
                expected += other->ownRecords;
    }
    double perCopy = peerCount * elapsed;
    std::printf("%2d peers, %2d %% loss: per copy and second %6.1f datagrams (%6.0f bytes) sent, of them %5.1f game "
                "records, %5.1f repairs and %4.1f control; %6.1f received; records reaching the queues %.2f %% "
                "(%.0f lost for good)\n",
                peerCount, lossPercent, sent / perCopy, sent / perCopy * sizeof(SSocketMSG), game / perCopy,
                repair / perCopy, (sent - game - repair) / perCopy, received / perCopy,
                expected > 0 ? 100 * reached / expected : 0, lost);
    for (auto& p : peers)
        for (SGameObject* o : p->game.objects)
            DestroyObject(o);
}

}  // namespace

int main(int argc, char** argv)
{
    double seconds = argc > 1 ? std::atof(argv[1]) : 8;
    SetLogSink([](ELogStream, const std::string&) {});
    std::printf("%d game records a second from every peer, %.0f s (the last 2 s without new records)\n",
                RECORDS_PER_SECOND, seconds);
    for (int peers : {8, 32})
        for (int loss : {0, 10})
            Run(peers, loss, seconds);
    SetLogSink(LogSink());
    return 0;
}
