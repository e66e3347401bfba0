#include "input/MenuButtons.h"
#include "tests/unit/InputFixture.h"

namespace {

const int PLAY_X = 512, PLAY_Y = 290;
const int PAGE_Y = 440;
const int OUTSIDE_Y = 320;  // inside the column, between play and quit

}  // namespace

using MenuInput = InputFixture;

TEST_F(MenuInput, AClickOnPlayStartsTheGameWithTheCursorHidden)
{
    device.MouseAt(PLAY_X, PLAY_Y);
    device.Button(SDL_MOUSEBUTTONDOWN);
    sdl->CheckMenuInput();
    EXPECT_EQ(game.m_play.menuState, 1);
    device.Button(SDL_MOUSEBUTTONUP);
    sdl->CheckMenuInput();
    EXPECT_EQ(game.m_play.menuState, -1);
    EXPECT_EQ(device.cursor, SDL_DISABLE);
}

// Practice asks the game for computer tanks and starts play; Play does not.
TEST_F(MenuInput, AClickOnPracticeAsksForComputerTanksAndStartsPlay)
{
    device.MouseAt(PLAY_X, PLAY_Y);
    device.Click();
    sdl->CheckMenuInput();
    EXPECT_FALSE(game.m_play.practice);
    game.m_play.menuState = 0;
    device.MouseAt(PLAY_X, 238);
    device.Click();
    sdl->CheckMenuInput();
    EXPECT_TRUE(game.m_play.practice);
    EXPECT_EQ(game.m_play.menuState, -1);
}

TEST_F(MenuInput, AClickOutsideTheButtonsLeavesTheMenuShown)
{
    device.MouseAt(PLAY_X, OUTSIDE_Y);
    device.Click();
    device.Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
    sdl->CheckMenuInput();
    EXPECT_EQ(game.m_play.menuState, 0);
    // A release whose press happened in play does not start the game.
    device.Button(SDL_MOUSEBUTTONUP);
    sdl->CheckMenuInput();
    EXPECT_EQ(game.m_play.menuState, 0);
    EXPECT_TRUE(game.m_running);
}

TEST_F(MenuInput, ThePageCountsClicksButOnlyTheMenuActs)
{
    device.MouseAt(PLAY_X, PAGE_Y);
    device.Click();
    sdl->CheckMenuInput();
    EXPECT_EQ(game.m_play.menuState, 2);

    device.MouseAt(PLAY_X, OUTSIDE_Y);
    device.Button(SDL_MOUSEBUTTONDOWN);
    sdl->CheckMenuInput();
    EXPECT_EQ(game.m_play.menuState, 3);
    device.Button(SDL_MOUSEBUTTONUP);
    sdl->CheckMenuInput();
    EXPECT_EQ(game.m_play.menuState, 2);

    device.MouseAt(PLAY_X, PLAY_Y);
    device.Click();
    sdl->CheckMenuInput();
    EXPECT_EQ(game.m_play.menuState, 3);

    device.Push(SDL_KEYDOWN, SDLK_ESCAPE);
    sdl->CheckMenuInput();
    EXPECT_EQ(game.m_play.menuState, 0);
    EXPECT_TRUE(game.m_running);
}

TEST_F(MenuInput, EscapeQuitsFromTheMenuAndTheHeldButton)
{
    for (int state : {0, 1}) {
        game.m_running = true;
        game.m_play.menuState = state;
        device.Push(SDL_KEYDOWN, SDLK_ESCAPE);
        sdl->CheckMenuInput();
        EXPECT_FALSE(game.m_running) << state;
        EXPECT_EQ(game.m_play.menuState, state);
    }
}

TEST_F(MenuInput, SpaceStartsPlayingFromAnyState)
{
    game.m_play.menuState = 3;
    device.Push(SDL_KEYDOWN, SDLK_SPACE);
    sdl->CheckMenuInput();
    EXPECT_EQ(game.m_play.menuState, -1);
    EXPECT_EQ(device.cursor, SDL_DISABLE);
}

TEST_F(MenuInput, QuitButtonAndWindowCloseStopTheGame)
{
    device.MouseAt(PLAY_X, 384);
    device.Click();
    sdl->CheckMenuInput();
    EXPECT_FALSE(game.m_running);

    game.m_running = true;
    device.Push(SDL_QUIT, SDLK_UNKNOWN);
    sdl->CheckMenuInput();
    EXPECT_FALSE(game.m_running);
}

// A slow frame (seconds under an emulator): the mouse was over quit when the
// frame began, and its move onto play comes queued with the click on play.
TEST_F(MenuInput, AClickIsJudgedWhereItHappenedNotWhereTheMouseWasBefore)
{
    device.MouseAt(PLAY_X, 370);
    device.pumpedY = PLAY_Y;
    device.Click();
    sdl->CheckMenuInput();
    EXPECT_EQ(game.m_play.menuState, -1);
    EXPECT_TRUE(game.m_running);
}

TEST_F(MenuInput, ButtonEdgesFallOnThePixelsTheBoundsInclude)
{
    struct {
        int x, y;
        EMenuButton button;
    } cases[] = {
        {410, 269, MENU_PLAY},  {409, 290, MENU_NONE}, {614, 307, MENU_PLAY}, {615, 290, MENU_NONE},
        {512, 268, MENU_NONE},  {512, 308, MENU_NONE}, {512, 345, MENU_NONE}, {512, 346, MENU_QUIT},
        {512, 384, MENU_QUIT},  {512, 385, MENU_NONE}, {512, 422, MENU_NONE}, {512, 423, MENU_PAGE},
        {512, 460, MENU_PAGE},  {512, 461, MENU_NONE}, {512, 218, MENU_NONE}, {512, 219, MENU_PRACTICE},
        {512, 257, MENU_PRACTICE}, {512, 258, MENU_NONE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MenuButtonAt(c.x, c.y), c.button) << c.x << "," << c.y;
}

// In a larger window the menu's areas grow with it: a click is judged where
// it falls on the picture.
TEST_F(MenuInput, ClicksAreJudgedOnTheMenuScaledToTheWindow)
{
    ASSERT_TRUE(sdl->SetWindowSize(2048, 1536));
    EXPECT_EQ(device.videoWidth, 2048);
    device.MouseAt(PLAY_X, PLAY_Y);  // over PLAY at 1024 x 768, above it now
    device.Click();
    sdl->CheckMenuInput();
    EXPECT_EQ(game.m_play.menuState, 0);
    device.MouseAt(2 * PLAY_X, 2 * PLAY_Y);
    device.Click();
    sdl->CheckMenuInput();
    EXPECT_EQ(game.m_play.menuState, -1);
}
