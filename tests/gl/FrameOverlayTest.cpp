// The heads-up display, the minimap corner and the menu on the window.
#include <SDL/SDL.h>

#include "tests/gl/FrameScene.h"
#include "render/TextLayout.h"

namespace {

// Window pixels of a rectangle in unit coordinates ((0, 0) bottom left).
struct SArea {
    int x0, y0, x1, y1;  // y from the top
};

SArea Area(float ux0, float uy0, float ux1, float uy1)
{
    SArea a = {(int)(ux0 * 1024), (int)((1 - uy1) * 768), (int)(ux1 * 1024), (int)((1 - uy0) * 768)};
    return a;
}

// The inner part of an area, `margin` pixels in from each side.
SArea Inside(SArea a, int margin)
{
    SArea inner = {a.x0 + margin, a.y0 + margin, a.x1 - margin, a.y1 - margin};
    return inner;
}

int Differences(const CFrame& a, const CFrame& b, SArea area)
{
    return a.Differences(b, area.x0, area.y0, area.x1, area.y1);
}

int Pixels(SArea a)
{
    return (a.x1 - a.x0) * (a.y1 - a.y0);
}

class Overlays : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        game.Battlefield(Vector3f(500, 0, 500));
    }
    float* LocalState() { return game.objects[1]->state; }
};

TEST_F(Overlays, StatBarsFillTheirOwnRowByValue)
{
    LocalState()[TS_DRIVE] = 1;
    CFrame full = Draw();
    LocalState()[TS_DRIVE] = 0;
    CFrame empty = Draw();
    LocalState()[TS_DRIVE] = 0.5f;
    CFrame half = Draw();

    SArea leftHalf = Inside(Area(0.0075f, 0.925f, 0.1075f, 0.975f), 4);
    SArea rightHalf = Inside(Area(0.1075f, 0.925f, 0.2075f, 0.975f), 4);
    // Full and empty differ all along the first bar; half full matches full on
    // the left and empty on the right.
    EXPECT_GT(Differences(full, empty, leftHalf), Pixels(leftHalf) / 2);
    EXPECT_GT(Differences(full, empty, rightHalf), Pixels(rightHalf) / 2);
    EXPECT_LT(Differences(half, full, leftHalf), Pixels(leftHalf) / 10);
    EXPECT_LT(Differences(half, empty, rightHalf), Pixels(rightHalf) / 10);
    // The other bars do not move.
    EXPECT_EQ(Differences(full, empty, Area(0.0075f, 0.815f, 0.2075f, 0.92f)), 0);
}

TEST_F(Overlays, OverflowBeyondOneShowsOnTheArmourBar)
{
    LocalState()[TS_ARMOUR] = 1;
    CFrame one = Draw();
    LocalState()[TS_ARMOUR] = 2;
    CFrame two = Draw();
    SArea armour = Inside(Area(0.0075f, 0.87f, 0.2075f, 0.92f), 4);
    EXPECT_GT(Differences(one, two, armour), Pixels(armour) / 2);
    EXPECT_EQ(Differences(one, two, Area(0.0075f, 0.925f, 0.2075f, 0.975f)), 0);
}

TEST_F(Overlays, CounterDigitsSitLeftOfTheirColumn)
{
    SArea loneZero = Area(0.2f, 0.76f, 0.21f, 0.81f);
    SArea tens = Area(0.18f, 0.76f, 0.19f, 0.81f);
    SArea units = Area(0.19f, 0.76f, 0.2f, 0.81f);
    LocalState()[TS_DISPLAY] = 0;
    CFrame zero = Draw();
    LocalState()[TS_DISPLAY] = 10;
    CFrame ten = Draw();
    LocalState()[TS_DISPLAY] = 11.7f;
    CFrame eleven = Draw();

    // 0 is drawn in its own column; 10 draws "1" and "0" one and two steps left.
    EXPECT_GT(Differences(zero, ten, loneZero), 10);
    EXPECT_GT(Differences(zero, ten, tens), 10);
    EXPECT_GT(Differences(zero, ten, units), 10);
    // 11.7 shows 11: same tens glyph as 10, another units glyph.
    EXPECT_EQ(Differences(ten, eleven, tens), 0);
    EXPECT_GT(Differences(ten, eleven, units), 10);
    // Nothing left of the digits changes.
    EXPECT_EQ(Differences(zero, ten, Area(0.05f, 0.76f, 0.17f, 0.81f)), 0);
}

TEST_F(Overlays, TopPanelStaysOverTheScene)
{
    // The panel's title plate stays put whatever the scene does behind it.
    CFrame before = Draw();
    gl->m_lightX = 900;
    Look(Vector3f(300, 90, 800), 30, 200);
    CFrame after = Draw();
    SArea panel = Area(0.4f, 0.98f, 0.6f, 0.995f);
    EXPECT_EQ(Differences(before, after, panel), 0);
    // Below the panel, the scene shows through.
    EXPECT_GT(Differences(before, after, Area(0.3f, 0.3f, 0.7f, 0.6f)), 1000);
}

// Red minimap markers: tanks are drawn in (1, 0.25, 0.1).
int MarkerPixels(const CFrame& frame, SArea area)
{
    int n = 0;
    for (int y = area.y0; y < area.y1; ++y)
        for (int x = area.x0; x < area.x1; ++x) {
            const unsigned char* p = frame.At(x, y);
            if (p[0] > 200 && p[1] > 30 && p[1] < 100 && p[2] < 60)
                ++n;
        }
    return n;
}

TEST_F(Overlays, MinimapCornerShowsTheTankWhileItLives)
{
    SArea corner = Area(0.785f, 0.755f, 0.995f, 0.9975f);
    CFrame alive = Draw();
    EXPECT_GT(MarkerPixels(alive, corner), 10);
    // Not black: the battlefield around the tank is in it.
    EXPECT_GT(alive.MeanBrightness((corner.x0 + corner.x1) / 2, corner.y1 - 20, 15), 20);

    // The map follows the tank: moved by 200 units, the picture changes, but
    // not before the minimap period has passed on the game clock.
    gl->m_minimapPeriod = 100;
    game.objects[1]->pos = Vector3f(300, 0, 700);
    game.now += 99;
    EXPECT_EQ(Differences(alive, Draw(), Inside(corner, 3)), 0);
    game.now += 1;
    CFrame moved = Draw();
    EXPECT_GT(Differences(alive, moved, Inside(corner, 3)), Pixels(corner) / 20);
}

TEST_F(Overlays, MinimapShowsTheBattlefieldBeforeTheFirstSpawn)
{
    SArea corner = Area(0.785f, 0.755f, 0.995f, 0.9975f);
    // As in a fresh game: the tank has never lived and the texture holds nothing.
    gl->m_minimapDrawn = false;
    // Blanked at its own size: the minimap's framebuffer draws into it.
    glBindTexture(GL_TEXTURE_2D, gl->m_minimapTexture);
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    std::vector<unsigned char> black((size_t)width * height * 4, 0);
    for (size_t i = 3; i < black.size(); i += 4)
        black[i] = 255;
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, black.data());
    game.objects[1]->active = 0;
    CFrame unspawned = Draw();
    EXPECT_EQ(MarkerPixels(unspawned, corner), 0);
    EXPECT_GT(unspawned.MeanBrightness((corner.x0 + corner.x1) / 2, corner.y1 - 20, 15), 20);
}

TEST_F(Overlays, MinimapKeepsItsLastPictureWhileTheTankIsDead)
{
    SArea corner = Inside(Area(0.785f, 0.755f, 0.995f, 0.9975f), 3);
    CFrame alive = Draw();
    game.objects[1]->active = 0;
    game.objects[1]->timer = game.now - 5000;
    CFrame dead = Draw();
    EXPECT_EQ(Differences(alive, dead, corner), 0);
}

TEST_F(Overlays, DiagnosticDrawShowsTheCounter)
{
    SArea digits = Area(0.18f, 0.76f, 0.21f, 0.81f);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    LocalState()[TS_DISPLAY] = 0;
    gl->TestDraw();
    CFrame zero = CFrame::Read();
    LocalState()[TS_DISPLAY] = 10;
    gl->TestDraw();
    CFrame ten = CFrame::Read();
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
    EXPECT_GT(Differences(zero, ten, digits), 20);
    EXPECT_EQ(Differences(zero, ten, Area(0.3f, 0.3f, 0.7f, 0.7f)), 0);
}

class Menu : public FrameTest {
protected:
    CFrame MenuWithMouseAt(int x, int y, int state = 0)
    {
        SDL_WarpMouse((Uint16)x, (Uint16)y);
        for (int i = 0; i < 20; ++i) {
            SDL_PumpEvents();
            int mx = -1, my = -1;
            SDL_GetMouseState(&mx, &my);
            if (mx == x && my == y)
                break;
            SDL_Delay(10);
        }
        gl->DrawMenu(state);
        return CFrame::Read();
    }
};

TEST_F(Menu, HighlightFollowsTheMouse)
{
    SArea play = Inside(Area(0.4f, 0.6f, 0.6f, 0.65f), 2);
    SArea quit = Inside(Area(0.4f, 0.5f, 0.6f, 0.55f), 2);
    SArea page = Inside(Area(0.4f, 0.4f, 0.6f, 0.45f), 2);
    CFrame away = MenuWithMouseAt(100, 700);
    CFrame onPlay = MenuWithMouseAt(410, 269);
    CFrame besidePlay = MenuWithMouseAt(409, 269);
    CFrame onQuit = MenuWithMouseAt(600, 384);
    CFrame pressedOnQuit = MenuWithMouseAt(600, 384, 1);

    EXPECT_GT(Differences(away, onPlay, play), 100);
    EXPECT_EQ(Differences(away, onPlay, quit), 0);
    EXPECT_EQ(Differences(away, besidePlay, play), 0);
    EXPECT_GT(Differences(away, onQuit, quit), 100);
    EXPECT_EQ(Differences(away, onQuit, play), 0);
    EXPECT_EQ(Differences(away, onQuit, page), 0);
    EXPECT_GT(Differences(onQuit, pressedOnQuit, quit), 100);
}

TEST_F(Menu, PagesShowTheBackgroundOnly)
{
    CFrame buttons = MenuWithMouseAt(100, 700, 0);
    CFrame page = MenuWithMouseAt(100, 700, 2);
    CFrame negative = MenuWithMouseAt(100, 700, -1);
    SArea play = Inside(Area(0.4f, 0.6f, 0.6f, 0.65f), 2);
    EXPECT_GT(Differences(buttons, page, play), 100);
    EXPECT_EQ(Differences(page, negative, Area(0, 0, 1, 1)), 0);
}

}  // namespace

TEST_F(Overlays, ANoticeShowsUnderThePanelUntilItsTime)
{
    SArea line = Area(0.3f, 0.715f, 0.7f, 0.741f);
    CFrame before = Draw();
    gl->m_notice = NoticeImages("QUALITY LOWERED FOR 30 FPS: SHADOWS OFF");
    gl->m_noticeUntil = game.now + 5000;
    CFrame shown = Draw();
    game.now += 5000;
    CFrame gone = Draw();
    gl->m_notice.clear();
    EXPECT_GT(Differences(before, shown, line), Pixels(line) / 10);
    EXPECT_EQ(Differences(before, gone, line), 0);
}
