// Feeds arbitrary datagrams through the receive path (length check, own-address
// test, connects, clock sync, the receive queue and its conversion) into a
// game's queue, then runs a message pass over it.
//
// Input: a sequence of datagrams. Each starts with one byte: with its top bit
// set the datagram is one record long (144 bytes), else the byte is the
// datagram's length (0 to 127). A whole record comes from the address it
// names unless bit 6 of its byte is set. The last datagram takes what is left.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "net/PeerProtocol.h"
#include "net/SocketLayer.h"
#include "net/ZoSockets.h"
#include "tests/unit/NoDeviceGame.h"
#include "tests/unit/ObjectBuilder.h"

namespace {

const unsigned long LOCAL_ADDRESS = 0x0100000au;  // 10.0.0.1
// Keeps a long run's object list and queue small enough to stay fast.
const size_t MAX_OBJECTS = 32;
const size_t MAX_QUEUED = 1000;

std::vector<Vector3f> Box(float halfX, float height, float halfZ)
{
    const Vector3f c[8] = {Vector3f(-halfX, 0, -halfZ), Vector3f(halfX, 0, -halfZ), Vector3f(halfX, 0, halfZ),
                           Vector3f(-halfX, 0, halfZ), Vector3f(-halfX, height, -halfZ),
                           Vector3f(halfX, height, -halfZ), Vector3f(halfX, height, halfZ),
                           Vector3f(-halfX, height, halfZ)};
    const int faces[12][3] = {{0, 1, 2}, {0, 2, 3}, {4, 6, 5}, {4, 7, 6}, {0, 4, 5}, {0, 5, 1},
                              {1, 5, 6}, {1, 6, 2}, {2, 6, 7}, {2, 7, 3}, {3, 7, 4}, {3, 4, 0}};
    std::vector<Vector3f> corners;
    for (const auto& face : faces)
        for (int k : face)
            corners.push_back(c[k]);
    return corners;
}

// The game as the network sees it, except that once the object list is long
// it takes no more peers' tanks (it hands back the local tank's index).
class CCappedGame : public IGameInterface {
public:
    explicit CCappedGame(CFerrowind* game) : m_game(game) {}
    void ShutDown() override { m_game->ShutDown(); }
    std::vector<SGameObject*> GetGameObjects() override { return m_game->GetGameObjects(); }
    std::vector<int> GetGameEffectObjects() override { return m_game->GetGameEffectObjects(); }
    int AddGameObject(SGameObject* object) override
    {
        if (m_game->m_objects.size() < MAX_OBJECTS)
            return m_game->AddGameObject(object);
        DestroyObject(object);
        return 1;
    }
    void AddMsg(SGameMsg msg) override { m_game->AddMsg(msg); }
    void Publish(SGameMsg msg, bool) override { AddMsg(msg); }
    unsigned long GetTime() override { return m_game->GetTime(); }
    void SetTimeOffset(unsigned long ms) override { m_game->SetTimeOffset(ms); }

private:
    CFerrowind* m_game;
};

class CNoSends : public IPeerTransport {
public:
    unsigned long LocalAddress() override { return LOCAL_ADDRESS; }
    void Send(SSocketMSG*) override {}
    void Queue(const SSocketMSG& rec) override { queued.push_back(rec); }
    std::vector<SSocketMSG> queued;
};

CFerrowind* MakeGame()
{
    // The rules send through the socket layer: its table stays empty, so
    // nothing leaves, and its address is fixed, so no interface is asked.
    setip(LOCAL_ADDRESS);
    // Kept for the whole run.
    SNoDeviceGame<CFerrowind>* world = new SNoDeviceGame<CFerrowind>("/dev/null");
    world->gl.m_store.AddModel(Box(500, 0, 500), {}, {});
    world->gl.m_store.AddModel(Box(4, 3, 6), {}, {});
    world->gl.m_store.Finish();
    CFerrowind* game = &world->game;

    SGameObject* ground = NewObject(KIND_GROUND);
    ground->stateCount = 2;
    ground->state = new float[2];
    ground->state[0] = ground->state[1] = 500;
    game->AddGameObject(ground);
    for (float x : {10.0f, 40.0f}) {
        STankPrototype* tank = NewTank(Vector3f(x, 0, 0), 0, 1);
        tank->state[TS_SPEED] = 0.1f;
        tank->state[TS_TURN_RATE] = 0.1f;
        game->AddGameObject(tank);
    }
    SGameObject* powerUp = NewObject(KIND_POWERUP, Vector3f(70, 0, 70), 0, 1);
    powerUp->state[0] = 4;
    game->AddGameObject(powerUp);
    game->AddGameObject(NewObject(KIND_SCENERY, Vector3f(-50, 0, 20), 0, 1));
    SGameObject* effect = NewObject(KIND_EFFECT, Vector3f(0, 0, 0), 0, 1);
    effect->active = 0;
    game->m_effectObjects.push_back(game->AddGameObject(effect));
    return game;
}

void ForgetQueue(CFerrowind& game)
{
    if (game.m_messages.size() <= MAX_QUEUED)
        return;
    game.m_queue.Clear();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CFerrowind* game = MakeGame();
    static CCappedGame capped(game);

    // A fresh peer each time: its table and handshake start over.
    CConnectionTable table;
    CNoSends transport;
    CPeerProtocol protocol(table, transport, 7);
    protocol.SetGame(&capped);
    protocol.AddLocalEntry();
    protocol.Connect(0);

    size_t at = 0;
    while (at < size) {
        uint8_t head = data[at++];
        size_t length = (head & 0x80) ? sizeof(SSocketMSG) : head;
        if (length > size - at)
            length = size - at;
        // Mostly from the address the record names, so that the checks
        // behind the source test are reached.
        unsigned long source = 0x0900a8c0;
        if (length == sizeof(SSocketMSG) && !(head & 0x40)) {
            SSocketMSG rec;
            std::memcpy(&rec, data + at, sizeof rec);
            source = rec.senderAddr;
        }
        protocol.HandleDatagram(data + at, length, source);
        at += length;
    }
    DeliverRecords(transport.queued, table.Snapshot(), capped);
    game->ActOnMessages();
    ForgetQueue(*game);
    return 0;
}
