#include "tests/unit/InputFixture.h"

#include <functional>

namespace {

// A renderer that draws nothing; each frame it notes the camera and moves the
// game clock on, and it ends the game after one frame.
class CFrameRecorder : public CZoGl {
public:
    explicit CFrameRecorder(CTestGame*& game) : CZoGl(SNoDevice()), m_testGame(game) {}
    void Draw() override
    {
        cameraAtDraw = m_position;
        m_testGame->now += 8;
        m_testGame->ShutDown();
    }
    void DrawMenu(int) override {}
    CTestGame*& m_testGame;
    Vector3f cameraAtDraw;
};

class FrameLoop : public ::testing::Test {
protected:
    FrameLoop() : input(&device), renderer(gamePointer), world("/dev/null", SOwnDevices{&input, &renderer})
    {
        gamePointer = &game;
        game.m_play.menuState = -1;
        game.m_objects.push_back(NewObject(KIND_GROUND));
        tank = NewTank(Vector3f(100, 0, 50), 90);
        game.m_objects.push_back(tank);
    }
    ~FrameLoop() override
    {
        for (SGameObject* o : game.m_objects)
            DestroyObject(o);
    }
    void OneFrame()
    {
        game.m_running = true;
        game.Run();
    }

    CScriptedDevice device;
    CZoSDL input;
    CTestGame* gamePointer = nullptr;
    CFrameRecorder renderer;
    SNoDeviceGame<> world;
    CTestGame& game = world.game;
    STankPrototype* tank;
};

}  // namespace

TEST_F(FrameLoop, ChaseCameraSitsAboveAndBehindTheLivingTank)
{
    game.m_play.chaseCamera = true;
    OneFrame();
    // Heading 90 faces -x: the camera is 40 units towards +x and 60 up.
    EXPECT_NEAR(renderer.cameraAtDraw.x, 140, 0.01);
    EXPECT_NEAR(renderer.cameraAtDraw.y, 60, 0.01);
    EXPECT_NEAR(renderer.cameraAtDraw.z, 50, 0.05);
    EXPECT_FLOAT_EQ(renderer.m_yaw, 4.71f);
    EXPECT_FLOAT_EQ(renderer.m_pitch, 0);

    tank->active = 0;
    tank->pos = Vector3f(0, 0, 0);
    OneFrame();
    EXPECT_NEAR(renderer.cameraAtDraw.x, 140, 0.01);
}

TEST_F(FrameLoop, FreeCameraIsLeftToTheKeys)
{
    game.m_play.chaseCamera = false;
    Vector3f before = renderer.m_position;
    OneFrame();
    EXPECT_EQ(renderer.cameraAtDraw.x, before.x);
    EXPECT_EQ(renderer.cameraAtDraw.y, before.y);
    EXPECT_EQ(renderer.cameraAtDraw.z, before.z);
}

TEST_F(FrameLoop, DisplayShowsTheFrameRateOrIsClearedOnceAndLeftToTheFrags)
{
    EXPECT_TRUE(game.m_play.chaseCamera);
    EXPECT_EQ(game.m_play.showFramerate, 0);
    OneFrame();
    EXPECT_FLOAT_EQ(tank->state[TS_DISPLAY], 125);

    game.m_play.showFramerate = -1;
    OneFrame();
    EXPECT_EQ(tank->state[TS_DISPLAY], 0);
    EXPECT_EQ(game.m_play.showFramerate, 1);

    tank->state[TS_DISPLAY] = 3;
    OneFrame();
    EXPECT_EQ(tank->state[TS_DISPLAY], 3);
    game.m_play.showFramerate = 7;
    OneFrame();
    EXPECT_EQ(tank->state[TS_DISPLAY], 3);
}

// The whole loop, menu included, on a scripted device and a renderer that
// only counts what it is asked to draw.

namespace {

// Each drawn frame takes FRAME_MS of the scripted clock; the first menu page
// drawn gets an Escape, which quits from the menu.
class CCountingGl : public CZoGl {
public:
    enum { FRAME_MS = 20 };
    explicit CCountingGl(CScriptedDevice& device) : CZoGl(SNoDevice()), m_device(device) {}
    void Draw() override
    {
        ++draws;
        m_device.ticks += FRAME_MS;
        if (draws == escapeAfterDraw)
            m_device.Push(SDL_KEYDOWN, SDLK_ESCAPE);
    }
    void DrawMenu(int) override
    {
        ++menus;
        if (escapeFromMenu)
            m_device.Push(SDL_KEYDOWN, SDLK_ESCAPE);
    }
    int draws = 0;
    int menus = 0;
    bool escapeFromMenu = true;
    int escapeAfterDraw = 1;

private:
    CScriptedDevice& m_device;
};

class PlayingLoop : public InputFixture {
protected:
    PlayingLoop() : counting(device)
    {
        game.m_gl = &counting;
        game.m_play.menuState = -1;
        tank = AddLocalTank();
        tank->state[TS_THROTTLE] = 0.5f;
        tank->state[TS_SPEED] = 1;
    }
    CCountingGl counting;
    STankPrototype* tank;
};

}  // namespace

TEST_F(PlayingLoop, PlayingFramesSendMovesQueueBothMessagesAndRecordTheFrameRate)
{
    game.Run();

    // One playing frame (Escape opens the menu), one menu frame (Escape quits).
    EXPECT_EQ(counting.draws, 2);
    EXPECT_EQ(counting.menus, 1);
    EXPECT_EQ(device.swaps, 3);
    // Each playing frame sends the move (message [0]) and keeps the throttle
    // decay (message [1]) to itself; both enter the queue. The first also
    // sends where the tank stands once its move is in, as one does every
    // few seconds after.
    std::vector<int> types;
    for (const SGameMsg& m : sent) {
        types.push_back(m.type);
        EXPECT_EQ(m.object, LOCAL_TANK);
    }
    EXPECT_EQ(types, (std::vector<int>{GMSG_MOVE_TO_LOC, GMSG_TANK_POSE, GMSG_MOVE_TO_LOC}));
    const SGameMsg& pose = sent[1];
    EXPECT_EQ(pose.data[PV_POS], sent[0].data[0]);
    EXPECT_EQ(pose.data[PV_POS + 2], sent[0].data[2]);
    EXPECT_EQ(Count(GMSG_MOVE_TO_LOC), 2);
    EXPECT_EQ(Count(GMSG_ACCELERATE), 2);
    // A frame of 20 ms: 50 frames a second. The pose, dated with the moves
    // already applied, warped back: the tank is a copy from the snapshot now.
    EXPECT_FLOAT_EQ(game.m_objects[LOCAL_TANK]->state[TS_DISPLAY], 50.0f);
}

TEST_F(PlayingLoop, ShutDownInTheMenuEndsTheLoopAfterThatFrame)
{
    game.m_play.menuState = 0;
    game.Run();
    EXPECT_EQ(counting.menus, 1);
    EXPECT_EQ(counting.draws, 0);
    EXPECT_EQ(device.swaps, 1);
    EXPECT_TRUE(sent.empty());
}

TEST_F(PlayingLoop, AStillMenuIsDrawnOnceAndAgainOnlyWhenSomethingChanges)
{
    counting.escapeFromMenu = false;
    game.m_play.menuState = 0;
    struct {
        const char* what;
        std::function<void()> change;
        int menus;
    } steps[] = {
        {"nothing", [] {}, 1},
        {"still", [] {}, 1},
        {"mouse over a button", [&] { device.Push(SDL_MOUSEMOTION); }, 2},
        {"still again", [] {}, 2},
        {"a key", [&] { device.Push(SDL_KEYDOWN, SDLK_x); }, 3},
        {"the window uncovered", [&] { device.Push(SDL_VIDEOEXPOSE); }, 4},
        {"back from a frame of play", [&] {
             game.m_play.menuState = -1;
             sdl->CheckInput();
             game.m_play.menuState = 0;
         }, 5},
    };
    for (const auto& step : steps) {
        step.change();
        // The event is seen at the end of one frame and drawn in the next.
        game.MenuFrame();
        game.MenuFrame();
        EXPECT_EQ(counting.menus, step.menus) << step.what;
        EXPECT_EQ(device.swaps, step.menus) << step.what;
    }
    // Every frame is padded, drawn or not: the loop never spins.
    EXPECT_EQ(device.delays.size(), 2 * (sizeof steps / sizeof steps[0]));
}
