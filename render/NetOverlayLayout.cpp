#include "render/NetOverlayLayout.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace {

const float TOP = 0.70f;
const float ROW_HEIGHT = 0.035f;
const float GLYPH_HEIGHT = 0.03f;
const float OCTET_GAP = 0.006f;
// Where each column after the address starts.
const float COLUMNS[] = {0.20f, 0.27f, 0.33f, 0.39f, 0.44f, 0.52f, 0.57f};

// The decimal digits of `value` left to right from x; returns where the next would go.
float Number(std::vector<SImageRect>& out, unsigned int value, float x, float y)
{
    for (char c : std::to_string(value)) {
        out.push_back(DigitGlyph(c - '0', x, y, x + kDigitStep, y + GLYPH_HEIGHT));
        x += kDigitStep;
    }
    return x;
}

}  // namespace

std::vector<SImageRect> NetOverlayImages(const std::vector<SPeerFigures>& peers, int lagSeconds)
{
    std::vector<SImageRect> images;
    float y = TOP;
    for (const SPeerFigures& p : peers) {
        uint32_t address = (uint32_t)p.address;
        unsigned char octets[4];
        std::memcpy(octets, &address, 4);
        float x = 0.01f;
        for (unsigned char octet : octets)
            x = Number(images, octet, x, y) + OCTET_GAP;
        if (p.roundTripMs >= 0)
            Number(images, (unsigned int)p.roundTripMs, COLUMNS[0], y);
        Number(images, (unsigned int)p.inPerSecond, COLUMNS[1], y);
        Number(images, (unsigned int)p.outPerSecond, COLUMNS[2], y);
        Number(images, (unsigned int)p.warps, COLUMNS[3], y);
        Number(images, p.longestWarpMs, COLUMNS[4], y);
        Number(images, (unsigned int)lagSeconds, COLUMNS[5], y);
        Number(images, p.disagreements, COLUMNS[6], y);
        y -= ROW_HEIGHT;
    }
    return images;
}
