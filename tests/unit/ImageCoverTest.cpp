#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "render/ImageCover.h"

namespace {

// The top panel's placement: the window's top quarter, t running down it.
const SImageRect kPanel = {0, 1, 1, 0.75f, 0, 0, 1, 1, 7};

void ExpectPart(const SImageRect& r, float x1, float y1, float x2, float y2)
{
    EXPECT_FLOAT_EQ(r.x1, x1);
    EXPECT_FLOAT_EQ(r.y1, y1);
    EXPECT_FLOAT_EQ(r.x2, x2);
    EXPECT_FLOAT_EQ(r.y2, y2);
    EXPECT_EQ(r.image, 7);
}

// Alpha of a linear sample at (s, t) with repeat, as a texture unit filters.
float Filtered(const std::vector<unsigned char>& alpha, int w, int h, float s, float t)
{
    float u = s * w - 0.5f, v = t * h - 0.5f;
    int x = (int)std::floor(u), y = (int)std::floor(v);
    float fx = u - x, fy = v - y;
    auto at = [&](int i, int j) { return (float)alpha[((j + h) % h) * w + (i + w) % w]; };
    return (at(x, y) * (1 - fx) + at(x + 1, y) * fx) * (1 - fy) + (at(x, y + 1) * (1 - fx) + at(x + 1, y + 1) * fx) * fy;
}

bool Holds(const SImageRect& r, float x, float y)
{
    return x >= std::min(r.x1, r.x2) && x < std::max(r.x1, r.x2) && y >= std::min(r.y1, r.y2) &&
           y < std::max(r.y1, r.y2);
}

}  // namespace

// A clear image has no part; a solid one is the whole placement with its own
// (inset) texture coordinates.
TEST(VisibleParts, ClearHasNoneSolidIsWhole)
{
    std::vector<unsigned char> alpha(16 * 8, 0);
    EXPECT_TRUE(VisibleParts(kPanel, alpha.data(), 16, 8).empty());
    alpha.assign(16 * 8, 1);
    const SImageRect inset = {0, 1, 1, 0.75f, 0.001f, 0.001f, 0.999f, 0.999f, 7};
    std::vector<SImageRect> parts = VisibleParts(inset, alpha.data(), 16, 8);
    ASSERT_EQ(parts.size(), 1u);
    ExpectPart(parts[0], 0, 1, 1, 0.75f);
    EXPECT_FLOAT_EQ(parts[0].s1, 0.001f);
    EXPECT_FLOAT_EQ(parts[0].t2, 0.999f);
}

// Every point of the image where the filtered alpha is above 0 lies in
// exactly one part; a texel on the left edge shows on the right edge too,
// through the filter's wrap.
TEST(VisibleParts, PartsHoldEveryVisiblePointOnce)
{
    const int w = 24, h = 12;
    std::mt19937 random(5);
    std::vector<unsigned char> alpha(w * h, 0);
    alpha[3 * w] = 255;
    for (int i = 0; i < 10; ++i)
        alpha[random() % alpha.size()] = (unsigned char)(1 + random() % 255);
    std::vector<SImageRect> parts = VisibleParts(kPanel, alpha.data(), w, h);
    int visible = 0;
    for (float s = 0.0013f; s < 1; s += 0.0071f) {
        for (float t = 0.0017f; t < 1; t += 0.0093f) {
            float x = s, y = 1 - 0.25f * (1 - t);
            int holding = 0;
            for (const SImageRect& r : parts)
                holding += Holds(r, x, y);
            EXPECT_LE(holding, 1) << s << " " << t;
            if (Filtered(alpha, w, h, s, t) > 0) {
                ++visible;
                EXPECT_EQ(holding, 1) << s << " " << t;
            }
        }
    }
    EXPECT_GT(visible, 100);
}
