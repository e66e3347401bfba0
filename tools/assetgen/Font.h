// A 5 x 7 block font, drawn as anti-aliased cells so that labels stay crisp at any size.
#pragma once
#include <string>

#include "tools/assetgen/Image.h"

namespace assetgen {

struct TextStyle {
  float cellWidth = 4.0f;   // pixels per font cell, horizontally
  float cellHeight = 4.0f;  // and vertically
  float roundness = 0.3f;   // corner radius as a fraction of the smaller cell side
  Colour colour = rgb(1, 1, 1);
};

constexpr int kGlyphColumns = 5;
constexpr int kGlyphRows = 7;

// True when the glyph of `c` has its cell (column, row) set; unknown characters are blank.
bool glyphCell(char c, int column, int row);
bool hasGlyph(char c);

float textWidth(const std::string& text, const TextStyle& style);
float textHeight(const TextStyle& style);
// Draws `text` with its top-left corner at (x, y).
void drawText(Image& image, const std::string& text, float x, float y, const TextStyle& style);
// Draws `text` centred on (cx, cy), with a soft dark shadow offset by `shadow` pixels (0: none).
void drawTextCentred(Image& image, const std::string& text, float cx, float cy,
                     const TextStyle& style, float shadow = 0.0f);

}  // namespace assetgen
