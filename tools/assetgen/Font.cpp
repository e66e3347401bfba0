#include "tools/assetgen/Font.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace assetgen {

namespace {

struct Glyph {
  char c;
  const char* rows[kGlyphRows];
};

// clang-format off
const Glyph kGlyphs[] = {
  {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
  {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
  {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
  {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
  {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
  {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
  {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
  {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
  {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
  {'J', {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
  {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
  {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
  {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
  {'N', {"#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"}},
  {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
  {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
  {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
  {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
  {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
  {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
  {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
  {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
  {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}},
  {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
  {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
  {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
  {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
  {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
  {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
  {'3', {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."}},
  {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
  {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
  {'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
  {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
  {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
  {'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
  {'.', {".....", ".....", ".....", ".....", ".....", ".##..", ".##.."}},
  {',', {".....", ".....", ".....", ".....", ".##..", "..#..", ".#..."}},
  {':', {".....", ".##..", ".##..", ".....", ".##..", ".##..", "....."}},
  {'-', {".....", ".....", ".....", ".###.", ".....", ".....", "....."}},
  {'+', {".....", "..#..", "..#..", "#####", "..#..", "..#..", "....."}},
  {'/', {".....", "....#", "...#.", "..#..", ".#...", "#....", "....."}},
  {'!', {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."}},
  {'?', {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."}},
  {'(', {"...#.", "..#..", ".#...", ".#...", ".#...", "..#..", "...#."}},
  {')', {".#...", "..#..", "...#.", "...#.", "...#.", "..#..", ".#..."}},
  {'\'', {"..#..", "..#..", ".#...", ".....", ".....", ".....", "....."}},
  {'&', {".##..", "#..#.", "#.#..", ".#...", "#.#.#", "#..#.", ".##.#"}},
  {'=', {".....", ".....", "#####", ".....", "#####", ".....", "....."}},
  {'<', {"...#.", "..#..", ".#...", "#....", ".#...", "..#..", "...#."}},
  {'>', {".#...", "..#..", "...#.", "....#", "...#.", "..#..", ".#..."}},
  {'_', {".....", ".....", ".....", ".....", ".....", ".....", "#####"}},
  {'%', {"##..#", "##..#", "...#.", "..#..", ".#...", "#..##", "#..##"}},
};
// clang-format on

const Glyph* findGlyph(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  for (const Glyph& g : kGlyphs)
    if (g.c == c) return &g;
  return nullptr;
}

}  // namespace

bool hasGlyph(char c) { return c == ' ' || findGlyph(c) != nullptr; }

bool glyphCell(char c, int column, int row) {
  const Glyph* g = findGlyph(c);
  if (!g || column < 0 || row < 0 || column >= kGlyphColumns || row >= kGlyphRows) return false;
  return g->rows[row][column] == '#';
}

float textWidth(const std::string& text, const TextStyle& style) {
  if (text.empty()) return 0.0f;
  return (static_cast<float>(text.size()) * (kGlyphColumns + 1) - 1) * style.cellWidth;
}

float textHeight(const TextStyle& style) { return kGlyphRows * style.cellHeight; }

void drawText(Image& image, const std::string& text, float x, float y, const TextStyle& style) {
  const float cw = style.cellWidth, ch = style.cellHeight;
  const float radius = std::min(cw, ch) * style.roundness;
  for (size_t i = 0; i < text.size(); ++i) {
    const float gx = x + i * (kGlyphColumns + 1) * cw;
    const char c = text[i];
    if (!findGlyph(c)) continue;
    // One distance field per glyph (union of its cells) so joined cells show no seams.
    auto sdf = [&](float px, float py) {
      float best = 1e9f;
      for (int row = 0; row < kGlyphRows; ++row)
        for (int col = 0; col < kGlyphColumns; ++col)
          if (glyphCell(c, col, row)) {
            // Cells reach into their set neighbours by the corner radius, so that only
            // outer corners round off and joints stay solid.
            float x0 = gx + col * cw, x1 = x0 + cw, y0 = y + row * ch, y1 = y0 + ch;
            if (glyphCell(c, col - 1, row)) x0 -= radius;
            if (glyphCell(c, col + 1, row)) x1 += radius;
            if (glyphCell(c, col, row - 1)) y0 -= radius;
            if (glyphCell(c, col, row + 1)) y1 += radius;
            best = std::min(best, sdBox(px, py, (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2,
                                        (y1 - y0) / 2, radius));
          }
      return best;
    };
    image.fillShape(sdf, style.colour, static_cast<int>(gx) - 2, static_cast<int>(y) - 2,
                    static_cast<int>(gx + kGlyphColumns * cw) + 3,
                    static_cast<int>(y + kGlyphRows * ch) + 3);
  }
}

void drawTextCentred(Image& image, const std::string& text, float cx, float cy,
                     const TextStyle& style, float shadow) {
  const float x = cx - textWidth(text, style) * 0.5f, y = cy - textHeight(style) * 0.5f;
  if (shadow > 0.0f) {
    TextStyle dark = style;
    dark.colour = rgb(0, 0, 0, style.colour.a * 0.6f);
    drawText(image, text, x + shadow, y + shadow, dark);
  }
  drawText(image, text, x, y, style);
}

}  // namespace assetgen
