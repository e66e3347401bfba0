#ifndef FERROWIND_TESTS_INPUTFIXTURE_H
#define FERROWIND_TESTS_INPUTFIXTURE_H

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <vector>

#include "NoDeviceGame.h"
#include "ObjectBuilder.h"

// Events, keys, mouse and clock as a test scripts them. Pumping moves the
// mouse to where the test said it would be after the pump.
class CScriptedDevice : public ISDLDevice {
public:
    CScriptedDevice() { std::memset(keys, 0, sizeof keys); }
    void PumpEvents() override { mouseX = pumpedX, mouseY = pumpedY; }
    int PollEvent(SDL_Event* event) override
    {
        if (events.empty())
            return 0;
        *event = events.front();
        events.pop_front();
        return 1;
    }
    Uint8* GetKeyState() override { return keys; }
    void GetMouseState(int* x, int* y) override { *x = mouseX, *y = mouseY; }
    Uint32 GetTicks() override { return ticks; }
    void ShowCursor(int toggle) override { cursor = toggle; }
    void SwapBuffers() override { ++swaps; }
    void Delay(Uint32 ms) override { delays.push_back(ms), ticks += ms; }
    bool ToggleFullScreen() override { return ++fullScreenToggles, fullScreenWorks; }
    bool SetVideoSize(int width, int height, bool fullScreen) override
    {
        if (!videoModeWorks)
            return false;
        videoWidth = width, videoHeight = height, videoFullScreen = fullScreen;
        return true;
    }

    // An event of `type` (a key's, with `key`); the caller may fill in more.
    SDL_Event& Push(Uint8 type, SDLKey key = SDLK_UNKNOWN)
    {
        SDL_Event e;
        std::memset(&e, 0, sizeof e);
        e.type = type;
        e.key.keysym.sym = key;
        events.push_back(e);
        return events.back();
    }
    void Button(Uint8 type, Uint8 button = SDL_BUTTON_LEFT)
    {
        SDL_Event e;
        std::memset(&e, 0, sizeof e);
        e.type = type;
        e.button.button = button;
        // Queued after any motion: it happens where the pump leaves the mouse.
        e.button.x = (Uint16)pumpedX;
        e.button.y = (Uint16)pumpedY;
        events.push_back(e);
    }
    void Click() { Button(SDL_MOUSEBUTTONDOWN), Button(SDL_MOUSEBUTTONUP); }
    void MouseAt(int x, int y) { mouseX = pumpedX = x, mouseY = pumpedY = y; }

    Uint8 keys[SDLK_LAST];
    std::deque<SDL_Event> events;
    int mouseX = 0, mouseY = 0, pumpedX = 0, pumpedY = 0;
    Uint32 ticks = 1000;
    int cursor = -1;
    int swaps = 0;
    std::vector<Uint32> delays;
    int fullScreenToggles = 0;
    int videoWidth = 0, videoHeight = 0;
    bool videoFullScreen = false;
    bool fullScreenWorks = true;
    bool videoModeWorks = true;
};

// A game on device-free components whose input comes from a scripted device
// and whose socket calls are recorded.
class InputFixture : public ::testing::Test {
protected:
    InputFixture() : input(&device), world("/dev/null", SOwnDevices{&input})
    {
        current = this;
        // The free camera of the keys and the mouse unless a test turns the chase on.
        game.m_play.chaseCamera = false;
        // The game sends the input's messages and its own.
        game.m_rollback.SetSender(RecordSend);
        sdl->m_peers.addLag = [] { ++current->lagChanges; };
        sdl->m_peers.removeLag = [] { --current->lagChanges; };
        sdl->m_peers.printConnections = [] { ++current->prints; };
    }
    ~InputFixture() override
    {
        for (SGameObject* o : game.m_objects)
            DestroyObject(o);
    }

    // The ground, then the local tank.
    STankPrototype* AddLocalTank()
    {
        game.m_objects.push_back(NewObject(KIND_GROUND, Vector3f(1, 2, 3)));
        STankPrototype* tank = NewTank(Vector3f(1, 2, 3), 30);
        tank->angles.x = 5;
        tank->state[TS_TURN_RATE] = 0.09f;
        game.m_objects.push_back(tank);
        return tank;
    }
    // One playing frame that took `ms` milliseconds.
    void Frame(Uint32 ms)
    {
        device.ticks += ms;
        sdl->CheckInput();
    }
    int Count(int type) const
    {
        int n = 0;
        for (const SGameMsg& m : game.m_messages)
            n += m.type == type;
        return n;
    }

    static int RecordSend(SGameMsg* m)
    {
        current->sent.push_back(*m);
        current->queuedAtSend.push_back(current->game.m_messages.size());
        return 1;
    }

    static inline InputFixture* current = nullptr;
    CScriptedDevice device;
    CZoSDL input;
    SNoDeviceGame<CFerrowind> world;
    CFerrowind& game = world.game;
    CZoGl& renderer = world.gl;
    CZoSDL* sdl = &input;
    CZoGl* gl = &renderer;
    std::vector<SGameMsg> sent;
    std::vector<size_t> queuedAtSend;
    int lagChanges = 0;
    int prints = 0;
};

#endif
