// Tileable surfaces of the battlefield: ground, concrete, camouflage, rock, wood, metal,
// and the normal maps that the lit programs read from texture unit 1.
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "tools/assetgen/Font.h"
#include "tools/assetgen/Noise.h"
#include "tools/assetgen/Painters.h"

namespace assetgen {

namespace {

float smoothstep(float e0, float e1, float x) {
  const float t = std::min(std::max((x - e0) / (e1 - e0), 0.0f), 1.0f);
  return t * t * (3.0f - 2.0f * t);
}

// Tangent-space normal map from a height field given in pixels (tileable: wraps around).
Image normalMap(int size, const std::function<float(int, int)>& height, float strength) {
  std::vector<float> h(static_cast<size_t>(size) * size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) h[static_cast<size_t>(y) * size + x] = height(x, y);
  auto at = [&](int x, int y) {
    x = (x + size) % size;
    y = (y + size) % size;
    return h[static_cast<size_t>(y) * size + x];
  };
  Image image(size, size, false);
  image.paint([&](int x, int y) {
    const float dx = (at(x + 1, y) - at(x - 1, y)) * 0.5f * strength;
    const float dy = (at(x, y + 1) - at(x, y - 1)) * 0.5f * strength;
    const float len = std::sqrt(dx * dx + dy * dy + 1.0f);
    return rgb(0.5f - 0.5f * dx / len, 0.5f - 0.5f * dy / len, 0.5f + 0.5f / len);
  });
  return image;
}

// Seams of a grid of `cells` plates: 1 on a seam, falling to 0 within `width` pixels.
float seam(int x, int y, int size, int cells, float width) {
  const float cell = static_cast<float>(size) / cells;
  const float fx = std::fmod(x + 0.5f, cell), fy = std::fmod(y + 0.5f, cell);
  const float d = std::min(std::min(fx, cell - fx), std::min(fy, cell - fy));
  return 1.0f - smoothstep(0.0f, width, d);
}

// Rivets along the plate edges: 1 at a rivet centre.
float rivet(int x, int y, int size, int cells, float spacing, float inset, float radius) {
  const float cell = static_cast<float>(size) / cells;
  const float fx = std::fmod(x + 0.5f, cell), fy = std::fmod(y + 0.5f, cell);
  float best = 1e9f;
  for (float edge : {inset, cell - inset}) {
    const float along = std::fmod(fy, spacing) - spacing * 0.5f;
    best = std::min(best, std::hypot(fx - edge, along));
    const float across = std::fmod(fx, spacing) - spacing * 0.5f;
    best = std::min(best, std::hypot(fy - edge, across));
  }
  return 1.0f - smoothstep(radius * 0.6f, radius, best);
}

float groundDirt(float u, float v) { return smoothstep(0.60f, 0.68f, fbm(u * 6, v * 6, 21, 4, 6)); }

float camoField(float u, float v, uint32_t seed) {
  // Stretched blobs, as painted on a hull.
  return fbm(u * 3 + 0.3f * fbm(u * 6, v * 6, seed + 9, 2, 6), v * 3, seed, 4, 3);
}

}  // namespace

Image paintGround() {
  Image image(512, 512, false);
  image.paint([](int x, int y) {
    const float u = x / 512.0f, v = y / 512.0f;
    const float tone = fbm(u * 8, v * 8, 11, 5, 8);
    const float blades = valueNoise(u * 160, v * 160, 12, 160);
    Colour grass = mix(rgb(0.20f, 0.28f, 0.11f), rgb(0.45f, 0.52f, 0.24f), tone);
    grass = scaled(grass, 0.82f + 0.36f * blades);
    const float dirtTone = fbm(u * 16, v * 16, 13, 4, 16);
    Colour dirt = mix(rgb(0.33f, 0.27f, 0.19f), rgb(0.52f, 0.44f, 0.32f), dirtTone);
    const float pebble = 1.0f - smoothstep(0.04f, 0.09f, cellNoise(u * 40, v * 40, 14, 40));
    dirt = mix(dirt, rgb(0.58f, 0.56f, 0.50f), pebble * 0.45f);
    return mix(grass, dirt, groundDirt(u, v));
  });
  return image;
}

Image paintGroundBump() {
  return normalMap(512, [](int x, int y) {
    const float u = x / 512.0f, v = y / 512.0f;
    const float blades = valueNoise(u * 160, v * 160, 12, 160);
    const float pebble = 1.0f - smoothstep(0.03f, 0.09f, cellNoise(u * 40, v * 40, 14, 40));
    const float dirt = groundDirt(u, v);
    return blades * (1.0f - dirt) * 1.2f + pebble * dirt * 2.5f + fbm(u * 8, v * 8, 15, 3, 8) * 4.0f;
  }, 1.5f);
}

Image paintConcrete() {
  Image image(512, 512, false);
  image.paint([](int x, int y) {
    const float u = x / 512.0f, v = y / 512.0f;
    const float tone = fbm(u * 16, v * 16, 31, 5, 16);
    Colour c = mix(rgb(0.50f, 0.50f, 0.48f), rgb(0.68f, 0.67f, 0.64f), tone);
    const float stain = smoothstep(0.55f, 0.8f, fbm(u * 4, v * 4, 32, 4, 4));
    c = scaled(c, 1.0f - 0.25f * stain);
    // Rain streaks run down each panel.
    const float streak = valueNoise(u * 96, v * 3, 33, 96);
    c = scaled(c, 0.92f + 0.1f * streak);
    const float pit = 1.0f - smoothstep(0.02f, 0.045f, cellNoise(u * 48, v * 48, 34, 48));
    c = scaled(c, 1.0f - 0.25f * pit);
    return scaled(c, 1.0f - 0.55f * seam(x, y, 512, 2, 3.0f));
  });
  return image;
}

Image paintConcreteBump() {
  return normalMap(512, [](int x, int y) {
    const float u = x / 512.0f, v = y / 512.0f;
    const float pit = 1.0f - smoothstep(0.02f, 0.045f, cellNoise(u * 48, v * 48, 34, 48));
    return fbm(u * 32, v * 32, 35, 3, 32) * 1.5f - pit * 2.0f - seam(x, y, 512, 2, 3.0f) * 3.0f;
  }, 1.2f);
}

Image paintCamo(int variant) {
  static const Colour palettes[3][4] = {
      {{0.34f, 0.37f, 0.22f, 1}, {0.17f, 0.24f, 0.13f, 1}, {0.38f, 0.28f, 0.17f, 1}, {0.09f, 0.10f, 0.08f, 1}},
      {{0.72f, 0.62f, 0.43f, 1}, {0.57f, 0.46f, 0.31f, 1}, {0.43f, 0.33f, 0.22f, 1}, {0.82f, 0.74f, 0.57f, 1}},
      {{0.80f, 0.82f, 0.83f, 1}, {0.55f, 0.58f, 0.61f, 1}, {0.31f, 0.34f, 0.37f, 1}, {0.92f, 0.93f, 0.94f, 1}}};
  const Colour* p = palettes[variant];
  const uint32_t seed = 40u + static_cast<uint32_t>(variant) * 7u;
  Image image(512, 512, false);
  image.paint([&](int x, int y) {
    const float u = x / 512.0f, v = y / 512.0f;
    Colour c = p[0];
    if (camoField(u, v, seed) > 0.55f) c = p[1];
    if (camoField(u + 0.37f, v + 0.11f, seed + 1) > 0.60f) c = p[2];
    if (camoField(u + 0.71f, v + 0.53f, seed + 2) > 0.66f) c = p[3];
    const float wear = fbm(u * 32, v * 32, seed + 3, 4, 32);
    c = scaled(c, 0.86f + 0.22f * wear);
    c = scaled(c, 1.0f - 0.45f * seam(x, y, 512, 4, 1.5f));
    return mix(c, rgb(0.8f, 0.8f, 0.75f), 0.3f * rivet(x, y, 512, 4, 32.0f, 6.0f, 2.5f));
  });
  return image;
}

Image paintTankBump() {
  return normalMap(256, [](int x, int y) {
    const float u = x / 256.0f, v = y / 256.0f;
    return fbm(u * 16, v * 16, 49, 3, 16) * 0.8f - seam(x, y, 256, 4, 1.2f) * 2.0f +
           rivet(x, y, 256, 4, 16.0f, 3.0f, 1.6f) * 1.5f;
  }, 1.5f);
}

Image paintRock() {
  Image image(512, 512, false);
  image.paint([](int x, int y) {
    const float u = x / 512.0f, v = y / 512.0f;
    const float tone = fbm(u * 8, v * 8, 51, 6, 8);
    Colour c = mix(rgb(0.33f, 0.31f, 0.28f), rgb(0.62f, 0.58f, 0.52f), tone);
    const float crack = 1.0f - smoothstep(0.0f, 0.035f, std::fabs(fbm(u * 6, v * 6, 52, 5, 6) - 0.5f));
    c = scaled(c, 1.0f - 0.55f * crack);
    const float lichen = smoothstep(0.62f, 0.7f, fbm(u * 12, v * 12, 53, 4, 12));
    c = mix(c, rgb(0.42f, 0.46f, 0.24f), 0.6f * lichen);
    return c;
  });
  return image;
}

Image paintRockBump() {
  return normalMap(512, [](int x, int y) {
    const float u = x / 512.0f, v = y / 512.0f;
    const float crack = 1.0f - smoothstep(0.0f, 0.035f, std::fabs(fbm(u * 6, v * 6, 52, 5, 6) - 0.5f));
    return fbm(u * 8, v * 8, 51, 6, 8) * 12.0f - crack * 3.0f;
  }, 1.0f);
}

Image paintPine() {
  // Atlas: needles in the top three quarters for the crowns, bark in the bottom quarter.
  Image image(256, 256, false);
  image.paint([](int x, int y) {
    const float u = x / 256.0f, v = y / 256.0f;
    if (y < 188) {
      const float needles = valueNoise(u * 96 + v * 24, v * 40, 61, 0);
      const float clump = fbm(u * 6, v * 6, 62, 4, 6);
      Colour c = mix(rgb(0.06f, 0.16f, 0.08f), rgb(0.20f, 0.36f, 0.16f), clump);
      return scaled(c, (0.7f + 0.6f * needles) * (0.75f + 0.35f * v));
    }
    const float furrow = valueNoise(u * 24, v * 3, 71, 24);
    Colour c = mix(rgb(0.18f, 0.12f, 0.08f), rgb(0.42f, 0.31f, 0.20f), furrow);
    return scaled(c, 0.85f + 0.3f * fbm(u * 32, v * 32, 72, 3, 32));
  });
  return image;
}

Image paintWood() {
  // One crate side per repeat: a frame of boards with a diagonal brace.
  Image image(256, 256, false);
  auto boards = [](float x, float y, bool across) {
    const float along = across ? x : y, side = across ? y : x;
    const float grain = valueNoise(along / 40.0f, side / 3.0f, 73, 0);
    const float plank = std::fmod(side, 64.0f);
    Colour c = mix(rgb(0.45f, 0.32f, 0.18f), rgb(0.66f, 0.50f, 0.30f), grain);
    return scaled(c, plank < 2.5f ? 0.45f : 1.0f);
  };
  image.paint([&](int x, int y) { return boards(x + 0.5f, y + 0.5f, true); });
  auto frame = [](float x, float y) {
    const float inner = sdBox(x, y, 128, 128, 104, 104);
    const float diagonal = sdSegment(x, y, 24, 232, 232, 24, 16);
    return std::min(-inner, diagonal);
  };
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      const float d = frame(x + 0.5f, y + 0.5f);
      if (d < 0.5f) image.blend(x, y, scaled(boards(x * 0.7f + y * 0.7f, y * 0.7f - x * 0.7f, false), 1.12f), std::min(1.0f, 0.5f - d));
      if (std::fabs(d) < 1.5f) image.blend(x, y, rgb(0.12f, 0.08f, 0.05f), 0.8f);
    }
  // Nail heads at the frame corners.
  for (float cx : {12.0f, 244.0f})
    for (float cy : {12.0f, 244.0f})
      image.fillShape([=](float x, float y) { return sdCircle(x, y, cx, cy, 3.5f); }, rgb(0.25f, 0.25f, 0.26f));
  return image;
}

Image paintMetal() {
  Image image(512, 512, false);
  Rng rng(81);
  image.paint([](int x, int y) {
    const float u = x / 512.0f, v = y / 512.0f;
    Colour c = mix(rgb(0.30f, 0.33f, 0.28f), rgb(0.44f, 0.47f, 0.40f), fbm(u * 16, v * 16, 82, 4, 16));
    const float rust = smoothstep(0.6f, 0.75f, fbm(u * 8, v * 2, 83, 4, 8) * 0.7f + valueNoise(u * 64, v * 4, 84, 64) * 0.3f);
    c = mix(c, rgb(0.42f, 0.24f, 0.12f), rust * 0.7f);
    c = scaled(c, 1.0f - 0.5f * seam(x, y, 512, 2, 2.0f));
    return mix(c, rgb(0.62f, 0.62f, 0.58f), 0.5f * rivet(x, y, 512, 2, 28.0f, 9.0f, 3.5f));
  });
  for (int i = 0; i < 40; ++i) {  // scratches
    const float ax = rng.range(0, 512), ay = rng.range(0, 512);
    const float bx = ax + rng.range(-40, 40), by = ay + rng.range(-12, 12);
    image.fillShape([=](float x, float y) { return sdSegment(x, y, ax, ay, bx, by, 0.6f); },
                    rgb(0.7f, 0.7f, 0.66f, 0.5f), static_cast<int>(std::min(ax, bx)) - 2,
                    static_cast<int>(std::min(ay, by)) - 2, static_cast<int>(std::max(ax, bx)) + 3,
                    static_cast<int>(std::max(ay, by)) + 3);
  }
  return image;
}

Image paintMetalBump() {
  return normalMap(512, [](int x, int y) {
    const float u = x / 512.0f, v = y / 512.0f;
    return fbm(u * 32, v * 32, 85, 3, 32) * 0.6f - seam(x, y, 512, 2, 2.0f) * 2.5f +
           rivet(x, y, 512, 2, 28.0f, 9.0f, 3.5f) * 2.0f;
  }, 1.5f);
}

Image paintFlatBump() {
  Image image(64, 64, false);
  image.fill(rgb(0.5f, 0.5f, 1.0f));
  return image;
}

Image paintSandbag() {
  Image image(256, 256, false);
  image.paint([](int x, int y) {
    // Four rows of bags, every other row shifted by half a bag.
    const float row = y / 64.0f;
    const int r = static_cast<int>(row);
    const float shift = (r % 2) ? 32.0f : 0.0f;
    const float bx = std::fmod(x + shift, 64.0f) - 32.0f, by = (row - r) * 64.0f - 32.0f;
    const float d = sdBox(bx, by, 0, 0, 29.0f, 27.0f, 12.0f);
    const float shade = 1.0f - smoothstep(-10.0f, 2.0f, d) * 0.6f;
    const float weave = valueNoise(x * 0.7f, y * 0.7f, 91, 0) * 0.5f + valueNoise(x * 0.35f, y * 1.4f, 92, 0) * 0.5f;
    Colour c = mix(rgb(0.45f, 0.39f, 0.27f), rgb(0.64f, 0.57f, 0.42f), weave);
    return scaled(c, d > 0.0f ? 0.3f : shade * (1.0f - 0.35f * by / 32.0f * 0.5f));
  });
  return image;
}

Image paintCrate(int kind) {
  static const Colour colours[6] = {{0.78f, 0.16f, 0.10f, 1}, {0.16f, 0.36f, 0.82f, 1},
                                    {0.92f, 0.55f, 0.08f, 1}, {0.20f, 0.68f, 0.22f, 1},
                                    {0.56f, 0.18f, 0.70f, 1}, {0.10f, 0.70f, 0.76f, 1}};
  static const char* labels[6] = {"BREACH", "ARMOUR", "GUN", "DRIVE", "FRAGILE", "MYSTERY"};
  const Colour accent = colours[kind];
  Image image(256, 256, false);
  image.paint([](int x, int y) {
    const float u = x / 256.0f, v = y / 256.0f;
    Colour c = mix(rgb(0.16f, 0.17f, 0.16f), rgb(0.26f, 0.27f, 0.25f), fbm(u * 16, v * 16, 101, 4, 16));
    return c;
  });
  // Raised centre panel in the kind's colour, with a bevel.
  image.fillShape([](float x, float y) { return sdBox(x, y, 128, 128, 104, 104, 10); }, rgb(0.05f, 0.05f, 0.05f));
  image.fillShape([](float x, float y) { return sdBox(x, y, 128, 128, 100, 100, 8); }, scaled(accent, 0.75f));
  image.fillShape([](float x, float y) { return sdBox(x, y, 128, 126, 96, 94, 6); }, accent);
  const Colour ink = rgb(0.97f, 0.96f, 0.90f);
  const Colour dark = rgb(0.08f, 0.06f, 0.05f);
  const float cx = 128, cy = 104;
  switch (kind) {
    case 0:
    case 1: {  // shield; cracked for the armour breach
      auto shield = [=](float x, float y) {
        return std::min(sdBox(x, y, cx, cy - 14, 34, 22, 4), sdCircle(x, y, cx, cy + 2, 34));
      };
      image.fillShape([=](float x, float y) { return std::max(shield(x, y), y - cy - 36); }, ink);
      if (kind == 0)
        for (auto s : {std::array<float, 4>{cx - 6, cy - 38, cx + 8, cy - 8}, std::array<float, 4>{cx + 8, cy - 8, cx - 8, cy + 10},
                       std::array<float, 4>{cx - 8, cy + 10, cx + 4, cy + 36}})
          image.fillShape([=](float x, float y) { return sdSegment(x, y, s[0], s[1], s[2], s[3], 4); }, dark);
      break;
    }
    case 2:  // crosshair
      image.fillShape([=](float x, float y) { return std::fabs(sdCircle(x, y, cx, cy, 28)) - 5; }, ink);
      for (int i = 0; i < 4; ++i) {
        const float dx = (i == 0) - (i == 1), dy = (i == 2) - (i == 3);
        image.fillShape([=](float x, float y) { return sdSegment(x, y, cx + dx * 16, cy + dy * 16, cx + dx * 44, cy + dy * 44, 4); }, ink);
      }
      break;
    case 3:  // double chevron pointing ahead
      for (float o : {-14.0f, 14.0f})
        image.fillShape([=](float x, float y) {
          return std::min(sdSegment(x, y, cx - 34, cy + o + 16, cx, cy + o - 14, 7),
                          sdSegment(x, y, cx, cy + o - 14, cx + 34, cy + o + 16, 7));
        }, ink);
      break;
    case 4: {  // warning triangle
      auto tri = [=](float x, float y) {
        const float a = sdSegment(x, y, cx, cy - 40, cx - 42, cy + 34, 5);
        const float b = sdSegment(x, y, cx - 42, cy + 34, cx + 42, cy + 34, 5);
        const float c = sdSegment(x, y, cx + 42, cy + 34, cx, cy - 40, 5);
        return std::min(a, std::min(b, c));
      };
      image.fillShape(tri, ink);
      TextStyle mark;
      mark.cellWidth = mark.cellHeight = 6;
      mark.colour = ink;
      drawTextCentred(image, "!", cx, cy + 6, mark);
      break;
    }
    default: {
      TextStyle mark;
      mark.cellWidth = mark.cellHeight = 12;
      mark.colour = ink;
      drawTextCentred(image, "?", cx, cy, mark);
    }
  }
  TextStyle text;
  text.cellWidth = 4.5f;
  text.cellHeight = 5.0f;
  text.colour = ink;
  drawTextCentred(image, labels[kind], 128, 186, text, 2.0f);
  return image;
}

}  // namespace assetgen
