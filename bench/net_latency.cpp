// Network figures on the namespace set-up of tools/netns.sh (needs root):
//   - send-to-application latency at lag 0: from ZOSocketSend on one peer to
//     the game's AddMsg on the others, median and p99 over 1000 messages;
//   - the time a newcomer takes to join three peers (every peer in its table
//     and its clock set);
//   - the CPU share of an idle peer's network threads.
// Run without arguments. Each peer is this program in a role of its own, in
// a namespace of its own, with the real socket layer and a stand-in game.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "model/Interfaces.h"
#include "net/SocketLayer.h"
#include "net/ZoSockets.h"
#include "net/ZoThreadMaster.h"

namespace {

const int PROBE_COUNT = 1000;
const int PROBE_SPACING_US = 2000;
const int PEER_SECONDS = 14;
const int IDLE_FROM_SECONDS = 8;
const int IDLE_TO_SECONDS = 13;

unsigned long NowMicroseconds()
{
    return (unsigned long)std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double CpuSeconds()
{
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

SGameObject* MakeObject(int kind)
{
    SGameObject base;
    base.kind = kind;
    base.model = 0;
    base.texture0 = base.texture1 = 0;
    base.pos = Vector3f(0, 0, 0);
    base.angles = Vector3f(0, 0, 0);
    for (int k = 0; k < 4; ++k)
        base.bbox[k] = base.effect[k] = 0;
    base.active = 1;
    base.timer = 0;
    return kind == KIND_TANK ? new STankPrototype(base) : new SGameObject(base);
}

// Stands in for the game: keeps the objects peers add, and measures how long
// each timing probe took from its sender's ZOSocketSend to here. Probes carry
// the sender's monotonic clock in microseconds as the raw bits of their two
// data values (the clock is shared by all namespaces of one machine).
class CBenchGame : public IGameInterface {
public:
    CBenchGame() : m_offset(0), m_synced(false)
    {
        m_objects.push_back(MakeObject(KIND_GROUND));
        m_objects.push_back(MakeObject(KIND_TANK));
    }

    void ShutDown() override {}
    std::vector<SGameObject*> GetGameObjects() override
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return m_objects;
    }
    std::vector<int> GetGameEffectObjects() override { return std::vector<int>(); }
    int AddGameObject(SGameObject* object) override
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_objects.push_back(object);
        return (int)m_objects.size() - 1;
    }
    void Publish(SGameMsg msg, bool) override { AddMsg(msg); }
    void AddMsg(SGameMsg msg) override
    {
        unsigned long now = NowMicroseconds();
        unsigned long sent = 0;
        bool probe = msg.type == GMSG_TIMING_PROBE && msg.count == 2;
        if (probe)
            std::memcpy(&sent, msg.data.get(), sizeof sent);
        if (!probe)
            return;
        std::lock_guard<std::mutex> hold(m_lock);
        m_latencies.push_back(now - sent);
    }
    unsigned long GetTime() override { return (unsigned int)(NowMicroseconds() / 1000 + m_offset); }
    void SetTimeOffset(unsigned long ms) override
    {
        m_offset = (unsigned int)ms;
        m_synced = true;
    }

    bool Synced() const { return m_synced; }
    std::vector<unsigned long> Latencies()
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return m_latencies;
    }

private:
    std::mutex m_lock;
    std::vector<SGameObject*> m_objects;
    std::vector<unsigned long> m_latencies;
    std::atomic<unsigned int> m_offset;
    std::atomic<bool> m_synced;
};

// The socket layer as the game starts it: listeners and lag thread, then the
// announcement.
void StartPeer(CBenchGame& game)
{
    setip(0);
    ZOSocketInit();
    CZoSDLTreader* threads = new CZoSDLTreader();
    ZOSocketOpen();
    void* self = static_cast<IGameInterface*>(&game);
    threads->CreateThread(ZOSocketListen, self);
    threads->CreateThread(ZOSocketListen, self);
    threads->CreateThread(Lag, self);
    while (SocketConnections().Snapshot().empty())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ZOSocketConnect(0);
}

void Sleep(double seconds)
{
    std::this_thread::sleep_for(std::chrono::microseconds((long)(seconds * 1e6)));
}

int RunPeer()
{
    CBenchGame game;
    auto start = std::chrono::steady_clock::now();
    StartPeer(game);
    std::this_thread::sleep_until(start + std::chrono::seconds(IDLE_FROM_SECONDS));
    double cpuBefore = CpuSeconds();
    std::this_thread::sleep_until(start + std::chrono::seconds(IDLE_TO_SECONDS));
    double idleShare = (CpuSeconds() - cpuBefore) / (IDLE_TO_SECONDS - IDLE_FROM_SECONDS);

    std::vector<unsigned long> latencies = game.Latencies();
    std::sort(latencies.begin(), latencies.end());
    if (!latencies.empty())
        std::printf("figure: latency over %zu probes: median %.1f us, p99 %.1f us, max %.1f us\n", latencies.size(),
                    (double)latencies[latencies.size() / 2], (double)latencies[latencies.size() * 99 / 100],
                    (double)latencies.back());
    std::printf("figure: idle CPU share of the network threads: %.3f %% of one core\n", idleShare * 100);
    std::fflush(stdout);
    std::_Exit(0);
}

int RunJoin()
{
    CBenchGame game;
    auto start = std::chrono::steady_clock::now();
    StartPeer(game);
    const size_t everyone = 4;
    while (SocketConnections().Snapshot().size() < everyone || !game.Synced()) {
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(10)) {
            std::printf("figure: join did not complete within 10 s (%zu table entries, clock %s)\n",
                        SocketConnections().Snapshot().size(), game.Synced() ? "set" : "not set");
            std::fflush(stdout);
            std::_Exit(1);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("figure: newcomer joined three peers (4 table entries, clock set) in %.2f ms "
                "(from socket set-up to the last answer)\n", ms);
    std::fflush(stdout);
    std::_Exit(0);
}

int RunSend(size_t expectedPeers)
{
    CBenchGame game;
    StartPeer(game);
    while (SocketConnections().Snapshot().size() < expectedPeers + 1)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    for (int i = 0; i < PROBE_COUNT; ++i) {
        SGameMsg probe;
        probe.type = GMSG_TIMING_PROBE;
        probe.object = 1;
        probe.count = 2;
        probe.time = game.GetTime();
        unsigned long now = NowMicroseconds();
        float bits[2];
        std::memcpy(bits, &now, sizeof bits);
        probe.data = CMsgData(bits, 2);
        ZOSocketSend(&probe);
        std::this_thread::sleep_for(std::chrono::microseconds(PROBE_SPACING_US));
    }
    std::_Exit(0);
}

// Runs a role in peer namespace `index`; the output comes back through the pipe.
FILE* Launch(const std::string& netns, int index, const std::string& role)
{
    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0)
        return 0;
    std::string command = netns + " run " + std::to_string(index) + " " + self + " " + role + " 2>&1";
    return popen(command.c_str(), "r");
}

void PrintFigures(FILE* child, const std::string& who)
{
    if (!child)
        return;
    char line[512];
    while (std::fgets(line, sizeof line, child))
        if (std::strncmp(line, "figure: ", 8) == 0)
            std::printf("%s: %s", who.c_str(), line + 8);
    pclose(child);
}

int Orchestrate()
{
    std::string netns = std::string(FERROWIND_SOURCE_DIR) + "/tools/netns.sh";
    if (std::system((netns + " check").c_str()) != 0) {
        std::printf("net_latency: network namespaces cannot be made here (root needed): nothing measured\n");
        return 1;
    }
    std::string name = "fwb" + std::to_string(getpid());
    setenv("FERROWIND_NETNS", name.c_str(), 1);
    if (std::system((netns + " up 5 >/dev/null").c_str()) != 0) {
        std::system((netns + " down").c_str());
        std::printf("net_latency: could not make the namespaces\n");
        return 1;
    }
    std::printf("net_latency: five namespaces, one bridge; three peers, a newcomer and a sender\n");
    std::fflush(stdout);

    auto start = std::chrono::steady_clock::now();
    std::vector<FILE*> peers;
    for (int i = 1; i <= 3; ++i) {
        peers.push_back(Launch(netns, i, "peer"));
        Sleep(0.3);
    }
    std::this_thread::sleep_until(start + std::chrono::milliseconds(1500));
    PrintFigures(Launch(netns, 4, "join"), "newcomer");
    PrintFigures(Launch(netns, 5, "send 3"), "sender");
    for (size_t i = 0; i < peers.size(); ++i)
        PrintFigures(peers[i], "peer " + std::to_string(i + 1));
    std::system((netns + " down").c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    // Children print lines of the socket layer too; keep them in order.
    std::setvbuf(stdout, 0, _IOLBF, 0);
    if (argc < 2)
        return Orchestrate();
    std::string role = argv[1];
    if (role == "peer")
        return RunPeer();
    if (role == "join")
        return RunJoin();
    if (role == "send" && argc >= 3)
        return RunSend((size_t)std::atoi(argv[2]));
    std::fprintf(stderr, "usage: net_latency (roles peer, join, send N are for its own use)\n");
    return 2;
}
