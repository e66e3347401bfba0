#include <gtest/gtest.h>

#include <algorithm>

#include "model/Numbers.h"
#include "render/ScoreboardLayout.h"

// The glyph texture is stored upside down: the first row of cells (the blank
// to '/') is at the top of the picture, so at t near 1.
TEST(ScoreboardLayout, GlyphsComeFromTheirCellsOfTheUpsideDownTexture)
{
    struct {
        char c;
        int column, row;
    } cases[] = {{'!', 1, 0}, {'0', 0, 1}, {'A', 1, 2}, {'a', 1, 4}, {'~', 14, 5}, {'\t', 15, 1}};  // '\t' shows '?'
    for (const auto& c : cases) {
        std::vector<SImageRect> glyph = TextImages(std::string(1, c.c), 0.1f, 0.2f, 0.01f, 0.03f);
        ASSERT_EQ(glyph.size(), 1u) << c.c;
        const SImageRect& r = glyph[0];
        EXPECT_EQ(r.image, tex::Glyphs);
        EXPECT_FLOAT_EQ(r.s1, c.column * 32.0f / 512) << c.c;
        EXPECT_FLOAT_EQ(r.s2, (c.column + 1) * 32.0f / 512) << c.c;
        EXPECT_FLOAT_EQ(r.t1, 1 - c.row * 40.0f / 256) << c.c;  // t1 belongs to the top edge, y2
        EXPECT_FLOAT_EQ(r.t2, 1 - (c.row + 1) * 40.0f / 256) << c.c;
        EXPECT_FLOAT_EQ(r.y2 - r.y1, 0.03f);
    }
    // A blank takes its place and draws nothing.
    std::vector<SImageRect> text = TextImages("A B", 0, 0, 0.01f, 0.03f);
    ASSERT_EQ(text.size(), 2u);
    EXPECT_FLOAT_EQ(text[1].x1, 0.02f);
}

TEST(ScoreboardLayout, RowsMostFragsFirstThenFewestDeathsAndOnePanelBehind)
{
    std::vector<SScoreRow> rows = {{"ann", 2, 5, -1}, {"bob", 4, 1, 12}, {"cy", 2, 3, -1}, {"dee", 2, 5, -1}};
    SortScoreRows(rows);
    const char* order[] = {"bob", "cy", "ann", "dee"};  // equal frags and deaths keep their order
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(rows[i].name, order[i]);

    std::vector<SImageRect> images = ScoreboardImages(rows);
    ASSERT_FALSE(images.empty());
    EXPECT_EQ(images[0].image, tex::ScorePanel);
    float lowest = 1;
    for (size_t i = 1; i < images.size(); ++i) {
        EXPECT_EQ(images[i].image, tex::Glyphs);
        EXPECT_GE(images[i].y1, images[0].y1);
        EXPECT_LE(images[i].y2, images[0].y2);
        EXPECT_GE(images[i].x1, images[0].x1);
        EXPECT_LE(images[i].x2, images[0].x2);
        lowest = std::min(lowest, images[i].y1);
    }
    // A round trip shows as its digits, none as nothing; more rows reach lower.
    std::vector<SImageRect> noPing = ScoreboardImages({{"bob", 4, 1, -1}});
    std::vector<SImageRect> withPing = ScoreboardImages({{"bob", 4, 1, 12}});
    EXPECT_EQ(withPing.size(), noPing.size() + 2);
    EXPECT_LT(lowest, ScoreboardImages({rows[0]})[1].y1);
}
