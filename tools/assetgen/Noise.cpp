#include "tools/assetgen/Noise.h"

#include <cmath>

namespace assetgen {

namespace {

uint32_t hash(int x, int y, uint32_t seed) {
  uint32_t h = seed * 0x9E3779B1u ^ static_cast<uint32_t>(x) * 0x85EBCA77u ^
               static_cast<uint32_t>(y) * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

float unitHash(int x, int y, uint32_t seed) { return (hash(x, y, seed) & 0xFFFFFF) / 16777216.0f; }

int wrap(int v, int period) { return period > 0 ? ((v % period) + period) % period : v; }

float smooth(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

}  // namespace

uint32_t Rng::next() {
  // splitmix64
  uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
}

float Rng::uniform() { return (next() >> 8) / 16777216.0f; }

float Rng::range(float lo, float hi) { return lo + (hi - lo) * uniform(); }

int Rng::below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }

float valueNoise(float x, float y, uint32_t seed, int period) {
  const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
  const float tx = smooth(x - x0), ty = smooth(y - y0);
  const int xa = wrap(x0, period), xb = wrap(x0 + 1, period);
  const int ya = wrap(y0, period), yb = wrap(y0 + 1, period);
  const float a = unitHash(xa, ya, seed), b = unitHash(xb, ya, seed);
  const float c = unitHash(xa, yb, seed), d = unitHash(xb, yb, seed);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float fbm(float x, float y, uint32_t seed, int octaves, int period) {
  float sum = 0.0f, weight = 0.5f, total = 0.0f;
  for (int i = 0; i < octaves; ++i) {
    sum += valueNoise(x, y, seed + static_cast<uint32_t>(i) * 101u, period) * weight;
    total += weight;
    x *= 2.0f;
    y *= 2.0f;
    if (period > 0) period *= 2;
    weight *= 0.5f;
  }
  return sum / total;
}

float cellNoise(float x, float y, uint32_t seed, int period) {
  const int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
  float best = 10.0f;
  for (int j = -1; j <= 1; ++j)
    for (int i = -1; i <= 1; ++i) {
      const int gx = cx + i, gy = cy + j;
      const float px = gx + unitHash(wrap(gx, period), wrap(gy, period), seed);
      const float py = gy + unitHash(wrap(gx, period), wrap(gy, period), seed ^ 0x5bd1e995u);
      best = std::fmin(best, std::hypot(x - px, y - py));
    }
  return best;
}

}  // namespace assetgen
