// The texture list: what each numbered texture shows and how it is painted.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "tools/assetgen/Image.h"

namespace assetgen {

struct TextureSpec {
  std::string file;  // relative to the assets directory
  int mipmaps;       // mipmap component count written to the list: 3 for RGB, 0 for RGBA
  std::function<Image()> paint;
};

// In list order: entry i is texture number i.
std::vector<TextureSpec> textureList();
std::string textureListText(const std::vector<TextureSpec>& list);

// Digit strip: glyphs 0 to 9 side by side, each kDigitCell pixels of kDigitStripWidth.
constexpr int kDigitStripWidth = 512;
constexpr int kDigitStripHeight = 128;
constexpr int kDigitCell = 35;
Image paintDigitStrip();
// True when the seven-segment digit d has segment s lit (segments a to g as 0 to 6).
bool digitSegment(int digit, int segment);

// The font texture (model/Numbers.h): light capitals with a dark rim, legible
// over any part of the battlefield.
Image paintFontAtlas();

// Strips of animation frames side by side (muzzle flash and impact).
constexpr int kFlashFrames = 14;

}  // namespace assetgen
