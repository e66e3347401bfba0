// A long game simulated without a window: four tanks (or as many as the first
// argument says) on a battlefield of 73+ objects, each moving, turning and
// firing every frame at 60 frames per second, with late messages forcing time
// warps. Prints the cost of one message pass
// as the game grows longer, the memory the queue holds, and the cost of warps.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "game/Ferrowind.h"
#include "input/ZoSDL.h"
#include "net/ZoThreadMaster.h"
#include "render_gl/ZoGl.h"
#include "sound/ZoSound.h"

namespace {

class CSimulatedGame : public CFerrowind {
public:
    using CFerrowind::CFerrowind;
    unsigned long GetTime() override { return now; }
    unsigned long now = 1000;
};

const unsigned long FRAME_MS = 16;
int g_tanks = 4;

int BoxModel(CZoGl& gl, float half)
{
    std::vector<Vector3f> corners = {Vector3f(-half, 0, -half), Vector3f(half, 0, -half), Vector3f(half, 9, half),
                                     Vector3f(-half, 0, -half), Vector3f(half, 9, half), Vector3f(-half, 9, half)};
    int model = gl.m_store.AddModel(corners, {}, {});
    gl.m_store.Finish();
    return model;
}

SGameObject Object(int kind, int model, Vector3f pos)
{
    SGameObject o;
    o.kind = kind;
    o.model = model;
    o.pos = pos;
    o.active = 1;
    return o;
}

// Eight to a row, in the lanes between the rows of blocks: a peer's tank
// comes back where it fell, so tanks started on one spot would stay there in
// a heap, every turn and move testing against all the others.
Vector3f TankSpot(int t)
{
    return Vector3f(30.0f + (t % 8) * 110, 0, 140.0f + (t / 8) * 160);
}

void Build(CSimulatedGame& game, CZoGl& gl)
{
    int ground = BoxModel(gl, 500);
    int tank = BoxModel(gl, 12);
    int block = BoxModel(gl, 15);
    game.AddGameObject(new SGameObject(Object(KIND_GROUND, ground, Vector3f(500, 0, 500))));
    for (int t = 0; t < g_tanks; ++t) {
        STankPrototype* tankObject = new STankPrototype(Object(KIND_TANK, tank, TankSpot(t)));
        tankObject->state[TS_SPEED] = 0.02f;
        tankObject->state[TS_TURN_RATE] = 0.08f;
        tankObject->active = 0;
        game.AddGameObject(tankObject);
    }
    for (int i = 0; i < 66; ++i)
        game.AddGameObject(new SGameObject(Object(KIND_SCENERY, block, Vector3f(60.0f + (i % 11) * 85, 0,
                                                                                 60.0f + (i / 11) * 160))));
    SGameObject effect = Object(KIND_EFFECT, block, Vector3f(0, 0, 0));
    effect.active = 0;
    game.m_effectObjects.push_back(game.AddGameObject(new SGameObject(effect)));
    while (game.m_objects.size() < 74)
        game.AddGameObject(new SGameObject(Object(KIND_PASSIVE, block, Vector3f(-100, 0, -100))));
}

void Post(CSimulatedGame& game, int type, int tank, std::vector<float> data, unsigned long time)
{
    game.AddMsg(MakeMsg(type, tank, (int)data.size(), data.data(), time));
}

// One frame's messages from every tank: a turn, a push of the throttle, a shot.
void TankFrame(CSimulatedGame& game, unsigned long frame)
{
    for (int t = 1; t <= g_tanks; ++t) {
        float heading = (float)((frame * (t + 1)) % 360);
        Post(game, GMSG_CHANGE_ANGLES, t, {0, heading}, game.now);
        Post(game, GMSG_ACCELERATE, t, {0.01f}, game.now);
        Post(game, GMSG_SHOOT, t, {0, 0, 0, 0, 0, 0}, game.now);
        std::vector<SGameMsg> pair = game.m_objects[t]->Action(FRAME_MS, t);
        for (SGameMsg& msg : pair) {
            msg.time = game.now;
            game.AddMsg(msg);
        }
    }
}

double Microseconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::micro>(d).count();
}

double TimedPass(CSimulatedGame& game)
{
    auto start = std::chrono::steady_clock::now();
    game.ActOnMessages();
    return Microseconds(std::chrono::steady_clock::now() - start);
}

// The queue's blocks (libstdc++ keeps a deque in blocks of 512 bytes' worth
// of elements) and the values its messages carry.
size_t QueueBytes(const CSimulatedGame& game)
{
    const size_t perBlock = 512 / sizeof(SGameMsg);
    size_t bytes = (game.m_messages.size() / perBlock + 1) * perBlock * sizeof(SGameMsg);
    for (const SGameMsg& m : game.m_messages)
        bytes += m.count > 0 ? m.count * sizeof(float) : 0;
    return bytes;
}

// Average cost of the ordinary passes of the next second of play.
double SecondOfPlay(CSimulatedGame& game, unsigned long& frame)
{
    double total = 0;
    int passes = 0;
    for (int f = 0; f < 62; ++f, ++frame) {
        game.now += FRAME_MS;
        TankFrame(game, frame);
        total += TimedPass(game);
        ++passes;
    }
    return total / passes;
}

double WarpCost(CSimulatedGame& game, unsigned long& frame, unsigned long lagMs)
{
    game.now += FRAME_MS;
    TankFrame(game, frame++);
    Post(game, GMSG_ACCELERATE, 3, {0.01f}, game.now - lagMs);
    return TimedPass(game);
}

}  // namespace

// Args: [tanks (4)] [minutes of play before the warps (60; 1, 10 or 60)]
int main(int argc, char** argv)
{
    if (argc > 1)
        g_tanks = std::max(3, std::atoi(argv[1]));
    unsigned long lastMark = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 60;
    CZoSDL sdl{SNoDevice()};
    CZoGl gl{SNoDevice()};
    CZoSound sound{SNoDevice()};
    CSimulatedGame game(SGameComponents{&sdl, &gl, new CZoSDLTreader(), &sound}, "/dev/null");
    Build(game, gl);
    std::printf("objects: %zu, tanks: %d, frame: %lu ms\n", game.m_objects.size(), g_tanks, FRAME_MS);

    const unsigned long marks[] = {1, 10, 60};
    unsigned long frame = 0;
    double firstCost = 0;
    for (unsigned long minutes : marks) {
        if (minutes > lastMark)
            break;
        unsigned long end = minutes * 60 * 1000;
        while (game.now < end) {
            game.now += FRAME_MS;
            TankFrame(game, frame);
            // A late message every two seconds forces a warp.
            if (frame % 125 == 0)
                Post(game, GMSG_ACCELERATE, 2, {0.01f}, game.now - 700);
            game.ActOnMessages();
            ++frame;
        }
        double cost = SecondOfPlay(game, frame);
        if (minutes == 1)
            firstCost = cost;
        std::printf("after %2lu min: pass %.1f us (%.2fx the 1-minute cost), queue %zu messages, %.1f KiB\n",
                    minutes, cost, cost / firstCost, game.m_messages.size(), QueueBytes(game) / 1024.0);
    }
    double warp5 = WarpCost(game, frame, 4500);
    SecondOfPlay(game, frame);
    double warp9 = WarpCost(game, frame, 8500);
    std::printf("5-second warp: %.2f ms\n9-second warp: %.2f ms\n", warp5 / 1000, warp9 / 1000);
    return 0;
}
