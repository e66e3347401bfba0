// Synthesised sound effects and background music, and the sound list.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

constexpr int kSampleRate = 22050;

// Mono effects in [-1, 1], at kSampleRate.
std::vector<float> synthShot();
std::vector<float> synthHit();
std::vector<float> synthPowerUp();
std::vector<float> synthEngine();  // loops seamlessly
std::vector<float> synthExplosion();

// Stereo music (interleaved left, right) that loops seamlessly: notes that ring past the
// end continue at the start.
std::vector<float> composeMusic();
double musicSeconds();

// 16-bit PCM RIFF WAVE.
std::vector<uint8_t> encodeWav(const std::vector<float>& samples, int channels, int sampleRate);

struct SoundFile {
  std::string file;  // relative to the assets directory
  std::vector<float> (*synth)();
};
// Effects in list order: entry k is effect number k (effect 0 is the shot).
std::vector<SoundFile> effectList();
constexpr const char* kMusicFile = "sounds/music.mp3";
std::string soundListText();

// Writes the effects, the music (encoded with the lame command) and "sounds.lof" under
// `assetsDir`. Returns false with a message in `error` on failure.
bool writeSounds(const std::string& assetsDir, std::string& error);

}  // namespace assetgen
