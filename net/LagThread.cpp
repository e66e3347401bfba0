// The lag thread: hands received game messages to the game in batches, after
// a pause that simulates network lag.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "net/SocketLayer.h"
#include "model/Log.h"
#include "net/WireConvert.h"
#include "net/ZoSockets.h"
#include "net/ZoThreadMaster.h"

namespace {

const int MAX_LAG_SECONDS = 9;
// How long a wait lasts before the thread looks whether it must stop.
const int STOP_POLL_MS = 100;
// Synced clocks differ by a few milliseconds; a message dated further ahead
// than this is not from a synced clock.
const int MAX_CLOCK_LEAD_MS = 1000;

std::atomic<int> lag(0);

void PrintLag()
{
    LogOut("Lag set to %d\n", lag.load());
}

// Sleeps the whole pause unless the thread is asked to stop.
void Pause(int seconds)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!CZoSDLTreader::StopRequested() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(STOP_POLL_MS));
}

}  // namespace

void add_lag()
{
    if (lag < MAX_LAG_SECONDS)
        ++lag;
    PrintLag();
}

int get_lag()
{
    return lag;
}

void remove_lag()
{
    if (lag > 0)
        --lag;
    PrintLag();
}

void DeliverRecords(const std::vector<SSocketMSG>& records, const std::vector<ZOConnectionID>& table,
                    IGameInterface& game, bool trace)
{
    for (const SSocketMSG& rec : records) {
        // A tank this copy never knew: unmapped, it would land on whatever
        // local object the sender's raw index names.
        bool mapped = rec.recipientAddr == 0;
        for (const ZOConnectionID& entry : table)
            mapped = mapped || entry.address == rec.recipientAddr;
        if (!mapped)
            continue;
        SGameMsg msg = GameMsgFromWire(rec, table);
        // A time a little ahead of this clock stays as sent, so every copy
        // orders the message alike, and the queue holds it until its time
        // comes. One far ahead (a sender not yet synced, or a forged time)
        // would sit there for good: it takes effect now instead.
        unsigned int now = (unsigned int)game.GetTime();
        if ((int)((unsigned int)msg.time - now) > MAX_CLOCK_LEAD_MS)
            msg.time = now;
        msg.time = (unsigned int)msg.time;
        if (trace) {
            LogOut("net trace: %s for object %d from %s\n", getMsgString(msg.type), msg.object,
                        DottedAddress(rec.senderAddr).c_str());
        }
        game.AddMsg(msg);
    }
}

int Lag(void*)
{
    // A test hook: the whole-program tests see what reached the game.
    const bool trace = std::getenv("FERROWIND_NET_TRACE") != 0;
    while (!CZoSDLTreader::StopRequested()) {
        int seconds = lag;
        // Without lag the thread waits for the first record instead of
        // spinning; it is handed on as soon as it arrives.
        if (seconds > 0)
            Pause(seconds);
        std::vector<SSocketMSG> batch = SocketReceiveQueue().TakeAll(seconds > 0 ? 0 : STOP_POLL_MS);
        IGameInterface* game = SocketGame();
        // A peer that quit while its last records waited here: they still
        // come before its departure, as on a copy without lag.
        if (!batch.empty() && game)
            DeliverRecords(batch, SocketConnections().Known(), *game, trace);
    }
    return 0;
}
