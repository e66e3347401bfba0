#ifndef FERROWIND_TESTS_GAMEFIXTURE_H
#define FERROWIND_TESTS_GAMEFIXTURE_H

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "NoDeviceGame.h"
#include "ObjectBuilder.h"

// Builds models in the renderer's host store and places objects directly.
class GameFixture : public ::testing::Test, protected SNoDeviceGame<> {
protected:
    GameFixture() : SNoDeviceGame(::testing::TempDir() + "ferrowind_test_output.txt") {}

    // An object as loading leaves it: its footprint worked out.
    SGameObject Base(int kind, int model, Vector3f pos, float heading = 0)
    {
        SGameObject o = Plain(kind, pos, heading, model);
        game.CalculateBB(o);
        return o;
    }

    int Place(SGameObject* o)
    {
        game.CalculateBB(*o);
        game.m_objects.push_back(o);
        return (int)game.m_objects.size() - 1;
    }

    int AddScenery(int model, Vector3f pos, int kind = KIND_SCENERY) { return Place(NewObject(kind, pos, 0, model)); }

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
        STankPrototype* tank = NewTank(pos, heading, model);
        tank->state[TS_SPEED] = 1;
        tank->state[TS_TURN_RATE] = 0.1f;
        return Place(tank);
    }

    int AddPowerUp(int model, Vector3f pos, float powerUpKind)
    {
        SGameObject* p = NewObject(KIND_POWERUP, pos, 0, model);
        p->state[0] = powerUpKind;
        return Place(p);
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
