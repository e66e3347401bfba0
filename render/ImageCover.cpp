#include "render/ImageCover.h"

#include <algorithm>
#include <utility>

namespace {

typedef std::vector<std::pair<int, int>> Spans;  // first and last column of each run

// Texels a linear sample near texel (x, y) may read: its 3 x 3 neighbourhood,
// wrapping round as repeat does.
bool MayShow(const unsigned char* alpha, int width, int height, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy) {
        const unsigned char* row = alpha + (size_t)((y + dy + height) % height) * width;
        for (int dx = -1; dx <= 1; ++dx) {
            if (row[(x + dx + width) % width])
                return true;
        }
    }
    return false;
}

Spans RowSpans(const unsigned char* alpha, int width, int height, int y)
{
    Spans spans;
    for (int x = 0; x < width; ++x) {
        if (!MayShow(alpha, width, height, x, y))
            continue;
        if (!spans.empty() && spans.back().second == x - 1)
            spans.back().second = x;
        else
            spans.push_back(std::make_pair(x, x));
    }
    return spans;
}

// The part of `whole` between texture coordinates s1..s2 and t1..t2, or none.
bool Part(const SImageRect& whole, float s1, float t1, float s2, float t2, SImageRect& part)
{
    float sLow = std::min(whole.s1, whole.s2), sHigh = std::max(whole.s1, whole.s2);
    float tLow = std::min(whole.t1, whole.t2), tHigh = std::max(whole.t1, whole.t2);
    s1 = std::max(s1, sLow);
    s2 = std::min(s2, sHigh);
    t1 = std::max(t1, tLow);
    t2 = std::min(t2, tHigh);
    if (s1 >= s2 || t1 >= t2)
        return false;
    // x follows s from s1 to s2; y follows t from t2 (at y1) to t1 (at y2).
    auto x = [&](float s) { return whole.x1 + (s - whole.s1) / (whole.s2 - whole.s1) * (whole.x2 - whole.x1); };
    auto y = [&](float t) { return whole.y1 + (t - whole.t2) / (whole.t1 - whole.t2) * (whole.y2 - whole.y1); };
    bool sForward = whole.s2 > whole.s1, tForward = whole.t2 > whole.t1;
    part = whole;
    part.s1 = sForward ? s1 : s2;
    part.s2 = sForward ? s2 : s1;
    part.t1 = tForward ? t1 : t2;
    part.t2 = tForward ? t2 : t1;
    part.x1 = x(part.s1);
    part.x2 = x(part.s2);
    part.y1 = y(part.t2);
    part.y2 = y(part.t1);
    return true;
}

}  // namespace

std::vector<SImageRect> VisibleParts(const SImageRect& whole, const unsigned char* alpha, int width, int height)
{
    std::vector<SImageRect> parts;
    if (!alpha || width <= 0 || height <= 0 || whole.s1 == whole.s2 || whole.t1 == whole.t2)
        return parts;
    // Rows with the same runs make one band; each run of a band, one rectangle.
    int bandStart = 0;
    Spans band = RowSpans(alpha, width, height, 0);
    for (int y = 1; y <= height; ++y) {
        Spans spans = y < height ? RowSpans(alpha, width, height, y) : Spans();
        if (y < height && spans == band)
            continue;
        for (const std::pair<int, int>& run : band) {
            SImageRect part;
            if (Part(whole, (float)run.first / width, (float)bandStart / height, (float)(run.second + 1) / width,
                     (float)y / height, part))
                parts.push_back(part);
        }
        bandStart = y;
        band = spans;
    }
    return parts;
}
