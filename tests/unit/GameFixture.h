#ifndef FERROWIND_TESTS_GAMEFIXTURE_H
#define FERROWIND_TESTS_GAMEFIXTURE_H

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "game/Ferrowind.h"
#include "input/ZoSDL.h"
#include "net/ZoThreadMaster.h"
#include "render_gl/ZoGl.h"
#include "sound/ZoSound.h"
#include "TestGame.h"

// A game on devices that do nothing. The output log is global and outlives
// every game, so it is closed here.
template <class Game = CTestGame>
struct SNoDeviceGame {
    explicit SNoDeviceGame(const std::string& log)
        : logPath(log), sdl(SNoDevice()), gl(SNoDevice()), sound(SNoDevice()), game(Components(), logPath.c_str())
    {
    }
    ~SNoDeviceGame()
    {
        if (output)
            std::fclose(output), output = 0;
    }
    SNoDeviceGame(const SNoDeviceGame&) = delete;
    SNoDeviceGame& operator=(const SNoDeviceGame&) = delete;

    // These devices again, for one more game on the same models.
    SGameComponents Components() { return SGameComponents{&sdl, &gl, new CZoSDLTreader(), &sound}; }

    std::string logPath;
    CZoSDL sdl;
    CZoGl gl;
    CZoSound sound;
    Game game;
};

// Builds models in the renderer's host store and places objects directly.
class GameFixture : public ::testing::Test, protected SNoDeviceGame<> {
protected:
    GameFixture() : SNoDeviceGame(::testing::TempDir() + "ferrowind_test_output.txt") {}

    // A box model spanning x in [x0, x1] and z in [z0, z1], 10 high; returns its number.
    int BoxModel(float x0, float x1, float z0, float z1)
    {
        std::vector<Vector3f> corners;
        const Vector3f c[4] = {Vector3f(x0, 0, z0), Vector3f(x1, 0, z0), Vector3f(x1, 10, z1), Vector3f(x0, 10, z1)};
        const int tris[2][3] = {{0, 1, 2}, {0, 2, 3}};
        for (const auto& t : tris)
            for (int k : t)
                corners.push_back(c[k]);
        int model = gl.m_store.AddModel(corners, std::vector<Vector3f>(), std::vector<Vector2f>());
        gl.m_store.Finish();
        return model;
    }

    SGameObject Base(int kind, int model, Vector3f pos, float heading = 0)
    {
        SGameObject o;
        o.kind = kind;
        o.model = model;
        o.texture0 = o.texture1 = 0;
        o.pos = pos;
        o.angles = Vector3f(0, heading, 0);
        for (float& e : o.effect)
            e = 0;
        o.active = 1;
        o.timer = 0;
        game.CalculateBB(o);
        return o;
    }

    int AddScenery(int model, Vector3f pos, int kind = KIND_SCENERY)
    {
        game.m_objects.push_back(new SGameObject(Base(kind, model, pos)));
        return (int)game.m_objects.size() - 1;
    }

    // The smallest battlefield: a ground and the local tank at (100, 0, 100),
    // both of a 10 x 10 box; the box's model number is returned.
    int SmallField()
    {
        int box = BoxModel(-5, 5, -5, 5);
        AddScenery(box, Vector3f(0, 0, 0), KIND_GROUND);
        AddTank(box, Vector3f(100, 0, 100));
        return box;
    }

    int AddTank(int model, Vector3f pos, float heading = 0)
    {
        STankPrototype* tank = new STankPrototype(Base(KIND_TANK, model, pos, heading));
        tank->active = 1;
        tank->timer = 0;
        tank->state[TS_SPEED] = 1;
        tank->state[TS_TURN_RATE] = 0.1f;
        game.m_objects.push_back(tank);
        return (int)game.m_objects.size() - 1;
    }

    int AddPowerUp(int model, Vector3f pos, float powerUpKind)
    {
        SGamePowerup* p = new SGamePowerup(Base(KIND_POWERUP, model, pos));
        p->state[0] = powerUpKind;
        p->active = 1;
        game.m_objects.push_back(p);
        return (int)game.m_objects.size() - 1;
    }

    SGameMsg Msg(int type, int object, std::vector<float> data, unsigned long time)
    {
        return MakeMsg(type, object, (int)data.size(), data.data(), time);
    }

    float* State(int index) { return game.m_objects[index]->state; }

    std::string ReadLog()
    {
        std::fflush(output);
        std::string text;
        FILE* f = std::fopen(logPath.c_str(), "rt");
        if (!f)
            return text;
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            text.append(buffer, n);
        std::fclose(f);
        return text;
    }

    std::vector<SGameMsg> QueuedOfType(int type)
    {
        std::vector<SGameMsg> found;
        for (const SGameMsg& m : game.m_messages)
            if (m.type == type)
                found.push_back(m);
        return found;
    }

};

#endif
