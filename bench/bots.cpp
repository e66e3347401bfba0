// Computer tanks without a window: the game thread's cost of 8 of them per
// frame (their decisions and messages, and the whole frame with and without
// them), and how the difficulty shows in frags against a scripted target.
#include <chrono>
#include <cstdio>

#include "model/Log.h"
#include "tests/unit/BotArena.h"

namespace {

const unsigned int FRAME_MS = 16;

double Milliseconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

struct SFrameCost {
    double bots, frame;
};

// After a minute of play, the average over a minute of frames: the frame
// loop's movement step (the local tank's and every computer tank's
// decisions, messages and movement), then the whole frame with the queue pass.
SFrameCost Cost(int bots)
{
    SBotArena arena(bots, BOT_NORMAL, 1);
    arena.Play(60000, FRAME_MS);
    double step = 0, whole = 0;
    const int frames = 60000 / FRAME_MS;
    for (int f = 0; f < frames; ++f) {
        arena.game.now += FRAME_MS;
        arena.Target(FRAME_MS);
        auto start = std::chrono::steady_clock::now();
        arena.game.StepObjects(arena.game.GetGameObjects(), FRAME_MS);
        step += Milliseconds(std::chrono::steady_clock::now() - start);
        arena.game.ActOnMessages();
        whole += Milliseconds(std::chrono::steady_clock::now() - start);
    }
    return SFrameCost{step / frames, whole / frames};
}

}  // namespace

int main()
{
    // The games' own lines (frags, the computer tanks) are not the figures.
    SetLogSink([](ELogStream, const std::string&) {});
    SFrameCost none = Cost(0), eight = Cost(8);
    std::printf("8 computer tanks, per frame of the game thread (16 ms frames, average over 60 s):\n");
    std::printf("  movement step with their decisions: %.4f ms, without them %.4f ms: +%.4f ms (goal under 0.5 ms)\n",
                eight.bots, none.bots, eight.bots - none.bots);
    std::printf("  with the queue pass: %.4f ms, without them %.4f ms: +%.4f ms\n", eight.frame, none.frame,
                eight.frame - none.frame);

    std::printf("\nOne computer tank against a target circling without firing, 3 minutes a match:\n");
    std::printf("  %-8s %8s %8s %8s %8s\n", "level", "seed 3", "seed 17", "seed 29", "total");
    const EBotLevel levels[] = {BOT_EASY, BOT_NORMAL, BOT_HARD};
    for (EBotLevel level : levels) {
        int frags[3], total = 0;
        const unsigned int seeds[3] = {3, 17, 29};
        for (int k = 0; k < 3; ++k) {
            SBotArena arena(1, level, seeds[k]);
            arena.Play(180000, FRAME_MS);
            frags[k] = arena.BotFrags();
            total += frags[k];
        }
        std::printf("  %-8s %8d %8d %8d %8d\n", BotLevelName(level), frags[0], frags[1], frags[2], total);
    }
    return 0;
}
