#include "tests/unit/InputFixture.h"
#include "tests/unit/TestGame.h"

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
    FrameLoop()
        : input(&device), renderer(gamePointer),
          game(SGameComponents{&input, &renderer, &threads, &audio}, "/dev/null")
    {
        gamePointer = &game;
        game.m_menuState = -1;
        SGameObject base;
        base.kind = KIND_TANK;
        base.pos = Vector3f(100, 0, 50);
        base.angles = Vector3f(0, 90, 0);
        game.m_objects.push_back(new SGameObject(base));
        tank = new STankPrototype(base);
        tank->active = 1;
        game.m_objects.push_back(tank);
    }
    ~FrameLoop() override
    {
        for (SGameObject* o : game.m_objects)
            DestroyObject(o);
        if (output)
            std::fclose(output), output = 0;
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
    CZoSDLTreader threads;
    CZoSound audio{SNoDevice()};
    CTestGame game;
    STankPrototype* tank;
};

}  // namespace

TEST_F(FrameLoop, ChaseCameraSitsAboveAndBehindTheLivingTank)
{
    game.m_chaseCamera = true;
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
    game.m_chaseCamera = false;
    Vector3f before = renderer.m_position;
    OneFrame();
    EXPECT_EQ(renderer.cameraAtDraw.x, before.x);
    EXPECT_EQ(renderer.cameraAtDraw.y, before.y);
    EXPECT_EQ(renderer.cameraAtDraw.z, before.z);
}

TEST_F(FrameLoop, DisplayShowsTheFrameRateOrIsClearedOnceAndLeftToTheFrags)
{
    EXPECT_TRUE(game.m_chaseCamera) << "the chase camera is on from the start";
    EXPECT_EQ(game.m_showFramerate, 0);
    OneFrame();
    EXPECT_FLOAT_EQ(tank->state[TS_DISPLAY], 125);

    game.m_showFramerate = -1;
    OneFrame();
    EXPECT_EQ(tank->state[TS_DISPLAY], 0);
    EXPECT_EQ(game.m_showFramerate, 1);

    tank->state[TS_DISPLAY] = 3;
    OneFrame();
    EXPECT_EQ(tank->state[TS_DISPLAY], 3);
    game.m_showFramerate = 7;
    OneFrame();
    EXPECT_EQ(tank->state[TS_DISPLAY], 3);
}
