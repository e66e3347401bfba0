#include <gtest/gtest.h>

#include <vector>

#include "render/HudLayout.h"

namespace {

void ExpectRect(const SImageRect& r, float x1, float y1, float x2, float y2, int image)
{
    EXPECT_NEAR(r.x1, x1, 1e-6) << "x1";
    EXPECT_NEAR(r.y1, y1, 1e-6) << "y1";
    EXPECT_NEAR(r.x2, x2, 1e-6) << "x2";
    EXPECT_NEAR(r.y2, y2, 1e-6) << "y2";
    EXPECT_EQ(r.image, image);
}

// Digit shown by a counter glyph, from its texture coordinates.
int Glyph(const SImageRect& r)
{
    return (int)(r.s1 / kGlyphWidth + 0.5f);
}

}  // namespace

TEST(Counter, ZeroIsOneGlyphAtTheRightEdge)
{
    std::vector<SImageRect> glyphs = CounterImages(0);
    ASSERT_EQ(glyphs.size(), 1u);
    ExpectRect(glyphs[0], 0.2f, 0.76f, 0.21f, 0.81f, 9);
    EXPECT_EQ(glyphs[0].s1, 0);
    EXPECT_EQ(glyphs[0].s2, kGlyphWidth);
    // Upright: t 1 at the top (y2), 0 at the bottom (y1).
    EXPECT_EQ(glyphs[0].t1, 1);
    EXPECT_EQ(glyphs[0].t2, 0);
}

TEST(Counter, TenShowsItsDigitsOneStepFurtherLeft)
{
    std::vector<SImageRect> glyphs = CounterImages(10);
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_EQ(Glyph(glyphs[0]), 0);
    EXPECT_NEAR(glyphs[0].x1, 0.19f, 1e-6);
    EXPECT_NEAR(glyphs[0].x2, 0.2f, 1e-6);
    EXPECT_EQ(Glyph(glyphs[1]), 1);
    EXPECT_NEAR(glyphs[1].x1, 0.18f, 1e-6);
    EXPECT_NEAR(glyphs[1].x2, 0.19f, 1e-6);
    EXPECT_FLOAT_EQ(glyphs[1].s1, 0.068359375f);
    EXPECT_FLOAT_EQ(glyphs[1].s2, 2 * 0.068359375f);
}

TEST(Counter, StepIsTheSinglePrecisionConstant)
{
    std::vector<SImageRect> glyphs = CounterImages(1234567);
    ASSERT_EQ(glyphs.size(), 7u);
    // Seven steps of 0.0099999905 fall short of 0.07 by about 7e-8.
    EXPECT_FLOAT_EQ(glyphs[6].x1, 0.2f - 7 * 0.0099999905f);
    EXPECT_NE(glyphs[6].x1, 0.2f - 0.07f);
    EXPECT_EQ(Glyph(glyphs[6]), 1);
    EXPECT_EQ(Glyph(glyphs[0]), 7);
}

TEST(Counter, FractionsAreTruncated)
{
    std::vector<SImageRect> glyphs = CounterImages(59.9f);
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_EQ(Glyph(glyphs[0]), 9);
    EXPECT_EQ(Glyph(glyphs[1]), 5);
    ASSERT_EQ(CounterImages(0.99f).size(), 1u);
    EXPECT_EQ(Glyph(CounterImages(0.99f)[0]), 0);
}

TEST(Counter, OutOfRangeValuesStayOnTheStrip)
{
    // Negative values show their digits; the glyphs never leave the strip.
    std::vector<SImageRect> negative = CounterImages(-42);
    ASSERT_EQ(negative.size(), 2u);
    EXPECT_EQ(Glyph(negative[0]), 2);
    EXPECT_EQ(Glyph(negative[1]), 4);
    for (float v : {-42.0f, 3e9f, -3e9f, 1.0f / 0.0f}) {
        for (const SImageRect& r : CounterImages(v)) {
            EXPECT_GE(r.s1, 0) << v;
            EXPECT_LE(r.s2, 10 * kGlyphWidth) << v;
        }
    }
    EXPECT_EQ(CounterImages(3e9f).size(), 10u);  // clamped to the largest int
}

TEST(StatBars, ZeroDrawsBackgroundEmptyFillAndFrame)
{
    std::vector<SImageRect> bar = StatBarImages(0, 0);
    ASSERT_EQ(bar.size(), 3u);
    ExpectRect(bar[0], 0.2075f, 0.925f, 0.0075f, 0.975f, 4);
    ExpectRect(bar[1], 0.0075f, 0.925f, 0.0075f, 0.975f, 5);
    ExpectRect(bar[2], 0.0075f, 0.975f, 0.2075f, 0.925f, 6);
}

TEST(StatBars, OneIsAFullFillWithoutBackgroundOrOverflow)
{
    std::vector<SImageRect> bar = StatBarImages(1, 1);
    ASSERT_EQ(bar.size(), 2u);
    ExpectRect(bar[0], 0.0075f, 0.87f, 0.2075f, 0.92f, 5);
    ExpectRect(bar[1], 0.0075f, 0.92f, 0.2075f, 0.87f, 7);
}

TEST(StatBars, TwoAddsAFullWidthOverflow)
{
    std::vector<SImageRect> bar = StatBarImages(2, 2);
    ASSERT_EQ(bar.size(), 3u);
    ExpectRect(bar[0], 0.0075f, 0.815f, 0.2075f, 0.865f, 5);
    ExpectRect(bar[1], 0.0075f, 0.815f, 0.2075f, 0.865f, 19);
    ExpectRect(bar[2], 0.0075f, 0.865f, 0.2075f, 0.815f, 8);
}

TEST(StatBars, PartialValuesScaleFillAndOverflow)
{
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
    EXPECT_TRUE(MenuButtonUnderMouse(MENU_PLAY, 410, 269));
    EXPECT_FALSE(MenuButtonUnderMouse(MENU_PLAY, 409, 269));
    EXPECT_FALSE(MenuButtonUnderMouse(MENU_PLAY, 410, 268));
    EXPECT_TRUE(MenuButtonUnderMouse(MENU_PLAY, 614, 307));
    EXPECT_FALSE(MenuButtonUnderMouse(MENU_PLAY, 615, 307));
    EXPECT_FALSE(MenuButtonUnderMouse(MENU_PLAY, 614, 308));

    EXPECT_TRUE(MenuButtonUnderMouse(MENU_QUIT, 500, 346));
    EXPECT_TRUE(MenuButtonUnderMouse(MENU_QUIT, 500, 384));
    EXPECT_FALSE(MenuButtonUnderMouse(MENU_QUIT, 500, 345));
    EXPECT_FALSE(MenuButtonUnderMouse(MENU_QUIT, 500, 385));

    EXPECT_TRUE(MenuButtonUnderMouse(MENU_PAGE, 500, 423));
    EXPECT_TRUE(MenuButtonUnderMouse(MENU_PAGE, 500, 460));
    EXPECT_FALSE(MenuButtonUnderMouse(MENU_PAGE, 500, 422));
    EXPECT_FALSE(MenuButtonUnderMouse(MENU_PAGE, 500, 461));

    // Between two buttons none is under the mouse.
    for (int b = 0; b < MENU_BUTTON_COUNT; ++b)
        EXPECT_FALSE(MenuButtonUnderMouse(b, 500, 320));
    EXPECT_FALSE(MenuButtonUnderMouse(MENU_BUTTON_COUNT, 500, 300));
}

TEST(Menu, ButtonImagesByHoverAndState)
{
    ExpectRect(MenuButtonImage(MENU_PLAY, false, 0), 0.4f, 0.6f, 0.6f, 0.65f, 22);
    EXPECT_EQ(MenuButtonImage(MENU_PLAY, true, 0).image, 23);
    EXPECT_EQ(MenuButtonImage(MENU_PLAY, true, 1).image, 24);
    EXPECT_EQ(MenuButtonImage(MENU_PLAY, false, 1).image, 22);
    ExpectRect(MenuButtonImage(MENU_QUIT, true, 0), 0.4f, 0.5f, 0.6f, 0.55f, 29);
    EXPECT_EQ(MenuButtonImage(MENU_QUIT, true, 1).image, 30);
    ExpectRect(MenuButtonImage(MENU_PAGE, false, 0), 0.4f, 0.4f, 0.6f, 0.45f, 25);
    EXPECT_EQ(MenuButtonImage(MENU_PAGE, true, 1).image, 27);
}

TEST(Menu, OnlyStatesZeroAndOneShowButtons)
{
    EXPECT_TRUE(MenuShowsButtons(0));
    EXPECT_TRUE(MenuShowsButtons(1));
    EXPECT_FALSE(MenuShowsButtons(2));
    EXPECT_FALSE(MenuShowsButtons(-1));
    ExpectRect(MenuBackgroundImage(), 0, 0, 1, 1, 21);
}
