#ifndef FERROWIND_TESTS_BOTARENA_H
#define FERROWIND_TESTS_BOTARENA_H

// A battle of computer tanks without a window, on a clock of its own: a
// walled field of 1000 x 1000 with cover and crates, the local tank as a
// scripted target that only drives in circles (throttle held, turning, never
// firing; it fires only to come back when dead), and the computer tanks of
// the game's own frame loop. Shared by the difficulty test and the bench.
#include <string>
#include <vector>

#include "game/Ferrowind.h"
#include "input/ZoSDL.h"
#include "net/ZoThreadMaster.h"
#include "render_gl/ZoGl.h"
#include "sound/ZoSound.h"

class CArenaGame : public CFerrowind {
public:
    using CFerrowind::CFerrowind;
    unsigned long GetTime() override { return now; }
    unsigned long now = 100000;
};

struct SBotArena {
    SBotArena(int bots, EBotLevel level, unsigned int seed, const std::string& log = "/dev/null")
        : sdl(SNoDevice()), gl(SNoDevice()), sound(SNoDevice()),
          game(SGameComponents{&sdl, &gl, new CZoSDLTreader(), &sound}, log.c_str())
    {
        Build();
        SBotSettings settings;
        settings.count = bots;
        settings.level = level;
        settings.seed = seed;
        settings.seeded = true;
        game.SeedBots(settings);
        game.m_bots.Enter(game);
    }

    // One frame of `dtMs`: the target's keys, every tank's movement step and
    // the computer tanks, the queue.
    void Frame(unsigned int dtMs)
    {
        game.now += dtMs;
        Target(dtMs);
        game.StepObjects(game.GetGameObjects(), dtMs);
        game.ActOnMessages();
    }

    void Play(unsigned long ms, unsigned int dtMs = 16)
    {
        for (unsigned long t = 0; t < ms; t += dtMs)
            Frame(dtMs);
    }

    int BotFrags() const
    {
        int frags = 0;
        for (int bot : game.m_bots.Tanks())
            frags += game.m_objects[bot]->frags;
        return frags;
    }

    CZoSDL sdl;
    CZoGl gl;
    CZoSound sound;
    CArenaGame game;

    // The target: throttle held and a steady turn; a shot only to come back.
    void Target(unsigned int dtMs)
    {
        SGameObject& me = *game.m_objects[LOCAL_TANK];
        unsigned long now = game.now;
        if (!me.active) {
            float where[6] = {0, 0, 0, 0, 0, 0};
            game.AddMsg(MakeMsg(GMSG_SHOOT, LOCAL_TANK, 6, where, now));
            return;
        }
        float push = 0.011f * dtMs;
        game.AddMsg(MakeMsg(GMSG_ACCELERATE, LOCAL_TANK, 1, &push, now));
        float angles[2] = {me.angles.x, me.angles.y + 0.03f * dtMs};
        game.AddMsg(MakeMsg(GMSG_CHANGE_ANGLES, LOCAL_TANK, 2, angles, now));
    }

private:
    int Box(float halfX, float halfZ)
    {
        std::vector<Vector3f> c = {Vector3f(-halfX, 0, -halfZ), Vector3f(halfX, 0, -halfZ), Vector3f(halfX, 9, halfZ),
                                   Vector3f(-halfX, 0, -halfZ), Vector3f(halfX, 9, halfZ), Vector3f(-halfX, 9, halfZ)};
        int model = gl.m_store.AddModel(c, {}, {});
        gl.m_store.Finish();
        return model;
    }

    void Add(int kind, int model, float x, float z, float heading = 0, float extra = 0)
    {
        SGameObject o;
        o.kind = kind;
        o.model = model;
        o.pos = Vector3f(x, 0, z);
        o.angles = Vector3f(0, heading, 0);
        o.active = 1;
        SGameObject* added;
        if (kind == KIND_TANK) {
            STankPrototype* tank = new STankPrototype(o);
            tank->state[TS_SPEED] = 0.025f;
            tank->state[TS_TURN_RATE] = 0.08f;
            tank->active = 0;
            added = tank;
        } else if (kind == KIND_POWERUP) {
            SGamePowerup* crate = new SGamePowerup(o);
            crate->state[0] = extra;
            added = crate;
        } else {
            added = new SGameObject(o);
        }
        int index = game.AddGameObject(added);
        if (kind == KIND_EFFECT) {
            added->active = 0;
            game.m_effectObjects.push_back(index);
        }
    }

    void Build()
    {
        Add(KIND_GROUND, Box(500, 500), 500, 500);
        int tank = Box(6, 9);
        Add(KIND_TANK, tank, 500, 500);
        int wall = Box(520, 10);
        Add(KIND_SCENERY, wall, 500, -12);
        Add(KIND_SCENERY, wall, 500, 1012);
        Add(KIND_SCENERY, wall, -12, 500, 90);
        Add(KIND_SCENERY, wall, 1012, 500, 90);
        int block = Box(25, 12);
        const float cover[8][3] = {{300, 300, 0}, {700, 300, 45}, {300, 700, 90}, {700, 700, 135},
                                   {500, 250, 0}, {500, 750, 0}, {250, 500, 90}, {750, 500, 90}};
        for (const auto& c : cover)
            Add(KIND_SCENERY, block, c[0], c[1], c[2]);
        int crate = Box(5, 5);
        for (int k = 0; k < 6; ++k)
            Add(KIND_POWERUP, crate, 150.0f + 140 * k, k % 2 ? 150.0f : 850.0f, 0, (float)k);
        Add(KIND_EFFECT, crate, 0, 0);
        int spare = Box(1, 1);
        while ((int)game.m_objects.size() <= ANIMATED_OBJECT)
            Add(KIND_PASSIVE, spare, -500, -500);
    }

};

#endif
