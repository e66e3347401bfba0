#include <gtest/gtest.h>

#include "model/Numbers.h"
#include "net/NetFigures.h"
#include "render/NetOverlayLayout.h"

namespace {

const unsigned long A = 0x0200000a;  // 10.0.0.2
const unsigned long B = 0x0300000a;  // 10.0.0.3

}  // namespace

TEST(NetFigures, RatesCountTheLastSecondWarpsTheLastTenAndTheLongestWarpStays)
{
    CNetFigures figures;
    for (unsigned int t = 10; t < 3000; t += 20)
        figures.CountIn(A, t);  // 50 a second
    figures.CountOut(B, 2500);
    figures.CountOut(B, 2999);
    figures.Warp(A, 2100, 1000);
    figures.Warp(A, 300, 2000);
    figures.RoundTrip(B, 4);

    std::vector<SPeerFigures> now = figures.Figures(3000);
    ASSERT_EQ(now.size(), 2u);
    EXPECT_EQ(now[0].address, A) << "in the order first seen";
    EXPECT_EQ(now[0].inPerSecond, 50);
    EXPECT_EQ(now[0].roundTripMs, -1);
    EXPECT_EQ(now[0].warps, 2);
    EXPECT_EQ(now[0].longestWarpMs, 2100u);
    EXPECT_EQ(now[1].outPerSecond, 2);
    EXPECT_EQ(now[1].roundTripMs, 4);

    std::vector<SPeerFigures> later = figures.Figures(11500);
    EXPECT_EQ(later[0].inPerSecond, 0);
    EXPECT_EQ(later[0].warps, 1) << "the warp at 1000 left the window";
    EXPECT_EQ(later[0].longestWarpMs, 2100u);
    EXPECT_EQ(later[1].outPerSecond, 0);
}

TEST(NetFigures, OverlayRowsAreDigitsAndTheTextNamesThem)
{
    std::vector<SPeerFigures> peers = {{A, -1, 61, 60, 3, 2100, 0}, {B, 12, 0, 5, 0, 0, 17}};
    std::vector<SImageRect> images = NetOverlayImages(peers, 2);
    // Row A: 10 0 0 2 | - | 61 | 60 | 3 | 2100 | 2 | 0; row B: 10 0 0 3 | 12 | 0 | 5 | 0 | 0 | 2 | 17.
    ASSERT_EQ(images.size(), (5u + 0 + 2 + 2 + 1 + 4 + 1 + 1) + (5u + 2 + 1 + 1 + 1 + 1 + 1 + 2));
    for (const SImageRect& r : images)
        EXPECT_EQ(r.image, tex::Digits);
    EXPECT_GT(images[0].y1, images.back().y1) << "the second peer is drawn below the first";
    // The first glyph of 61 is a 6: the seventh glyph of the strip.
    EXPECT_FLOAT_EQ(images[5].s1, 6 * kGlyphWidth);

    EXPECT_EQ(NetFiguresText(peers, 2),
              "network figures (simulated lag 2 s):\n"
              "  10.0.0.2: round trip unknown, in 61/s, out 60/s, 3 warps in 10 s, longest warp 2100 ms, 0 disagreements\n"
              "  10.0.0.3: round trip 12 ms, in 0/s, out 5/s, 0 warps in 10 s, longest warp 0 ms, 17 disagreements\n");
}
