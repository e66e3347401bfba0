// The game thread's frame loop, on a scripted device and a renderer that only
// counts what it is asked to draw.
#include "InputFixture.h"

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
        m_device.Push(SDL_KEYDOWN, SDLK_ESCAPE);
    }
    int draws = 0;
    int menus = 0;
    int escapeAfterDraw = 1;

private:
    CScriptedDevice& m_device;
};

class FrameLoop : public InputFixture {
protected:
    FrameLoop() : counting(device)
    {
        game.m_gl = &counting;
        game.m_menuState = -1;
        tank = AddLocalTank();
        tank->state[TS_THROTTLE] = 0.5f;
        tank->state[TS_SPEED] = 1;
    }
    CCountingGl counting;
    STankPrototype* tank;
};

}  // namespace

TEST_F(FrameLoop, PlayingFramesSendMovesQueueBothMessagesAndRecordTheFrameRate)
{
    game.Run();

    // One playing frame (Escape opens the menu), one menu frame (Escape quits).
    EXPECT_EQ(counting.draws, 2);
    EXPECT_EQ(counting.menus, 1);
    EXPECT_EQ(device.swaps, 3);
    // Each playing frame sends the move (message [0]) and keeps the throttle
    // decay (message [1]) to itself; both enter the queue.
    ASSERT_EQ(sent.size(), 2u);
    for (const SGameMsg& m : sent) {
        EXPECT_EQ(m.type, GMSG_MOVE_TO_LOC);
        EXPECT_EQ(m.object, CFerrowind::LOCAL_TANK);
    }
    EXPECT_EQ(Count(GMSG_MOVE_TO_LOC), 2);
    EXPECT_EQ(Count(GMSG_ACCELERATE), 2);
    // A frame of 20 ms: 50 frames a second.
    EXPECT_FLOAT_EQ(tank->state[TS_DISPLAY], 50.0f);
}

TEST_F(FrameLoop, ShutDownInTheMenuEndsTheLoopAfterThatFrame)
{
    game.m_menuState = 0;
    game.Run();
    EXPECT_EQ(counting.menus, 1);
    EXPECT_EQ(counting.draws, 0);
    EXPECT_EQ(device.swaps, 1);
    EXPECT_TRUE(sent.empty());
}
