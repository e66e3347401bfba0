#include <cmath>

#include "tests/unit/InputFixture.h"

namespace {

float Distance(Vector3f a, Vector3f b)
{
    Vector3f d = a - b;
    return std::sqrt(d.Dot(d));
}

}  // namespace

using GameInput = InputFixture;

TEST_F(GameInput, ThrottleKeysPostOneScaledMessagePerFrameStampedWithTheGameClock)
{
    sdl->SetTimeOffset(500);
    device.keys[SDLK_i] = 1;
    Frame(20);
    device.keys[SDLK_i] = 0, device.keys[SDLK_k] = 1;
    Frame(40);
    Frame(0);
    ASSERT_EQ(game.m_messages.size(), 3u);
    const SGameMsg& up = game.m_messages[0];
    EXPECT_EQ(up.type, GMSG_ACCELERATE);
    EXPECT_EQ(up.object, 1);
    EXPECT_EQ(up.count, 1);
    EXPECT_FLOAT_EQ(up.data[0], 0.22f);
    EXPECT_EQ(up.time, 1520u);
    EXPECT_FLOAT_EQ(game.m_messages[1].data[0], -0.44f);
    EXPECT_EQ(game.m_messages[2].data[0], 0.0f);
    EXPECT_TRUE(sent.empty());
}

TEST_F(GameInput, TurnsAreSentToPeersBeforeTheyAreQueued)
{
    AddLocalTank();
    device.keys[SDLK_j] = 1;
    Frame(50);
    device.keys[SDLK_j] = 0, device.keys[SDLK_l] = 1;
    Frame(50);
    Frame(0);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(queuedAtSend, (std::vector<size_t>{0, 1, 2}));
    const float expected[3] = {34.5f, 25.5f, 30};
    for (int i = 0; i < 3; ++i) {
        const SGameMsg& m = game.m_messages[i];
        EXPECT_EQ(m.type, GMSG_CHANGE_ANGLES);
        EXPECT_EQ(m.count, 2);
        EXPECT_EQ(m.object, 1);
        EXPECT_FLOAT_EQ(m.data[0], 5);
        EXPECT_FLOAT_EQ(m.data[1], expected[i]);
        EXPECT_EQ(sent[i].data.get(), m.data.get());
    }
}

// Turn and shoot keys post nothing until there is a local tank.
TEST_F(GameInput, HeldShootPostsTheTankPoseEveryFrameOnceThereIsATank)
{
    device.keys[SDLK_j] = device.keys[SDLK_l] = device.keys[SDLK_SPACE] = 1;
    Frame(10);
    EXPECT_TRUE(game.m_messages.empty());
    EXPECT_TRUE(sent.empty());

    AddLocalTank();
    device.keys[SDLK_j] = device.keys[SDLK_l] = 0;
    Frame(10);
    Frame(10);
    ASSERT_EQ(Count(GMSG_SHOOT), 2);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(queuedAtSend[0], 0u);
    const SGameMsg& shot = game.m_messages[0];
    EXPECT_EQ(shot.count, 6);
    const float pose[6] = {1, 2, 3, 5, 30, 0};
    for (int i = 0; i < 6; ++i)
        EXPECT_FLOAT_EQ(shot.data[i], pose[i]);
}

TEST_F(GameInput, TimingProbeIsSentThenQueuedAndPrintsTheTableOnceASecond)
{
    device.keys[SDLK_z] = 1;
    Frame(4009);  // game time 5009
    ASSERT_EQ(game.m_messages.size(), 1u);
    EXPECT_EQ(game.m_messages[0].type, GMSG_TIMING_PROBE);
    EXPECT_EQ(game.m_messages[0].count, 0);
    EXPECT_EQ(game.m_messages[0].object, 1);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(queuedAtSend[0], 0u) << "sent first, as every message of this copy's own";
    EXPECT_EQ(prints, 1);
    Frame(1);  // 5010
    EXPECT_EQ(prints, 1);
    EXPECT_EQ(Count(GMSG_TIMING_PROBE), 2);
}

TEST_F(GameInput, OneShotKeysActOncePerPress)
{
    device.Push(SDL_KEYDOWN, SDLK_r);
    device.keys[SDLK_r] = 1;
    Frame(10);
    Frame(10);
    device.Push(SDL_KEYDOWN, SDLK_p);
    device.Push(SDL_KEYDOWN, SDLK_q);
    device.Push(SDL_KEYDOWN, SDLK_q);
    device.Push(SDL_KEYDOWN, SDLK_e);
    device.Push(SDL_KEYUP, SDLK_r);
    Frame(10);
    EXPECT_EQ(Count(GMSG_DEATH), 1);
    EXPECT_EQ(game.m_messages[0].object, 1);
    EXPECT_EQ(Count(GMSG_TOGGLE_MUSIC), 1);
    EXPECT_EQ(game.m_messages[1].count, 0);
    EXPECT_FALSE(game.m_messages[1].data);
    EXPECT_EQ(lagChanges, 1);
    // Only the self-destruct goes to the peers.
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].type, GMSG_DEATH);

    device.Push(SDL_KEYDOWN, SDLK_m);
    Frame(10);
    EXPECT_EQ(gl->m_shadowMode, 0);
    device.Push(SDL_KEYDOWN, SDLK_m);
    Frame(10);
    EXPECT_EQ(gl->m_shadowMode, 1);
}

TEST_F(GameInput, EscapeOpensTheMenuAndQuitShutsDown)
{
    game.m_play.menuState = -1;
    device.Push(SDL_KEYDOWN, SDLK_ESCAPE);
    Frame(10);
    EXPECT_EQ(game.m_play.menuState, 0);
    EXPECT_EQ(device.cursor, SDL_ENABLE);
    EXPECT_TRUE(game.m_running);
    device.Push(SDL_QUIT, SDLK_UNKNOWN);
    Frame(10);
    EXPECT_FALSE(game.m_running);
}

TEST_F(GameInput, CameraFlightSpeeds)
{
    struct {
        SDLKey key;
        bool left, right;
        float distance;
    } cases[] = {
        {SDLK_UP, false, false, 1},         {SDLK_UP, false, true, 30},
        {SDLK_UP, true, true, 1.0f / 30},   {SDLK_DOWN, false, true, -30},
        {SDLK_LEFT, false, false, -1},      {SDLK_LEFT, false, true, -1},
        {SDLK_RIGHT, true, false, std::sqrt(1.0f / 30)},
    };
    for (const auto& c : cases) {
        device.keys[c.key] = 1;
        device.keys[SDLK_LSHIFT] = c.left, device.keys[SDLK_RSHIFT] = c.right;
        Vector3f before = gl->m_position;
        Frame(10);
        device.keys[c.key] = 0;
        Vector3f moved = gl->m_position - before;
        // The view looks down -z: flight moves along z, strafing along x.
        // A sideways step is the squared length of the move: sqrt(1/30), not 1/30.
        bool strafe = c.key == SDLK_LEFT || c.key == SDLK_RIGHT;
        EXPECT_NEAR(strafe ? moved.x : -moved.z, c.distance, 1e-5) << c.key << c.left << c.right;
    }
}

TEST_F(GameInput, MouseLookGrowsWithTheFrameTime)
{
    SDL_Event& motion = device.Push(SDL_MOUSEMOTION);
    motion.motion.xrel = 4, motion.motion.yrel = -2;
    Frame(10);
    EXPECT_FLOAT_EQ(gl->m_pitch, 1.5f);
    EXPECT_FLOAT_EQ(gl->m_yaw, 177);
}

TEST_F(GameInput, LightKeysMoveTheLightByTheFrameTime)
{
    device.keys[SDLK_a] = device.keys[SDLK_s] = 1;
    Frame(25);
    EXPECT_FLOAT_EQ(gl->m_lightX, 35);
    EXPECT_FLOAT_EQ(gl->m_lightZ, -15);
    device.keys[SDLK_d] = device.keys[SDLK_w] = 1;
    Frame(25);
    EXPECT_FLOAT_EQ(gl->m_lightX, 35);
    EXPECT_FLOAT_EQ(gl->m_lightZ, -15);
}

TEST_F(GameInput, TimeSpentInTheMenuCountsAsOneFrame)
{
    Frame(0);
    device.ticks += 4000;
    sdl->CheckMenuInput();
    device.keys[SDLK_i] = 1;
    sdl->CheckInput();
    ASSERT_EQ(game.m_messages.size(), 1u);
    EXPECT_FLOAT_EQ(game.m_messages[0].data[0], 44);
}

TEST_F(GameInput, EndOfFrameSwapsAndPadsShortFrames)
{
    device.ticks += 3;
    sdl->EndCyrcle();
    device.ticks += 25;
    sdl->EndCyrcle();
    EXPECT_EQ(device.swaps, 2);
    EXPECT_EQ(device.delays, (std::vector<Uint32>{13}));
}

TEST_F(GameInput, GameClockKeepsTheLowBitsOfTheOffsetAndWraps)
{
    EXPECT_EQ(sdl->GetTime(), 1000u);
    sdl->SetTimeOffset(0x100000000ul + 5);
    EXPECT_EQ(sdl->GetTime(), 1005u);
    device.ticks = 0xFFFFFFFFu;
    EXPECT_EQ(sdl->GetTime(), 4u);
}

TEST_F(GameInput, ChaseCameraHoldsTheCameraUntilCHandsItToTheKeysAndMouse)
{
    game.m_play.chaseCamera = true;
    gl->SetAngles(0, 4.71f);  // as the chase camera leaves it behind a tank heading 90
    const Vector3f view = gl->m_direction, place = gl->m_position;
    device.Push(SDL_MOUSEMOTION).motion.xrel = 4;
    device.keys[SDLK_UP] = device.keys[SDLK_LEFT] = 1;
    Frame(10);
    EXPECT_EQ(Distance(gl->m_position, place), 0);
    EXPECT_EQ(Distance(gl->m_direction, view), 0);

    device.Push(SDL_KEYDOWN, SDLK_c);
    device.keys[SDLK_LEFT] = 0;
    Frame(10);
    EXPECT_FALSE(game.m_play.chaseCamera);
    // Free: it flies along the view the chase camera left, and the mouse
    // turns it a little from there, not from the angles of the chase.
    EXPECT_NEAR(gl->m_position.x, place.x - 1, 1e-3);
    EXPECT_NEAR(Distance(gl->m_direction, view), 0, 1e-3);
    device.Push(SDL_MOUSEMOTION).motion.xrel = 4;
    Frame(10);
    EXPECT_GT(gl->m_direction.Dot(view), 0.99f);
    EXPECT_GT(Distance(gl->m_direction, view), 0.01f);

    device.Push(SDL_KEYDOWN, SDLK_c);
    Frame(10);
    EXPECT_TRUE(game.m_play.chaseCamera);
}

TEST_F(GameInput, FSwitchesTheCounterBetweenFrameRateAndFrags)
{
    EXPECT_EQ(game.m_play.showFramerate, FRAMERATE_SHOWN);
    device.Push(SDL_KEYDOWN, SDLK_f);
    Frame(10);
    EXPECT_EQ(game.m_play.showFramerate, FRAMERATE_CLEAR);
    game.m_play.showFramerate = FRAMERATE_HIDDEN;  // the frame loop cleared the counter
    device.Push(SDL_KEYDOWN, SDLK_f);
    Frame(10);
    EXPECT_EQ(game.m_play.showFramerate, FRAMERATE_SHOWN);
}

// A key pressed and released between two frames is not held when the frame
// looks, yet acts once; one held through two frames acts in each, and one
// released in the next frame does not act again there.
TEST_F(GameInput, TapsWithinAFrameActOnceLikeAKeyHeldForThatFrame)
{
    struct {
        SDLKey key;
        int type;  // the message a frame of the key posts
    } cases[] = {
        {SDLK_SPACE, GMSG_SHOOT},  // fire, and respawn while dead
        {SDLK_i, GMSG_ACCELERATE},
        {SDLK_j, GMSG_CHANGE_ANGLES},
        {SDLK_z, GMSG_TIMING_PROBE},
        {SDLK_r, GMSG_DEATH},
    };
    AddLocalTank();
    for (const auto& c : cases) {
        game.m_queue.Clear();
        device.Push(SDL_KEYDOWN, c.key);
        device.Push(SDL_KEYUP, c.key);
        Frame(30);
        Frame(30);
        EXPECT_EQ(Count(c.type), 1) << "tap of " << c.key;

        game.m_queue.Clear();
        device.Push(SDL_KEYDOWN, c.key);
        device.keys[c.key] = 1;
        Frame(30);
        Frame(30);
        device.Push(SDL_KEYUP, c.key);
        device.keys[c.key] = 0;
        Frame(30);
        EXPECT_EQ(Count(c.type), c.type == GMSG_DEATH ? 1 : 2) << "hold of " << c.key;
    }

    device.Push(SDL_KEYDOWN, SDLK_c);
    device.Push(SDL_KEYUP, SDLK_c);
    Frame(30);
    EXPECT_TRUE(game.m_play.chaseCamera);
}

TEST_F(GameInput, AltEnterSwitchesFullScreenInPlayAndInTheMenu)
{
    auto altEnter = [this](SDLMod mod) { device.Push(SDL_KEYDOWN, SDLK_RETURN).key.keysym.mod = mod; };
    game.m_settingsPath = testing::TempDir() + "alt_enter_settings";
    altEnter(KMOD_LALT);
    Frame(10);
    EXPECT_TRUE(sdl->FullScreen());
    game.KeepWindowModeInSettings();  // and the next run starts full screen
    EXPECT_TRUE(LoadSettings(game.m_settingsPath).fullscreen);
    altEnter(KMOD_NONE);  // Enter alone does nothing
    Frame(10);
    altEnter(KMOD_RALT);
    sdl->CheckMenuInput();
    EXPECT_FALSE(sdl->FullScreen());
    EXPECT_EQ(device.fullScreenToggles, 2);
    // Where the window cannot be switched as it is, the mode is set again at
    // the same size, and the renderer hears of the change.
    device.fullScreenWorks = false;
    unsigned int changes = sdl->WindowChanges();
    sdl->SetFullScreen(true);
    EXPECT_TRUE(sdl->FullScreen());
    EXPECT_TRUE(device.videoFullScreen);
    EXPECT_EQ(device.videoWidth, SCREEN_WIDTH);
    EXPECT_EQ(sdl->WindowChanges(), changes + 1);
    // Where neither works, it stays as it is.
    device.videoModeWorks = false;
    sdl->SetFullScreen(false);
    EXPECT_TRUE(sdl->FullScreen());
    EXPECT_EQ(sdl->WindowChanges(), changes + 1);
    EXPECT_EQ(game.m_play.menuState, 0);
}

// The renderer's targets follow the window, whichever way its size or mode
// changed: the settings, or Alt+Enter where the mode must be set again.
TEST_F(GameInput, TheRendererFollowsTheWindow)
{
    SSettings settings = game.m_settings;
    settings.windowWidth = 1280;
    settings.windowHeight = 1024;
    while (sdl->TakeMenuRedraw()) {
    }
    game.UseSettings(settings);
    EXPECT_EQ(gl->m_windowWidth, 1280);
    EXPECT_EQ(gl->m_windowHeight, 1024);
    // The still menu is drawn twice on the new window: the first picture may
    // go to buffers of the old size.
    EXPECT_TRUE(sdl->TakeMenuRedraw());
    EXPECT_TRUE(sdl->TakeMenuRedraw());
    EXPECT_FALSE(sdl->TakeMenuRedraw());
    device.fullScreenWorks = false;
    device.Push(SDL_KEYDOWN, SDLK_RETURN).key.keysym.mod = KMOD_LALT;
    Frame(10);
    EXPECT_EQ(device.videoWidth, 1280);
    EXPECT_TRUE(device.videoFullScreen);
    // A size SDL refuses leaves window and renderer as they were.
    device.videoModeWorks = false;
    settings.windowWidth = 800;
    settings.windowHeight = 600;
    game.UseSettings(settings);
    EXPECT_EQ(gl->m_windowWidth, 1280);
}
