#ifndef FERROWIND_TESTS_NODEVICEGAME_H
#define FERROWIND_TESTS_NODEVICEGAME_H

#include <cstdio>
#include <string>
#include <vector>

#include "game/Ferrowind.h"
#include "input/ZoSDL.h"
#include "net/ZoThreadMaster.h"
#include "render_gl/ZoGl.h"
#include "sound/ZoSound.h"
#include "TestGame.h"

// Devices a test brings in place of the ones that do nothing (null: none).
struct SOwnDevices {
    CZoSDL* input = nullptr;
    CZoGl* renderer = nullptr;
    CZoSound* sound = nullptr;
};

// The one way tests build a game: on devices that do nothing, but for those
// the test brings. The output log is global and outlives every game, so it
// is closed here.
template <class Game = CTestGame>
struct SNoDeviceGame {
    explicit SNoDeviceGame(const std::string& log, SOwnDevices devices = SOwnDevices())
        : logPath(log), own(devices), sdl(SNoDevice()), gl(SNoDevice()), sound(SNoDevice()),
          game(Components(), logPath.c_str())
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
    SGameComponents Components()
    {
        return SGameComponents{own.input ? own.input : &sdl, own.renderer ? own.renderer : &gl, new CZoSDLTreader(),
                               own.sound ? own.sound : &sound};
    }

    // A box model in the renderer's host store spanning x in [x0, x1] and z in
    // [z0, z1], 10 high; returns its number.
    int BoxModel(float x0, float x1, float z0, float z1)
    {
        std::vector<Vector3f> corners;
        const Vector3f c[4] = {Vector3f(x0, 0, z0), Vector3f(x1, 0, z0), Vector3f(x1, 10, z1), Vector3f(x0, 10, z1)};
        for (int k : {0, 1, 2, 0, 2, 3})
            corners.push_back(c[k]);
        int model = gl.m_store.AddModel(corners, std::vector<Vector3f>(), std::vector<Vector2f>());
        gl.m_store.Finish();
        return model;
    }

    std::string logPath;
    SOwnDevices own;
    CZoSDL sdl;
    CZoGl gl;
    CZoSound sound;
    Game game;
};

#endif
