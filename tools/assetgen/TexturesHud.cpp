// Heads-up display and menu pictures. Each is designed at (a multiple of) the size it takes
// on the 1024 x 768 window and then resampled to its texture size. Pictures that the
// overlay code draws with the texture's first row at the bottom of the screen (bar frames,
// top panel, digit strip) are stored upside down so that they show upright.
#include <algorithm>
#include <cmath>

#include "controls/Controls.h"
#include "model/Numbers.h"
#include "tools/assetgen/Font.h"
#include "tools/assetgen/Noise.h"
#include "tools/assetgen/Painters.h"
#include "tools/assetgen/Textures.h"

namespace assetgen {

namespace {

const Colour kAmber = rgb(1.0f, 0.74f, 0.22f);
const Colour kSteel = rgb(0.56f, 0.60f, 0.62f);

// Bar pictures are designed at twice the bar's window size (205 x 38 pixels).
constexpr int kBarW = 410, kBarH = 76;

Image barGradient(Colour top, Colour bottom, float alpha) {
  Image image(kBarW, kBarH, true);
  image.paint([&](int, int y) {
    const float t = y / static_cast<float>(kBarH - 1);
    Colour c = mix(top, bottom, t);
    const float gloss = std::exp(-std::pow((t - 0.22f) / 0.12f, 2.0f)) * 0.35f;
    c = rgb(c.r + gloss, c.g + gloss, c.b + gloss, alpha);
    return c;
  });
  return image.resized(256, 64);
}

void bevelledPlate(Image& image, float x0, float y0, float x1, float y1, float radius, float alpha) {
  const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hw = (x1 - x0) / 2, hh = (y1 - y0) / 2;
  image.fillShape([=](float x, float y) { return sdBox(x, y, cx, cy, hw, hh, radius); },
                  rgb(0.55f, 0.58f, 0.60f, alpha));
  image.fillShape([=](float x, float y) { return sdBox(x, y, cx, cy, hw - 2, hh - 2, radius - 1); },
                  rgb(0.10f, 0.12f, 0.13f, alpha));
  image.fillShape([=](float x, float y) { return sdBox(x, y, cx, cy - 1, hw - 3, hh - 4, radius - 2); },
                  rgb(0.17f, 0.19f, 0.20f, alpha));
}

}  // namespace

Image paintBarBack() {
  Image image(kBarW, kBarH, true);
  image.paint([](int x, int y) {
    const bool stripe = static_cast<int>(std::floor((x + y) / 14.0f)) % 2 == 0;
    return stripe ? rgb(0.45f, 0.08f, 0.06f, 0.55f) : rgb(0.18f, 0.04f, 0.03f, 0.55f);
  });
  return image.resized(256, 64);
}

Image paintBarFill() { return barGradient(rgb(0.45f, 0.95f, 0.50f), rgb(0.08f, 0.45f, 0.18f), 0.85f); }

Image paintBarOverflow() { return barGradient(rgb(1.0f, 0.88f, 0.35f), rgb(0.85f, 0.42f, 0.05f), 0.9f); }

Image paintBarFrame(const char* label) {
  Image image(kBarW, kBarH, true);
  // Hollow rounded frame: the fill shows through the middle.
  image.fillShape([](float x, float y) {
    return std::fabs(sdBox(x, y, kBarW / 2.0f, kBarH / 2.0f, kBarW / 2.0f - 4, kBarH / 2.0f - 4, 10)) - 3.5f;
  }, rgb(0.05f, 0.06f, 0.07f, 0.9f));
  image.fillShape([](float x, float y) {
    return std::fabs(sdBox(x, y, kBarW / 2.0f, kBarH / 2.0f, kBarW / 2.0f - 4, kBarH / 2.0f - 4, 10)) - 1.6f;
  }, kSteel);
  for (int i = 1; i < 4; ++i) {  // quarter marks
    const float x = kBarW * i / 4.0f;
    image.fillRect(x - 1.2f, 6, x + 1.2f, 16, rgb(0.85f, 0.88f, 0.9f, 0.8f));
    image.fillRect(x - 1.2f, kBarH - 16, x + 1.2f, kBarH - 6, rgb(0.85f, 0.88f, 0.9f, 0.8f));
  }
  TextStyle style;
  style.cellWidth = 4.2f;
  style.cellHeight = 5.0f;
  style.colour = rgb(1, 1, 1);
  TextStyle outline = style;
  outline.colour = rgb(0, 0, 0, 0.85f);
  const float y = (kBarH - textHeight(style)) / 2.0f;
  for (int dy = -2; dy <= 2; dy += 2)
    for (int dx = -2; dx <= 2; dx += 2) drawText(image, label, 16.0f + dx, y + dy, outline);
  drawText(image, label, 16.0f, y, style);
  Image out = image.resized(256, 64);
  out.flipVertical();
  return out;
}

Image paintPanel() {
  // The panel covers the top quarter of the window.
  Image image(SCREEN_WIDTH, SCREEN_HEIGHT / 4, true);
  image.paint([](int, int y) {
    const float fade = 1.0f - std::min(1.0f, y / 40.0f);
    return rgb(0.06f, 0.07f, 0.08f, 0.55f * fade);
  });
  // Left module: the three bars (window x 8 to 212, y 19 to 142) and the counter below them.
  bevelledPlate(image, 0, -12, 232, 192, 14, 0.62f);
  image.fillShape([](float x, float y) { return sdBox(x, y, 181, 165, 42, 22, 4); }, rgb(0.02f, 0.03f, 0.02f, 0.85f));
  TextStyle small;
  small.cellWidth = 2.2f;
  small.cellHeight = 2.6f;
  small.colour = rgb(0.75f, 0.8f, 0.82f, 0.9f);
  drawText(image, "COUNT", 14, 158, small);
  // Right module: a frame around the minimap (window x 804 to 1019, y 2 to 188).
  image.fillShape([](float x, float y) {
    return std::fabs(sdBox(x, y, 911.5f, 95, 111, 96, 8)) - 3.0f;
  }, rgb(0.55f, 0.58f, 0.60f, 0.95f));
  // Title strip at the top centre.
  image.fillShape([](float x, float y) { return sdBox(x, y, 512, 0, 150, 22, 10); }, rgb(0.10f, 0.12f, 0.13f, 0.8f));
  image.fillShape([](float x, float y) { return std::fabs(sdBox(x, y, 512, 0, 150, 22, 10)) - 1.0f; }, kSteel);
  TextStyle title;
  title.cellWidth = 2.8f;
  title.cellHeight = 2.4f;
  title.colour = kAmber;
  drawTextCentred(image, "FERROWIND", 512, 11, title);
  Image out = image.resized(1024, 256);
  out.flipVertical();
  return out;
}

namespace {

// A tank in silhouette for the menu picture, facing right, its tracks resting on `ground`.
void tankSilhouette(Image& image, float x, float ground, float scale, const Colour& colour) {
  auto s = [=](float v) { return v * scale; };
  auto hull = [=](float px, float py) {
    const float track = sdBox(px, py, x, ground - s(9), s(56), s(9), s(9));
    const float body = sdBox(px, py, x, ground - s(22), s(50), s(6), s(2));
    const float turret = sdBox(px, py, x - s(6), ground - s(34), s(22), s(7), s(5));
    const float barrel = sdSegment(px, py, x + s(12), ground - s(35), x + s(78), ground - s(41), s(2.2f));
    const float brake = sdBox(px, py, x + s(76), ground - s(41), s(4), s(3.2f), s(1));
    return std::min(std::min(track, body), std::min(turret, std::min(barrel, brake)));
  };
  image.fillShape(hull, colour, static_cast<int>(x - s(70)), static_cast<int>(ground - s(60)),
                  static_cast<int>(x + s(90)), static_cast<int>(ground + 2));
}

}  // namespace

Image paintMenu() {
  Image image(SCREEN_WIDTH, SCREEN_HEIGHT, false);
  image.paint([](int x, int y) {
    const float t = y / 767.0f;
    Colour sky = mix(rgb(0.10f, 0.13f, 0.22f), rgb(0.86f, 0.52f, 0.26f), std::pow(t / 0.62f, 1.6f));
    const float glow = std::exp(-std::pow((x - 700.0f) / 260.0f, 2.0f) - std::pow((y - 430.0f) / 90.0f, 2.0f));
    sky = rgb(sky.r + 0.25f * glow, sky.g + 0.18f * glow, sky.b + 0.08f * glow);
    // Rolling hills in silhouette, two ranges.
    const float far = 430.0f - 50.0f * fbm(x / 180.0f, 3.0f, 401, 4);
    const float nearLine = 470.0f - 40.0f * fbm(x / 120.0f, 7.0f, 402, 4);
    if (y > far) sky = mix(sky, rgb(0.22f, 0.17f, 0.20f), 0.85f);
    if (y > nearLine) sky = rgb(0.07f, 0.07f, 0.08f);
    return sky;
  });
  tankSilhouette(image, 170, 476, 1.5f, rgb(0.04f, 0.04f, 0.05f));
  tankSilhouette(image, 880, 470, 1.1f, rgb(0.05f, 0.05f, 0.06f));

  TextStyle title;
  title.cellWidth = 13.0f;
  title.cellHeight = 12.0f;
  title.colour = kAmber;
  TextStyle glow = title;
  glow.colour = rgb(0.0f, 0.0f, 0.0f, 0.55f);
  drawTextCentred(image, "FERROWIND", 516, 112, glow);
  drawTextCentred(image, "FERROWIND", 512, 106, title);
  TextStyle sub;
  sub.cellWidth = 3.0f;
  sub.cellHeight = 3.4f;
  sub.colour = rgb(0.95f, 0.92f, 0.85f);
  drawTextCentred(image, "TANK BATTLE ON THE LOCAL NETWORK", 512, 178, sub, 2.0f);

  // Plate behind the four buttons (window x 410 to 614, y 219 to 461).
  image.fillShape([](float x, float y) { return sdBox(x, y, 512, 345, 130, 138, 14); }, rgb(0.05f, 0.06f, 0.07f, 0.65f));
  image.fillShape([](float x, float y) { return std::fabs(sdBox(x, y, 512, 345, 130, 138, 14)) - 1.2f; }, rgb(0.6f, 0.62f, 0.64f, 0.8f));

  // Controls, in two columns below the buttons; rows close up as the list grows.
  image.fillShape([](float x, float y) { return sdBox(x, y, 512, 622, 484, 134, 12); }, rgb(0.04f, 0.05f, 0.06f, 0.78f));
  image.fillShape([](float x, float y) { return std::fabs(sdBox(x, y, 512, 622, 484, 134, 12)) - 1.2f; }, rgb(0.6f, 0.62f, 0.64f, 0.8f));
  TextStyle head = sub;
  head.colour = kAmber;
  drawTextCentred(image, "CONTROLS", 512, 510, head);
  // The keys are the game's to draw, as the player bound them: only the actions are painted.
  TextStyle action = sub;
  action.cellWidth = 2.2f;
  action.cellHeight = 2.6f;
  action.colour = rgb(0.92f, 0.93f, 0.95f);
  const std::vector<SControl>& rows = Controls();
  for (size_t i = 0; i < rows.size(); ++i) {
    const SControlPlace place = ControlsPanelPlace(i);
    drawText(image, rows[i].action, place.x + kControlsKeysWidth, place.y, action);
  }
  return image.resized(1024, 1024);
}

Image paintIcon() {
  // A tank on an amber disc, for the desktop entry; designed at 256 pixels.
  Image image(256, 256, true);
  image.fillShape([](float x, float y) { return std::hypot(x - 128, y - 128) - 124; }, rgb(0.10f, 0.12f, 0.13f));
  image.fillShape([](float x, float y) { return std::hypot(x - 128, y - 128) - 112; }, kAmber);
  tankSilhouette(image, 112, 178, 1.35f, rgb(0.06f, 0.06f, 0.07f));
  return image.resized(64, 64);
}

Image paintButton(const char* label, int look) {
  // Designed at twice the button's window size (205 x 38 pixels).
  Image image(kBarW, kBarH, true);
  const float cx = kBarW / 2.0f, cy = kBarH / 2.0f, hw = kBarW / 2.0f - 2, hh = kBarH / 2.0f - 2;
  const Colour rim = look == 1 ? kAmber : (look == 2 ? rgb(0.8f, 0.5f, 0.15f) : kSteel);
  image.fillShape([=](float x, float y) { return sdBox(x, y, cx, cy, hw, hh, 14); }, rim);
  const Colour top = look == 2 ? rgb(0.10f, 0.11f, 0.12f) : (look == 1 ? rgb(0.34f, 0.36f, 0.38f) : rgb(0.26f, 0.28f, 0.30f));
  const Colour bottom = look == 2 ? rgb(0.20f, 0.21f, 0.22f) : rgb(0.10f, 0.11f, 0.12f);
  Image face(kBarW, kBarH, true);
  face.paint([&](int, int y) { return mix(top, bottom, y / static_cast<float>(kBarH)); });
  image.fillShape([=](float x, float y) { return sdBox(x, y, cx, cy, hw - 4, hh - 4, 11); }, rgb(0, 0, 0, 0));
  for (int y = 0; y < kBarH; ++y)
    for (int x = 0; x < kBarW; ++x) {
      const float d = sdBox(x + 0.5f, y + 0.5f, cx, cy, hw - 4, hh - 4, 11);
      if (d < 0.5f) image.blend(x, y, face.get(x, y), std::min(1.0f, 0.5f - d));
    }
  TextStyle style;
  style.cellWidth = 5.0f;
  style.cellHeight = 5.0f;
  style.colour = look == 0 ? rgb(0.90f, 0.92f, 0.94f) : (look == 1 ? rgb(1.0f, 0.86f, 0.45f) : kAmber);
  drawTextCentred(image, label, cx, cy + (look == 2 ? 3.0f : 0.0f), style, 3.0f);
  return image.resized(256, 64);
}

Image paintGlyphs() {
  Image image(glyphs::WIDTH, glyphs::HEIGHT, true);
  TextStyle style;
  style.cellWidth = 4.6f;
  style.cellHeight = 4.6f;
  style.colour = rgb(0.95f, 0.95f, 0.92f);
  for (int c = glyphs::FIRST; c <= glyphs::LAST; ++c) {
    const int cell = c - glyphs::FIRST;
    const float x = (cell % glyphs::COLUMNS) * glyphs::CELL_W + (glyphs::CELL_W - kGlyphColumns * style.cellWidth) / 2;
    const float y = (cell / glyphs::COLUMNS) * glyphs::CELL_H + (glyphs::CELL_H - kGlyphRows * style.cellHeight) / 2;
    drawText(image, std::string(1, static_cast<char>(c)), x, y, style);
  }
  image.flipVertical();
  return image;
}

Image paintScorePanel() {
  // A dark glass plate with the menu's steel rim, stretched over the scoreboard.
  Image image(512, 512, true);
  image.fillShape([](float x, float y) { return sdBox(x, y, 256, 256, 250, 250, 18); }, rgb(0.6f, 0.62f, 0.64f, 0.85f));
  image.fillShape([](float x, float y) { return sdBox(x, y, 256, 256, 246, 246, 15); }, rgb(0.04f, 0.05f, 0.06f, 0.80f));
  return image;
}

bool digitSegment(int digit, int segment) {
  // Segments a (top), b (top right), c (bottom right), d (bottom), e (bottom left),
  // f (top left), g (middle).
  static const char* lit[10] = {"abcdef", "bc", "abdeg", "abcdg", "bcfg",
                                "acdfg", "acdefg", "abc", "abcdefg", "abcdfg"};
  for (const char* p = lit[digit]; *p; ++p)
    if (*p - 'a' == segment) return true;
  return false;
}

Image paintDigitStrip() {
  Image image(kDigitStripWidth, kDigitStripHeight, true);
  for (int digit = 0; digit < 10; ++digit) {
    const float x0 = digit * kDigitCell + 6.0f, x1 = (digit + 1) * kDigitCell - 6.0f;
    const float y0 = 12.0f, y1 = kDigitStripHeight - 12.0f, ym = (y0 + y1) / 2;
    const float t = 3.2f;  // half the stroke width
    const float seg[7][4] = {{x0 + t, y0, x1 - t, y0},  {x1, y0 + t, x1, ym - t}, {x1, ym + t, x1, y1 - t},
                             {x0 + t, y1, x1 - t, y1},  {x0, ym + t, x0, y1 - t}, {x0, y0 + t, x0, ym - t},
                             {x0 + t, ym, x1 - t, ym}};
    for (int s = 0; s < 7; ++s) {
      const float* g = seg[s];
      const Colour c = digitSegment(digit, s) ? kAmber : rgb(kAmber.r, kAmber.g, kAmber.b, 0.10f);
      image.fillShape([=](float x, float y) { return sdSegment(x, y, g[0], g[1], g[2], g[3], t); }, c,
                      digit * kDigitCell, 0, (digit + 1) * kDigitCell, kDigitStripHeight);
    }
  }
  image.flipVertical();
  return image;
}

Image paintFontAtlas() {
  Image image(FONT_COLUMNS * FONT_CELL_WIDTH, FONT_ROWS * FONT_CELL_HEIGHT, true);
  TextStyle rim;
  rim.cellWidth = 4.4f;
  rim.cellHeight = 5.0f;
  rim.colour = rgb(0.0f, 0.0f, 0.0f, 0.8f);
  TextStyle face = rim;
  face.colour = rgb(0.96f, 0.93f, 0.82f);
  for (int i = 0; i < FONT_COLUMNS * FONT_ROWS; ++i) {
    const std::string c(1, static_cast<char>(FONT_FIRST + i));
    const float x = (i % FONT_COLUMNS) * FONT_CELL_WIDTH + 4.0f, y = (i / FONT_COLUMNS) * FONT_CELL_HEIGHT + 6.0f;
    for (int dy = -2; dy <= 2; dy += 2)
      for (int dx = -2; dx <= 2; dx += 2) drawText(image, c, x + dx, y + dy, rim);
    drawText(image, c, x, y, face);
  }
  image.flipVertical();
  return image;
}

}  // namespace assetgen
