#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/HudLayout.h"
#include "render/TextLayout.h"
#include "model/Numbers.h"

namespace {

struct SRect {
    float x1, y1, x2, y2;
    int image;
};

void ExpectRect(const SImageRect& r, const SRect& e)
{
    EXPECT_NEAR(r.x1, e.x1, 1e-6) << "x1";
    EXPECT_NEAR(r.y1, e.y1, 1e-6) << "y1";
    EXPECT_NEAR(r.x2, e.x2, 1e-6) << "x2";
    EXPECT_NEAR(r.y2, e.y2, 1e-6) << "y2";
    EXPECT_EQ(r.image, e.image);
}

// Digit shown by a counter glyph, from its texture coordinates.
int Glyph(const SImageRect& r)
{
    return (int)(r.s1 / kGlyphWidth + 0.5f);
}

}  // namespace

// Digits come last first, one column (0.01) further left each; a lone 0 has a
// column of its own at the right edge; fractions are truncated and a minus
// sign is not shown.
TEST(Counter, DigitsRightToLeftInTheirColumns)
{
    struct {
        float value;
        std::string digits;  // last digit first
    } cases[] = {{0, "0"}, {0.99f, "0"}, {10, "01"}, {59.9f, "95"}, {-42, "24"}, {1234567, "7654321"}};
    for (const auto& c : cases) {
        std::vector<SImageRect> glyphs = CounterImages(c.value);
        ASSERT_EQ(glyphs.size(), c.digits.size()) << c.value;
        float right = c.digits == "0" ? 0.21f : 0.2f;
        for (size_t k = 0; k < glyphs.size(); ++k) {
            EXPECT_EQ(Glyph(glyphs[k]), c.digits[k] - '0') << c.value << " glyph " << k;
            ExpectRect(glyphs[k], {right - 0.01f * (k + 1), 0.76f, right - 0.01f * k, 0.81f, 9});
            // Upright: t 1 at the top (y2), 0 at the bottom (y1).
            EXPECT_EQ(glyphs[k].t1, 1);
            EXPECT_EQ(glyphs[k].t2, 0);
        }
    }
    EXPECT_EQ(CounterImages(0)[0].s1, 0);
    EXPECT_FLOAT_EQ(CounterImages(10)[1].s1, 0.068359375f);
    EXPECT_FLOAT_EQ(CounterImages(10)[1].s2, 2 * 0.068359375f);
    // The step is the single-precision constant: seven steps fall short of
    // 0.07 by about 7e-8.
    float seventh = CounterImages(1234567)[6].x1;
    EXPECT_FLOAT_EQ(seventh, 0.2f - 7 * 0.0099999905f);
    EXPECT_NE(seventh, 0.2f - 0.07f);
}

TEST(Counter, OutOfRangeValuesStayOnTheStrip)
{
    for (float v : {-42.0f, 3e9f, -3e9f, 1.0f / 0.0f}) {
        for (const SImageRect& r : CounterImages(v)) {
            EXPECT_GE(r.s1, 0) << v;
            EXPECT_LE(r.s2, 10 * kGlyphWidth) << v;
        }
    }
    EXPECT_EQ(CounterImages(3e9f).size(), 10u);  // clamped to the largest int
}

// Background while below 1, fill, overflow while above 1, frame; each bar in
// its own row.
TEST(StatBars, ImagesByBarAndValue)
{
    struct {
        int bar;
        float v;
        std::vector<SRect> images;
    } cases[] = {
        {0, 0, {{0.2075f, 0.925f, 0.0075f, 0.975f, 4}, {0.0075f, 0.925f, 0.0075f, 0.975f, 5},
                {0.0075f, 0.975f, 0.2075f, 0.925f, 6}}},
        {1, 1, {{0.0075f, 0.87f, 0.2075f, 0.92f, 5}, {0.0075f, 0.92f, 0.2075f, 0.87f, 7}}},
        {2, 2, {{0.0075f, 0.815f, 0.2075f, 0.865f, 5}, {0.0075f, 0.815f, 0.2075f, 0.865f, 19},
                {0.0075f, 0.865f, 0.2075f, 0.815f, 8}}},
    };
    for (const auto& c : cases) {
        std::vector<SImageRect> bar = StatBarImages(c.bar, c.v);
        ASSERT_EQ(bar.size(), c.images.size()) << "bar " << c.bar;
        for (size_t k = 0; k < bar.size(); ++k)
            ExpectRect(bar[k], c.images[k]);
    }

    std::vector<SImageRect> low = StatBarImages(1, 0.5f);
    ASSERT_EQ(low.size(), 3u);
    EXPECT_EQ(low[0].image, 4);
    EXPECT_FLOAT_EQ(low[1].x2, 0.1075f);
    std::vector<SImageRect> high = StatBarImages(1, 1.25f);
    ASSERT_EQ(high.size(), 3u);
    EXPECT_EQ(high[0].image, 5);
    EXPECT_FLOAT_EQ(high[1].x2, 0.0575f);
    EXPECT_TRUE(StatBarImages(3, 1).empty());
}

TEST(Menu, HoverFollowsThePixelBoundsOfEachButton)
{
    struct {
        int button, x, y;
        bool under;
    } cases[] = {
        {MENU_PLAY, 410, 269, true},  {MENU_PLAY, 409, 269, false}, {MENU_PLAY, 410, 268, false},
        {MENU_PLAY, 614, 307, true},  {MENU_PLAY, 615, 307, false}, {MENU_PLAY, 614, 308, false},
        {MENU_QUIT, 500, 346, true},  {MENU_QUIT, 500, 384, true},  {MENU_QUIT, 500, 345, false},
        {MENU_QUIT, 500, 385, false}, {MENU_PAGE, 500, 423, true},  {MENU_PAGE, 500, 460, true},
        {MENU_PAGE, 500, 422, false}, {MENU_PAGE, 500, 461, false}, {MENU_BUTTON_COUNT, 500, 300, false},
        // Between two buttons none is under the mouse.
        {MENU_PLAY, 500, 320, false}, {MENU_QUIT, 500, 320, false}, {MENU_PAGE, 500, 320, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MenuButtonUnderMouse(c.button, c.x, c.y), c.under) << c.button << " at " << c.x << ", " << c.y;
}

TEST(Menu, ButtonImagesByHoverAndState)
{
    ExpectRect(MenuButtonImage(MENU_PLAY, false, 0), {0.4f, 0.6f, 0.6f, 0.65f, 22});
    EXPECT_EQ(MenuButtonImage(MENU_PLAY, true, 0).image, 23);
    EXPECT_EQ(MenuButtonImage(MENU_PLAY, true, 1).image, 24);
    EXPECT_EQ(MenuButtonImage(MENU_PLAY, false, 1).image, 22);
    ExpectRect(MenuButtonImage(MENU_QUIT, true, 0), {0.4f, 0.5f, 0.6f, 0.55f, 29});
    EXPECT_EQ(MenuButtonImage(MENU_QUIT, true, 1).image, 30);
    ExpectRect(MenuButtonImage(MENU_PAGE, false, 0), {0.4f, 0.4f, 0.6f, 0.45f, 25});
    EXPECT_EQ(MenuButtonImage(MENU_PAGE, true, 1).image, 27);
    // Only states 0 and 1 show buttons; the others the background alone.
    for (int state : {-1, 0, 1, 2})
        EXPECT_EQ(MenuShowsButtons(state), state == 0 || state == 1) << state;
    ExpectRect(MenuBackgroundImage(), {0, 0, 1, 1, 21});
}

TEST(TextLayout, CharactersComeFromTheirFontCellsAndBlanksAdvance)
{
    std::vector<SImageRect> a = TextImages("Az %", 0.1f, 0.2f, 0.04f);
    ASSERT_EQ(a.size(), 3u);  // the blank takes room but no image
    const float glyph = TextWidth("A", 0.04f);
    EXPECT_NEAR(a[1].x1 - a[0].x1, glyph, 1e-6);
    EXPECT_NEAR(a[2].x1 - a[0].x1, 3 * glyph, 1e-6);
    EXPECT_NEAR(a[0].y2 - a[0].y1, 0.04f, 1e-6);
    // 'A' is character 33 from the space: row 2, column 1; 'z' shows as 'Z'
    // (58: row 3, column 10); '%' is 5 (row 0, column 5).
    const struct {
        float s1, t1;
    } cells[] = {{1 / 16.0f, 0.5f}, {10 / 16.0f, 0.25f}, {5 / 16.0f, 1.0f}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(a[i].s1, cells[i].s1, 1e-6) << i;
        EXPECT_NEAR(a[i].t1, cells[i].t1, 1e-6) << i;
        EXPECT_NEAR(a[i].t1 - a[i].t2, 0.25f, 1e-6) << i;
        EXPECT_EQ(a[i].image, tex::Font);
    }
    std::vector<SImageRect> notice = NoticeImages("ABC");
    EXPECT_NEAR(notice.front().x1 + notice.back().x2, 1.0f, 1e-5) << "centred";
}
