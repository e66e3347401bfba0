#include "render/TextLayout.h"

#include <cctype>

#include "model/Numbers.h"

namespace {

const float NOTICE_HEIGHT = 0.026f;
// Just under the top panel: clear of the tank the chase camera shows.
const float NOTICE_BOTTOM = 0.715f;

float GlyphWidth(float height)
{
    return height * FONT_CELL_WIDTH / FONT_CELL_HEIGHT * SCREEN_HEIGHT / SCREEN_WIDTH;
}

}  // namespace

std::vector<SImageRect> TextImages(const std::string& text, float x, float y, float height)
{
    return SpacedTextImages(text, x, y, height, 1);
}

std::vector<SImageRect> SpacedTextImages(const std::string& text, float x, float y, float height, float advance)
{
    std::vector<SImageRect> images;
    const float width = GlyphWidth(height);
    for (char raw : text) {
        int c = std::toupper((unsigned char)raw) - FONT_FIRST;
        if (c > 0 && c < FONT_COLUMNS * FONT_ROWS) {
            float s1 = (float)(c % FONT_COLUMNS) / FONT_COLUMNS;
            float row = (float)(c / FONT_COLUMNS);
            // The texture's rows run upwards: its first row of cells is at t 1.
            images.push_back({x, y, x + width, y + height, s1, 1 - row / FONT_ROWS, s1 + 1.0f / FONT_COLUMNS,
                              1 - (row + 1) / FONT_ROWS, tex::Font});
        }
        x += width * advance;
    }
    return images;
}

float TextWidth(const std::string& text, float height, float advance)
{
    return text.empty() ? 0 : GlyphWidth(height) * (advance * (float)(text.size() - 1) + 1);
}

std::vector<SImageRect> NoticeImages(const std::string& text)
{
    return TextImages(text, 0.5f - TextWidth(text, NOTICE_HEIGHT) / 2, NOTICE_BOTTOM, NOTICE_HEIGHT);
}
