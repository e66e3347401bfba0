// Sounds: the WAVE header the mixer reads, loops that close on themselves, and the list.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <sstream>

#include "tools/assetgen/Sounds.h"

using namespace assetgen;

namespace {

uint32_t little(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<size_t>(i)];
  return v;
}

}  // namespace

TEST(AssetgenSounds, WaveHeaderDescribesTheSamples) {
  const std::vector<float> samples = {0.0f, 1.0f, -1.0f, 0.5f, 2.0f, -3.0f};
  const std::vector<uint8_t> wav = encodeWav(samples, 2, 22050);
  ASSERT_EQ(wav.size(), 44u + 12u);
  EXPECT_EQ(std::memcmp(wav.data(), "RIFF", 4), 0);
  EXPECT_EQ(little(wav, 4, 4), wav.size() - 8);
  EXPECT_EQ(std::memcmp(wav.data() + 8, "WAVEfmt ", 8), 0);
  EXPECT_EQ(little(wav, 20, 2), 1u);  // PCM
  EXPECT_EQ(little(wav, 22, 2), 2u);
  EXPECT_EQ(little(wav, 24, 4), 22050u);
  EXPECT_EQ(little(wav, 28, 4), 22050u * 4);
  EXPECT_EQ(little(wav, 32, 2), 4u);
  EXPECT_EQ(little(wav, 34, 2), 16u);
  EXPECT_EQ(little(wav, 40, 4), 12u);
  EXPECT_EQ(static_cast<int16_t>(little(wav, 46, 2)), 32767);
  EXPECT_EQ(static_cast<int16_t>(little(wav, 48, 2)), -32767);
  EXPECT_EQ(static_cast<int16_t>(little(wav, 52, 2)), 32767) << "out-of-range samples are clipped";
  EXPECT_EQ(static_cast<int16_t>(little(wav, 54, 2)), -32767);
}

TEST(AssetgenSounds, LoopsJoinWithoutAClick) {
  auto seamJump = [](const std::vector<float>& s, size_t channels) {
    float largestStep = 0.0f;
    for (size_t i = channels; i < s.size(); ++i) largestStep = std::max(largestStep, std::fabs(s[i] - s[i - channels]));
    float seam = 0.0f;
    for (size_t c = 0; c < channels; ++c) seam = std::max(seam, std::fabs(s[c] - s[s.size() - channels + c]));
    return std::make_pair(seam, largestStep);
  };
  const std::vector<float> engine = synthEngine();
  const auto e = seamJump(engine, 1);
  EXPECT_LE(e.first, e.second) << "engine loop seam";

  const std::vector<float> music = composeMusic();
  ASSERT_EQ(music.size() % 2, 0u);
  EXPECT_NEAR(music.size() / 2.0 / kSampleRate, musicSeconds(), 0.01);
  EXPECT_GT(musicSeconds(), 16.0);
  EXPECT_LT(musicSeconds(), 31.0);
  const auto m = seamJump(music, 2);
  EXPECT_LE(m.first, m.second) << "music loop seam";
}

TEST(AssetgenSounds, EffectsAreAudibleAndShort) {
  for (const SoundFile& f : effectList()) {
    const std::vector<float> s = f.synth();
    ASSERT_FALSE(s.empty()) << f.file;
    EXPECT_LT(s.size(), static_cast<size_t>(3 * kSampleRate)) << f.file;
    float peak = 0.0f;
    for (float v : s) peak = std::max(peak, std::fabs(v));
    EXPECT_GT(peak, 0.5f) << f.file;
    EXPECT_LE(peak, 1.0f) << f.file;
  }
}

TEST(AssetgenSounds, ListPutsTheMusicFirstAndTheShotAtEffectZero) {
  std::istringstream in(soundListText());
  size_t n = 0;
  in >> n;
  std::vector<std::string> names(n);
  for (std::string& name : names) in >> name;
  ASSERT_TRUE(in);
  ASSERT_EQ(n, effectList().size() + 1);
  EXPECT_EQ(names[0], kMusicFile);
  EXPECT_EQ(names[1], "sounds/shot.wav") << "the game plays effect 0 for a shot";
}
