// Sky box faces. Every pixel is painted from its direction of view, so the six faces meet
// without seams; the sun stands where the scene light starts, seen from the arena's centre.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/Mesh.h"
#include "tools/assetgen/Noise.h"
#include "tools/assetgen/Painters.h"

namespace assetgen {

namespace {

constexpr int kSkySize = 512;

float smoothstep(float e0, float e1, float x) {
  const float t = std::min(std::max((x - e0) / (e1 - e0), 0.0f), 1.0f);
  return t * t * (3.0f - 2.0f * t);
}

// Elevation (radians) of a hill line at azimuth `az`; periodic in az.
float hillLine(float az, float base, float height, float scale, uint32_t seed) {
  return base + height * smoothstep(0.25f, 0.75f, fbm(std::cos(az) * scale + 50.0f, std::sin(az) * scale + 50.0f, seed, 5));
}

Colour skyColour(Vec3 d) {
  const Vec3 sun = normalised({-490.0f, 550.0f, -490.0f});
  const float elevation = std::asin(std::max(-1.0f, std::min(1.0f, d.y)));
  const float az = std::atan2(d.x, -d.z);

  const Colour horizon = rgb(0.80f, 0.84f, 0.86f), zenith = rgb(0.22f, 0.42f, 0.74f);
  Colour c = mix(horizon, zenith, std::pow(std::max(d.y, 0.0f), 0.55f));
  const float s = std::max(dot(d, sun), 0.0f);
  c.r += 0.35f * std::pow(s, 6.0f) + 0.6f * std::pow(s, 120.0f);
  c.g += 0.28f * std::pow(s, 6.0f) + 0.55f * std::pow(s, 120.0f);
  c.b += 0.15f * std::pow(s, 6.0f) + 0.4f * std::pow(s, 120.0f);
  if (s > 0.9994f) c = rgb(1.0f, 0.98f, 0.92f);

  if (d.y > 0.01f) {  // clouds on a flat layer, thinning towards the horizon
    const float px = d.x / d.y * 1.6f, pz = d.z / d.y * 1.6f;
    const float density = smoothstep(0.48f, 0.78f, fbm(px + 20.0f, pz + 20.0f, 301, 6));
    const float light = 0.78f + 0.3f * fbm(px * 1.7f + 3.0f, pz * 1.7f, 302, 3) + 0.25f * std::pow(s, 4.0f);
    const float fade = smoothstep(0.02f, 0.3f, d.y);
    c = mix(c, rgb(light, light, light * 1.02f), density * fade * 0.9f);
  }

  // Two ranges of distant hills, the nearer darker, both in the haze of the horizon.
  const float pixel = 2.0f / kSkySize;
  const float far = hillLine(az, 0.015f, 0.13f, 2.0f, 311);
  const float nearLine = hillLine(az + 1.3f, -0.004f, 0.075f, 3.5f, 312);
  const float farCover = 1.0f - smoothstep(far - pixel, far + pixel, elevation);
  const Colour farColour = mix(rgb(0.52f, 0.60f, 0.66f), horizon, 0.35f);
  c = mix(c, farColour, farCover);
  const float nearCover = 1.0f - smoothstep(nearLine - pixel, nearLine + pixel, elevation);
  const float texture = fbm(az * 40.0f, elevation * 60.0f, 313, 4);
  const Colour nearColour = mix(rgb(0.30f, 0.38f, 0.30f), rgb(0.42f, 0.48f, 0.40f), texture);
  c = mix(c, nearColour, nearCover);

  if (elevation < -0.004f) {  // land below the horizon, fading into shadow underneath
    const float depth = smoothstep(-0.004f, -0.5f, elevation);
    const Colour land = mix(rgb(0.33f, 0.38f, 0.27f), rgb(0.16f, 0.19f, 0.13f), depth);
    c = mix(c, scaled(land, 0.9f + 0.2f * texture), smoothstep(-0.004f, -0.03f, elevation));
  }
  return c;
}

}  // namespace

void skyFaceAxes(int face, Vec3 axes[3]) {
  // Centre, right and up of each face as seen from inside the box.
  static const Vec3 frames[6][3] = {
      {{0, 0, -1}, {1, 0, 0}, {0, 1, 0}},   // north
      {{1, 0, 0}, {0, 0, 1}, {0, 1, 0}},    // east
      {{0, 0, 1}, {-1, 0, 0}, {0, 1, 0}},   // south
      {{-1, 0, 0}, {0, 0, -1}, {0, 1, 0}},  // west
      {{0, 1, 0}, {1, 0, 0}, {0, 0, 1}},    // top
      {{0, -1, 0}, {1, 0, 0}, {0, 0, -1}},  // bottom
  };
  for (int i = 0; i < 3; ++i) axes[i] = frames[face][i];
}

Image paintSkyFace(int face) {
  Vec3 axes[3];
  skyFaceAxes(face, axes);
  const Vec3 centre = axes[0], right = axes[1], up = axes[2];
  Image image(kSkySize, kSkySize, false);
  image.paint([&](int x, int y) {
    const float a = 2.0f * (x + 0.5f) / kSkySize - 1.0f, b = 1.0f - 2.0f * (y + 0.5f) / kSkySize;
    return skyColour(normalised(centre + right * a + up * b));
  });
  return image;
}

}  // namespace assetgen
