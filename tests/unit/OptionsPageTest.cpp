#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "game/OptionsPage.h"
#include "tests/unit/InputFixture.h"

namespace {

struct SPageRun {
    SSettings start;
    std::vector<SSettings> closed;
    COptionsPage page{[this] { return start; }, [this](const SSettings& s) { closed.push_back(s); }};
    void Keys(std::initializer_list<SDLKey> keys)
    {
        for (SDLKey k : keys)
            page.Key(k);
    }
};

// The window pixel row through the middle of a row's text, from its images:
// the title's seven letters come first, then each row's, after its marker.
int RowY(const COptionsPage& page, int row)
{
    int glyph = 7;
    for (int r = 0; r < row; ++r)
        for (char c : page.RowText(r))
            glyph += c != ' ';
    const SImageRect first = page.Images()[glyph];
    return (int)((1 - (first.y1 + first.y2) / 2) * SCREEN_HEIGHT);
}

}  // namespace

TEST(OptionsPage, KeysChangeTheRowsAndEscapeHandsTheSettingsOn)
{
    struct {
        const char* what;
        std::vector<SDLKey> keys;
        std::function<bool(const SSettings&)> holds;
    } cases[] = {
        {"shadows off by hand: the guard goes off", {SDLK_DOWN, SDLK_DOWN, SDLK_RIGHT},
         [](const SSettings& s) { return !s.quality.shadows && s.quality.glow && !s.guard; }},
        {"High on to Low", {SDLK_RIGHT},
         [](const SSettings& s) { return s.quality == PresetQuality(PRESET_LOW); }},
        {"High back to Medium", {SDLK_LEFT}, [](const SSettings& s) { return s.quality == PresetQuality(PRESET_MEDIUM); }},
        {"render scale round the end", {SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_RETURN},
         [](const SSettings& s) { return s.quality.renderScale == 50; }},
        {"the guard back on after a change", {SDLK_RIGHT, SDLK_UP, SDLK_UP, SDLK_UP, SDLK_UP, SDLK_UP, SDLK_UP,
                                              SDLK_UP, SDLK_UP, SDLK_SPACE},
         [](const SSettings& s) { return s.guard && s.quality == PresetQuality(PRESET_LOW); }},
        {"a key row takes the next key", {SDLK_UP, SDLK_UP, SDLK_UP, SDLK_RETURN, SDLK_LCTRL},
         [](const SSettings& s) { return s.keys.fire == SDLK_LCTRL && s.keys.camera == SDLK_c; }},
        {"Escape while it waits keeps the key", {SDLK_UP, SDLK_UP, SDLK_RETURN, SDLK_ESCAPE},
         [](const SSettings& s) { return s.keys.camera == SDLK_c; }},
    };
    for (const auto& c : cases) {
        SPageRun run;
        run.page.Open();
        for (SDLKey k : c.keys)
            run.page.Key(k);
        EXPECT_TRUE(run.page.IsOpen()) << c.what;
        run.page.Key(SDLK_ESCAPE);
        EXPECT_FALSE(run.page.IsOpen()) << c.what;
        ASSERT_EQ(run.closed.size(), 1u) << c.what;
        EXPECT_TRUE(c.holds(run.closed[0])) << c.what;
    }
}

TEST(OptionsPage, ClicksChangeTheRowUnderTheMouseAndTheLastRowCloses)
{
    SPageRun run;
    run.start.quality = PresetQuality(PRESET_LOW);
    run.page.Open();
    EXPECT_EQ(run.page.RowText(0).substr(0, 8), "> PRESET");
    run.page.Click(512, RowY(run.page, 3));  // glow
    EXPECT_EQ(run.page.Selected(), 3);
    EXPECT_TRUE(run.page.Settings().quality.glow);
    run.page.Click(20, RowY(run.page, 3));  // beside the rows: nothing
    EXPECT_TRUE(run.page.Settings().quality.glow);
    run.page.Click(512, RowY(run.page, run.page.RowCount() - 1));
    EXPECT_FALSE(run.page.IsOpen());
    ASSERT_EQ(run.closed.size(), 1u);
    EXPECT_TRUE(run.closed[0].quality.glow);
}

using OptionsInMenu = InputFixture;

TEST_F(OptionsInMenu, OOpensThePageWhichTakesTheKeysUntilEscape)
{
    SPageRun run;
    sdl->SetOptionsPage(&run.page);
    device.Push(SDL_KEYDOWN, SDLK_o);
    device.Push(SDL_KEYDOWN, SDLK_SPACE);  // changes the preset, does not start playing
    device.Push(SDL_KEYDOWN, SDLK_ESCAPE);  // closes the page, does not quit
    sdl->CheckMenuInput();
    EXPECT_EQ(game.m_play.menuState, 0);
    EXPECT_TRUE(game.m_running);
    ASSERT_EQ(run.closed.size(), 1u);
    EXPECT_TRUE(run.closed[0].quality == PresetQuality(PRESET_LOW));

    // The line on the menu opens it to the mouse as well.
    std::vector<SImageRect> opener = COptionsPage::OpenerImages();
    device.MouseAt((int)(opener[0].x2 * SCREEN_WIDTH), (int)((1 - opener[0].y2 + 0.01f) * SCREEN_HEIGHT));
    device.Click();
    sdl->CheckMenuInput();
    EXPECT_TRUE(run.page.IsOpen());
    EXPECT_EQ(game.m_play.menuState, 0);
}
