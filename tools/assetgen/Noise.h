// Deterministic random numbers and value noise; nothing depends on the C library's rand.
#pragma once
#include <cstdint>

namespace assetgen {

class Rng {
 public:
  explicit Rng(uint64_t seed) : m_state(seed) {}
  uint32_t next();
  float uniform();                    // [0, 1)
  float range(float lo, float hi);    // [lo, hi)
  int below(int n);                   // [0, n)
 private:
  uint64_t m_state;
};

// Smooth value noise in [0, 1]; repeats every `period` units in x and y when period > 0.
float valueNoise(float x, float y, uint32_t seed, int period = 0);
// Sum of octaves, each twice the frequency and half the weight; result in [0, 1].
float fbm(float x, float y, uint32_t seed, int octaves, int period = 0);
// Cellular noise: distance to the nearest of one jittered point per cell (tileable with period).
float cellNoise(float x, float y, uint32_t seed, int period = 0);

}  // namespace assetgen
