#include "render/ScoreboardLayout.h"

#include "model/Numbers.h"

namespace {

const float GLYPH_W = 0.0135f;
const float GLYPH_H = 0.03f;
const float LINE = 0.042f;
const float LEFT = 0.22f, RIGHT = 0.78f;
const float TOP = 0.70f;
const float MARGIN = 0.025f;
// Where the columns start: name, frags, deaths, round trip.
const float COLUMNS[4] = {0.245f, 0.50f, 0.60f, 0.70f};
const size_t MOST_ROWS = 14;

SImageRect Glyph(char c, float x, float y, float w, float h)
{
    int code = (unsigned char)c;
    if (code < glyphs::FIRST || code > glyphs::LAST)
        code = '?';
    int cell = code - glyphs::FIRST;
    float s1 = (float)(cell % glyphs::COLUMNS * glyphs::CELL_W) / glyphs::WIDTH;
    float s2 = s1 + (float)glyphs::CELL_W / glyphs::WIDTH;
    // Stored upside down: the cell's top row is nearer t = 1.
    float top = 1 - (float)(cell / glyphs::COLUMNS * glyphs::CELL_H) / glyphs::HEIGHT;
    float bottom = top - (float)glyphs::CELL_H / glyphs::HEIGHT;
    return SImageRect{x, y, x + w, y + h, s1, top, s2, bottom, tex::Glyphs};
}

void Line(std::vector<SImageRect>& out, const std::string (&cells)[4], float y)
{
    for (int c = 0; c < 4; ++c) {
        std::vector<SImageRect> text = TextImages(cells[c], COLUMNS[c], y, GLYPH_W, GLYPH_H);
        out.insert(out.end(), text.begin(), text.end());
    }
}

}  // namespace

std::vector<SImageRect> TextImages(const std::string& text, float x, float y, float w, float h)
{
    std::vector<SImageRect> images;
    for (char c : text) {
        if (c != ' ')
            images.push_back(Glyph(c, x, y, w, h));
        x += w;
    }
    return images;
}

std::vector<SImageRect> ScoreboardImages(const std::vector<SScoreRow>& rows)
{
    size_t shown = rows.size() < MOST_ROWS ? rows.size() : MOST_ROWS;
    float bottom = TOP - LINE * (float)(shown + 1) - MARGIN;
    std::vector<SImageRect> images;
    images.push_back(SImageRect{LEFT, bottom, RIGHT, TOP + GLYPH_H + MARGIN, 0, 0, 1, 1, tex::ScorePanel});
    const std::string heading[4] = {"NAME", "FRAGS", "DEATHS", "PING"};
    Line(images, heading, TOP);
    for (size_t i = 0; i < shown; ++i) {
        const SScoreRow& row = rows[i];
        const std::string cells[4] = {row.name, std::to_string(row.frags), std::to_string(row.deaths),
                                      row.roundTripMs >= 0 ? std::to_string(row.roundTripMs) : std::string()};
        Line(images, cells, TOP - LINE * (float)(i + 1));
    }
    return images;
}
