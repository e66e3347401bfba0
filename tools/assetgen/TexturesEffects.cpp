// Animated strips for the shot effects: 14 frames side by side, each painted in the units
// of the sprite it lies on so that the frames' picture is not distorted on the model.
#include <algorithm>
#include <cmath>
#include <functional>

#include "tools/assetgen/Noise.h"
#include "tools/assetgen/Painters.h"
#include "tools/assetgen/Textures.h"

namespace assetgen {

namespace {

float smoothstep(float e0, float e1, float x) {
  const float t = std::min(std::max((x - e0) / (e1 - e0), 0.0f), 1.0f);
  return t * t * (3.0f - 2.0f * t);
}

// Paints `frame(f, fx, fy)` into each frame cell; fx and fy run 0..1 across the cell, fy down.
Image paintStrip(const std::function<Colour(int, float, float)>& frame) {
  Image image(1024, 128, true);
  image.paint([&](int x, int y) {
    const float cell = 1024.0f / kFlashFrames;
    const int f = std::min(kFlashFrames - 1, static_cast<int>((x + 0.5f) / cell));
    const float fx = ((x + 0.5f) - f * cell) / cell, fy = (y + 0.5f) / 128.0f;
    // Empty margins keep a frame from bleeding into its neighbour under linear filtering.
    const float edge = std::min(fx, 1.0f - fx);
    Colour c = frame(f, fx, fy);
    c.a *= smoothstep(0.02f, 0.06f, edge);
    return c;
  });
  return image;
}

Colour fire(float heat, float alpha) {
  // White core through yellow and orange to a dark red rim.
  Colour c = mix(rgb(0.55f, 0.08f, 0.02f), rgb(1.0f, 0.55f, 0.08f), smoothstep(0.0f, 0.4f, heat));
  c = mix(c, rgb(1.0f, 0.92f, 0.55f), smoothstep(0.4f, 0.75f, heat));
  c = mix(c, rgb(1.0f, 1.0f, 0.95f), smoothstep(0.75f, 1.0f, heat));
  c.a = alpha;
  return c;
}

}  // namespace

Image paintMuzzleFlash() {
  // Sprite units: along the gun 0..28 (fx), across -7..7 (fy).
  return paintStrip([](int f, float fx, float fy) {
    const float t = f / 13.0f;
    const float along = fx * 28.0f, across = (fy - 0.5f) * 14.0f;
    const float size = (f < 2 ? 0.6f + 0.2f * f : 1.0f - 0.55f * t);
    const float len = 26.0f * size, width = 5.5f * size;
    const float a = std::min(1.0f, along / len);
    const float profile = width * 2.6f * std::sqrt(a) * (1.0f - a);
    const float angle = std::atan2(across, along + 2.0f);
    const float spikes = 0.75f + 0.25f * valueNoise(angle * 9.0f + f * 3.1f, along * 0.25f, 501);
    const float d = std::fabs(across) / std::max(0.01f, profile * spikes);
    const float heat = (1.0f - d) * (1.0f - 0.7f * t) * (1.15f - 0.5f * along / len);
    const float flame = along < len ? smoothstep(1.0f, 0.55f, d) : 0.0f;
    Colour c = fire(heat, flame * (1.0f - 0.6f * t));
    // Smoke left behind by the later frames.
    const float smoke = smoothstep(0.35f, 1.0f, t) * smoothstep(0.5f, 0.0f, std::fabs(across) / 6.0f) *
                        fbm(along * 0.2f + f, across * 0.3f, 502, 3) * smoothstep(28.0f, 14.0f, along);
    if (smoke * 0.5f > c.a) c = rgb(0.35f, 0.33f, 0.31f, smoke * 0.5f);
    return c;
  });
}

Image paintImpact() {
  // Sprite units: across -22..22 (fx), height 38 at the top to -6 at the bottom (fy).
  return paintStrip([](int f, float fx, float fy) {
    const float t = f / 13.0f;
    const float x = (fx - 0.5f) * 44.0f, y = 38.0f - fy * 44.0f;
    const float radius = 6.0f + 15.0f * std::sqrt(t);
    const float cy = 4.0f + 14.0f * t;
    const float turbulence = fbm(x * 0.15f + f * 0.7f, y * 0.15f - f * 0.9f, 511, 4);
    const float d = std::hypot(x, (y - cy) * 1.1f) / radius + (turbulence - 0.5f) * 0.6f;
    const float heat = (1.0f - d) * (1.2f - 1.1f * t);
    const float body = smoothstep(1.0f, 0.75f, d);
    Colour c = fire(heat * 1.4f, body * (1.0f - 0.2f * t));
    if (t > 0.3f) c = mix(c, rgb(0.22f, 0.20f, 0.19f, c.a), smoothstep(0.3f, 1.0f, t) * smoothstep(0.2f, 0.9f, d));
    // Dust thrown sideways along the ground.
    const float dust = smoothstep(1.0f, 0.0f, std::fabs(y) / (3.0f + 6.0f * t)) *
                       smoothstep(6.0f + 20.0f * t, 2.0f, std::fabs(x)) * (1.0f - t) * turbulence;
    if (dust > c.a) c = rgb(0.45f, 0.38f, 0.28f, dust);
    c.a *= smoothstep(-6.0f, -3.0f, y);
    return c;
  });
}

}  // namespace assetgen
