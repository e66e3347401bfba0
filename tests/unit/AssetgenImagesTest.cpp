// Pictures: the PNG encoder as the texture loader's image library reads it, the digit
// strip's fixed glyph cells, the labels' font and the overlay textures' formats.
#include <IL/il.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "controls/Controls.h"
#include "model/Numbers.h"
#include "tools/assetgen/Font.h"
#include "tools/assetgen/Painters.h"
#include "tools/assetgen/Textures.h"

using namespace assetgen;

TEST(AssetgenImages, PngReadsBackWithTheFirstRowOnTop) {
  Image image(5, 3, true);
  image.fill(rgb(0, 0, 1, 1));
  for (int x = 0; x < 5; ++x) image.set(x, 0, rgb(1, 0, 0, 0.5f));
  image.set(4, 2, rgb(0, 1, 0, 1));
  const std::string path = testing::TempDir() + "assetgen_roundtrip.png";
  ASSERT_TRUE(writeFile(path, image.encodePng()));

  ilInit();
  ILuint name;
  ilGenImages(1, &name);
  ilBindImage(name);
  ASSERT_TRUE(ilLoadImage(path.c_str()));
  EXPECT_EQ(ilGetInteger(IL_IMAGE_WIDTH), 5);
  EXPECT_EQ(ilGetInteger(IL_IMAGE_HEIGHT), 3);
  EXPECT_EQ(ilGetInteger(IL_IMAGE_FORMAT), IL_RGBA);
  const ILubyte* data = ilGetData();
  // The texture loader uploads this buffer as is: its first row becomes t = 0.
  EXPECT_EQ(data[0], 255);
  EXPECT_EQ(data[2], 0);
  EXPECT_EQ(data[3], 128);
  const ILubyte* last = data + (2 * 5 + 4) * 4;
  EXPECT_EQ(last[1], 255);
  EXPECT_EQ(last[3], 255);
  ilDeleteImages(1, &name);
  std::remove(path.c_str());
}

TEST(AssetgenImages, DigitGlyphsStayInsideTheirCells) {
  const Image strip = paintDigitStrip();
  ASSERT_EQ(strip.width(), kDigitStripWidth);
  ASSERT_TRUE(strip.hasAlpha());
  int lit[10] = {};
  for (int y = 0; y < strip.height(); ++y)
    for (int x = 0; x < strip.width(); ++x) {
      const float a = strip.get(x, y).a;
      if (x >= 10 * kDigitCell) {
        ASSERT_EQ(a, 0.0f) << "nothing right of the tenth glyph, x " << x;
        continue;
      }
      const int cell = x / kDigitCell, inCell = x % kDigitCell;
      if (inCell < 2 || inCell > kDigitCell - 3) {
        ASSERT_LT(a, 0.05f) << "glyph " << cell << " touches its cell edge";
      }
      if (a > 0.5f) ++lit[cell];
    }
  for (int d = 0; d < 10; ++d) EXPECT_GT(lit[d], 150) << "digit " << d;
  EXPECT_GT(lit[8], lit[1] * 2) << "eight lights every segment, one only two";
  // Stored upside down: the HUD maps the strip's first row to the bottom of each glyph,
  // so the top bar of a 7 lies in the last rows of the file.
  const int seven = 7 * kDigitCell + kDigitCell / 2;
  EXPECT_GT(strip.get(seven, strip.height() - 13).a, 0.5f);
  EXPECT_LT(strip.get(seven, 12).a, 0.5f);
}

TEST(AssetgenImages, SevenSegmentDigitsAreTheUsualOnes) {
  int segments[10] = {};
  for (int d = 0; d < 10; ++d)
    for (int s = 0; s < 7; ++s) segments[d] += digitSegment(d, s);
  const int expected[10] = {6, 2, 5, 5, 4, 5, 6, 3, 7, 6};
  for (int d = 0; d < 10; ++d) EXPECT_EQ(segments[d], expected[d]) << "digit " << d;
  EXPECT_FALSE(digitSegment(0, 6)) << "zero has no middle bar";
}

TEST(AssetgenImages, ControlsNameEveryKeyAndTheFontCoversEveryLabel) {
  std::vector<std::string> labels = {"FERROWIND", "TANK BATTLE ON THE LOCAL NETWORK", "CONTROLS", "PLAY",
                                     "QUIT", "DRIVE", "ARMOUR", "GUN", "COUNT", "BREACH", "FRAGILE", "MYSTERY", "?", "!"};
  std::string keys;
  for (const SControl& row : Controls()) {
    labels.push_back(row.keys);
    labels.push_back(row.action);
    keys += std::string(row.keys) + "|";
  }
  for (const char* key : {"I / K", "J / L", "SPACE", "ARROWS", "MOUSE", "A D W S", "M", "P", "Q / E", "R", "ESC", "Z",
                          "C", "F", "G", "N"})
    EXPECT_NE(keys.find(std::string(key) + "|"), std::string::npos) << key;
  for (const std::string& label : labels)
    for (char c : label) EXPECT_TRUE(hasGlyph(c)) << "'" << c << "' in " << label;
  EXPECT_FALSE(hasGlyph('#'));
  EXPECT_TRUE(glyphCell('T', 2, 6)) << "the stem of a T reaches the bottom row";
  EXPECT_FALSE(glyphCell('T', 0, 6));
}

TEST(AssetgenImages, OverlayTexturesHaveMipmapsOnlyWithoutAlpha) {
  const std::vector<TextureSpec> list = textureList();
  ASSERT_GE(list.size(), 31u);
  for (int i : {tex::MuzzleFlash, tex::BarBack, tex::BarFill, tex::FrameDrive, tex::Digits, tex::Panel,
                tex::BarOverflow, tex::Impact, tex::PlayNormal, tex::QuitPressed, tex::FlatBump}) {
    const Image image = list[static_cast<size_t>(i)].paint();
    if (list[static_cast<size_t>(i)].mipmaps > 0) {
      EXPECT_FALSE(image.hasAlpha()) << "texture " << i;
    }
    EXPECT_EQ(image.width() & (image.width() - 1), 0) << "texture " << i << " width is a power of two";
  }
  for (const TextureSpec& spec : list) {
    EXPECT_TRUE(spec.mipmaps == 0 || spec.mipmaps == 3) << spec.file;
    EXPECT_LE(spec.file.size(), 103u) << "the loader's name buffer";
  }
}

TEST(AssetgenImages, FlashStripFramesAreSeparated) {
  const Image strip = paintMuzzleFlash();
  const float cell = static_cast<float>(strip.width()) / kFlashFrames;
  for (int f = 1; f < kFlashFrames; ++f) {
    const int x = static_cast<int>(f * cell);
    for (int y = 0; y < strip.height(); ++y) ASSERT_LT(strip.get(x, y).a, 0.05f) << "frame border " << f;
  }
  float first = 0, last = 0;
  for (int y = 0; y < strip.height(); ++y)
    for (int x = 0; x < static_cast<int>(cell); ++x) {
      first += strip.get(x + static_cast<int>(cell), y).a;
      last += strip.get(x + static_cast<int>(12 * cell), y).a;
    }
  EXPECT_GT(first, last) << "the flash dies away";
}
