#include "tools/assetgen/Sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "tools/assetgen/Image.h"
#include "tools/assetgen/Noise.h"

namespace assetgen {

namespace {

constexpr double kTwoPi = 6.283185307179586;

// One-pole low-pass filter.
class LowPass {
 public:
  float operator()(float x, float cutoff) {
    const float a = 1.0f - std::exp(static_cast<float>(-kTwoPi) * cutoff / kSampleRate);
    m_y += a * (x - m_y);
    return m_y;
  }
 private:
  float m_y = 0.0f;
};

std::vector<float> normalise(std::vector<float> s, float peak) {
  float top = 0.0f;
  for (float v : s) top = std::max(top, std::fabs(v));
  if (top > 0.0f)
    for (float& v : s) v *= peak / top;
  return s;
}

int samples(double seconds) { return static_cast<int>(seconds * kSampleRate); }

void putLittle(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

double midiHz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

}  // namespace

std::vector<float> synthShot() {
  Rng rng(1);
  std::vector<float> s(samples(1.4));
  LowPass burst, rumble, smooth;
  double phase = 0.0;
  for (size_t i = 0; i < s.size(); ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    const float freq = 38.0f + 110.0f * std::exp(-t / 0.06f);
    phase += kTwoPi * freq / kSampleRate;
    const float thump = static_cast<float>(std::sin(phase)) * std::exp(-t / 0.25f);
    const float noise = rng.range(-1, 1);
    const float crack = t < 0.006f ? noise : 0.0f;
    const float blast = burst(noise, 400.0f + 6000.0f * std::exp(-t / 0.05f)) * std::exp(-t / 0.09f);
    const float tail = rumble(noise, 180.0f) * std::exp(-t / 0.45f) * 2.5f;
    s[i] = smooth(crack * 0.6f + blast * 1.6f + thump * 1.1f + tail, 5000.0f);
  }
  return normalise(s, 0.95f);
}

std::vector<float> synthHit() {
  Rng rng(2);
  std::vector<float> s(samples(0.9));
  const float partials[5][2] = {{423, 0.45f}, {1131, 0.3f}, {1723, 0.22f}, {2647, 0.14f}, {3411, 0.09f}};
  LowPass thud;
  for (size_t i = 0; i < s.size(); ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    float v = 0.0f;
    for (const auto& p : partials) v += static_cast<float>(std::sin(kTwoPi * p[0] * t)) * std::exp(-t / p[1]) * 0.3f;
    const float noise = rng.range(-1, 1);
    v += noise * std::exp(-t / 0.015f) * 0.8f;
    v += thud(noise, 120.0f) * std::exp(-t / 0.12f) * 4.0f;
    s[i] = v;
  }
  return normalise(s, 0.9f);
}

std::vector<float> synthPowerUp() {
  std::vector<float> s(samples(0.75));
  const int notes[5] = {69, 73, 76, 81, 85};
  LowPass soft;
  for (size_t i = 0; i < s.size(); ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    const int step = std::min(4, static_cast<int>(t / 0.085f));
    const double f = midiHz(notes[step] + 12);
    const float local = t - step * 0.085f;
    const float square = std::sin(kTwoPi * f * t) > 0 ? 1.0f : -1.0f;
    const float sparkle = static_cast<float>(std::sin(kTwoPi * f * 2.0 * t)) * 0.3f;
    const float env = (step < 4 ? std::exp(-local / 0.06f) : std::exp(-local / 0.18f)) * std::min(1.0f, local * 400.0f);
    s[i] = soft(square * 0.6f + sparkle, 3500.0f) * env;
  }
  return normalise(s, 0.8f);
}

std::vector<float> synthEngine() {
  // One second of whole cycles (32 Hz firing, 8 Hz throb); the noise is filtered around the
  // loop twice so that its end runs into its start.
  Rng rng(4);
  const int n = samples(1.0);
  std::vector<float> noise(n);
  for (float& v : noise) v = rng.range(-1, 1);
  LowPass growl;
  std::vector<float> rough(n);
  for (int pass = 0; pass < 2; ++pass)
    for (int i = 0; i < n; ++i) rough[i] = growl(noise[i], 260.0f);
  std::vector<float> s(n);
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    double pulse = 0.0;
    for (int h = 1; h <= 8; ++h) pulse += std::sin(kTwoPi * 32.0 * h * t) / h;
    const double throb = 0.75 + 0.25 * std::sin(kTwoPi * 8.0 * t);
    s[i] = static_cast<float>(pulse * 0.5 * throb) + rough[i] * 3.0f * static_cast<float>(throb);
  }
  return normalise(s, 0.7f);
}

std::vector<float> synthExplosion() {
  Rng rng(5);
  std::vector<float> s(samples(2.4));
  LowPass body, sub, crackle;
  double phase = 0.0;
  for (size_t i = 0; i < s.size(); ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    const float noise = rng.range(-1, 1);
    phase += kTwoPi * (30.0f + 60.0f * std::exp(-t / 0.15f)) / kSampleRate;
    float v = body(noise, 200.0f + 2500.0f * std::exp(-t / 0.12f)) * std::exp(-t / 0.6f) * 2.0f;
    v += static_cast<float>(std::sin(phase)) * std::exp(-t / 0.5f);
    v += sub(noise, 60.0f) * std::exp(-t / 0.9f) * 6.0f;
    if (rng.uniform() < 0.002f * std::exp(-t / 0.8f)) v += rng.range(-0.8f, 0.8f);
    s[i] = crackle(v, 6000.0f);
  }
  return normalise(s, 0.95f);
}

namespace {

constexpr double kBeat = 60.0 / 128.0;
constexpr int kBars = 16;

struct Note {
  double beat;  // from the start of the piece
  double length;
  int midi;
};

class Mixer {
 public:
  explicit Mixer(size_t frames) : m_left(frames), m_right(frames) {}
  // Adds a mono sample at frame i (wrapping round the loop) with a pan from -1 to 1.
  void add(long i, float v, float pan) {
    const long n = static_cast<long>(m_left.size());
    const size_t k = static_cast<size_t>(((i % n) + n) % n);
    m_left[k] += v * (1.0f - pan) * 0.5f;
    m_right[k] += v * (1.0f + pan) * 0.5f;
  }
  std::vector<float> interleaved() const {
    std::vector<float> out;
    out.reserve(m_left.size() * 2);
    for (size_t i = 0; i < m_left.size(); ++i) {
      out.push_back(std::tanh(m_left[i] * 1.2f));
      out.push_back(std::tanh(m_right[i] * 1.2f));
    }
    return out;
  }
 private:
  std::vector<float> m_left, m_right;
};

long frameAt(double beat) { return static_cast<long>(std::lround(beat * kBeat * kSampleRate)); }

void kick(Mixer& mix, double beat, float level) {
  double phase = 0.0;
  for (int i = 0; i < samples(0.4); ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    phase += kTwoPi * (45.0 + 70.0 * std::exp(-t / 0.04)) / kSampleRate;
    mix.add(frameAt(beat) + i, static_cast<float>(std::sin(phase)) * std::exp(-t / 0.16f) * level, 0.0f);
  }
}

void snare(Mixer& mix, Rng& rng, double beat, float level) {
  LowPass band;
  for (int i = 0; i < samples(0.25); ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    const float noise = rng.range(-1, 1);
    const float bright = noise - band(noise, 1200.0f);
    const float tone = static_cast<float>(std::sin(kTwoPi * 190.0 * t)) * std::exp(-t / 0.05f);
    mix.add(frameAt(beat) + i, (bright * std::exp(-t / 0.09f) + tone * 0.6f) * level, 0.1f);
  }
}

void hat(Mixer& mix, Rng& rng, double beat, float level) {
  LowPass low;
  for (int i = 0; i < samples(0.06); ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    const float noise = rng.range(-1, 1);
    mix.add(frameAt(beat) + i, (noise - low(noise, 5000.0f)) * std::exp(-t / 0.018f) * level, 0.35f);
  }
}

void bass(Mixer& mix, const Note& n, float level) {
  LowPass filter;
  const double f = midiHz(n.midi);
  const int length = samples(n.length * kBeat);
  for (int i = 0; i < length + samples(0.03); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const float saw = static_cast<float>(2.0 * (f * t - std::floor(f * t + 0.5)));
    const float env = std::min(1.0f, i / 60.0f) * (i < length ? 1.0f : std::exp(-(i - length) / 150.0f));
    const float cutoff = 250.0f + 1400.0f * std::exp(-static_cast<float>(t) / 0.07f);
    mix.add(frameAt(n.beat) + i, filter(saw, cutoff) * env * level, -0.05f);
  }
}

void pad(Mixer& mix, const Note& n, float level) {
  LowPass left, right;
  const double f = midiHz(n.midi);
  const int length = samples(n.length * kBeat);
  const int release = samples(0.6);
  for (int i = 0; i < length + release; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    auto saw = [t](double freq) { return static_cast<float>(2.0 * (freq * t - std::floor(freq * t + 0.5))); };
    const float attack = std::min(1.0f, static_cast<float>(t) / 0.35f);
    const float env = attack * (i < length ? 1.0f : std::exp(-(i - length) / (release / 4.0f)));
    const float l = left(saw(f * 0.997) + saw(f * 1.004), 900.0f) * env * level;
    const float r = right(saw(f * 1.003) + saw(f * 0.995), 900.0f) * env * level;
    mix.add(frameAt(n.beat) + i, l, -0.8f);
    mix.add(frameAt(n.beat) + i, r, 0.8f);
  }
}

void lead(Mixer& mix, const Note& n, float level) {
  LowPass tone;
  const double f = midiHz(n.midi);
  const int length = samples(n.length * kBeat);
  const long echo = frameAt(0.75);
  double phase = 0.0;
  for (int i = 0; i < length + samples(0.2); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double vibrato = 1.0 + 0.006 * std::sin(kTwoPi * 5.5 * t) * std::min(1.0, t / 0.3);
    phase += f * vibrato / kSampleRate;
    const float pulse = (phase - std::floor(phase)) < 0.3 ? 1.0f : -1.0f;
    const float env = std::min(1.0f, i / 200.0f) * (i < length ? 0.85f + 0.15f * std::exp(-static_cast<float>(t) / 0.1f)
                                                                : std::exp(-(i - length) / 900.0f));
    const float v = tone(pulse, 2200.0f) * env * level;
    mix.add(frameAt(n.beat) + i, v, -0.3f);
    mix.add(frameAt(n.beat) + i + echo, v * 0.35f, 0.7f);
  }
}

}  // namespace

double musicSeconds() { return kBars * 4 * kBeat; }

std::vector<float> composeMusic() {
  Mixer mix(static_cast<size_t>(frameAt(kBars * 4)));
  Rng rng(7);
  // Two bars each: A minor, F, C, G, A minor, F, G, E (which leads back to the start).
  const int roots[8] = {45, 41, 48, 43, 45, 41, 43, 40};
  const int chords[8][3] = {{57, 60, 64}, {57, 60, 65}, {55, 60, 64}, {55, 59, 62},
                            {57, 60, 64}, {57, 60, 65}, {55, 59, 62}, {56, 59, 64}};
  for (int bar = 0; bar < kBars; ++bar) {
    const double b0 = bar * 4.0;
    const int c = bar / 2;
    // Drums: kicks only for the first two bars, then the full groove with a fill at the end.
    for (double k : {0.0, 1.0, 2.0, 2.5, 3.0})
      if (bar >= 2 || k == 0.0 || k == 2.0) kick(mix, b0 + k, 0.9f);
    if (bar >= 2) {
      snare(mix, rng, b0 + 1, 0.45f);
      snare(mix, rng, b0 + 3, 0.45f);
    }
    if (bar == kBars - 1)
      for (double k : {3.25, 3.5, 3.75}) snare(mix, rng, b0 + k, 0.3f);
    for (int e = 0; e < 8; ++e) hat(mix, rng, b0 + e * 0.5, e % 2 ? 0.16f : 0.08f);
    // Bass: driving eighths on the root with octave jumps.
    const int pattern[8] = {0, 0, 12, 0, 0, 7, 12, 0};
    for (int e = 0; e < 8; ++e) bass(mix, Note{b0 + e * 0.5, 0.42, roots[c] + pattern[e]}, 0.32f);
    if (bar % 2 == 0)
      for (int note : chords[c]) pad(mix, Note{b0, 7.6, note}, 0.05f);
  }
  // Melody over the last twelve bars, one line per bar: (length in beats, midi) pairs.
  static const double melody[12][10] = {
      {1, 64, 1, 67, 1, 72, 0.5, 67, 0.5, 64}, {1, 62, 2, 64, 1, 0, 0, 0, 0, 0},
      {1, 62, 1, 67, 1, 71, 0.5, 69, 0.5, 67}, {3, 62, 1, 0, 0, 0, 0, 0, 0, 0},
      {1, 64, 1, 69, 1, 72, 0.5, 71, 0.5, 69}, {2, 64, 1, 62, 1, 60, 0, 0, 0, 0},
      {1, 60, 1, 65, 1, 69, 0.5, 67, 0.5, 65}, {2, 60, 1, 62, 1, 64, 0, 0, 0, 0},
      {1, 62, 1, 67, 1, 71, 1, 74, 0, 0},      {2, 71, 1, 69, 1, 67, 0, 0, 0, 0},
      {1.5, 68, 0.5, 71, 1, 76, 1, 74, 0, 0},  {2, 71, 1, 68, 1, 64, 0, 0, 0, 0}};
  for (int bar = 0; bar < 12; ++bar) {
    double beat = (bar + 4) * 4.0;
    for (int k = 0; k < 10 && melody[bar][k] > 0; k += 2) {
      const int midi = static_cast<int>(melody[bar][k + 1]);
      if (midi > 0) lead(mix, Note{beat, melody[bar][k] * 0.92, midi}, 0.16f);
      beat += melody[bar][k];
    }
  }
  return normalise(mix.interleaved(), 0.9f);
}

std::vector<uint8_t> encodeWav(const std::vector<float>& s, int channels, int sampleRate) {
  std::vector<uint8_t> out;
  const uint32_t dataBytes = static_cast<uint32_t>(s.size() * 2);
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  putLittle(out, 36 + dataBytes, 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  putLittle(out, 16, 4);
  putLittle(out, 1, 2);  // PCM
  putLittle(out, static_cast<uint32_t>(channels), 2);
  putLittle(out, static_cast<uint32_t>(sampleRate), 4);
  putLittle(out, static_cast<uint32_t>(sampleRate * channels * 2), 4);
  putLittle(out, static_cast<uint32_t>(channels * 2), 2);
  putLittle(out, 16, 2);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  putLittle(out, dataBytes, 4);
  for (float v : s) {
    const long q = std::lround(std::max(-1.0f, std::min(1.0f, v)) * 32767.0f);
    putLittle(out, static_cast<uint32_t>(static_cast<int32_t>(q)), 2);
  }
  return out;
}

std::vector<SoundFile> effectList() {
  return {{"sounds/shot.wav", synthShot},
          {"sounds/hit.wav", synthHit},
          {"sounds/power_up.wav", synthPowerUp},
          {"sounds/engine.wav", synthEngine},
          {"sounds/explosion.wav", synthExplosion}};
}

std::string soundListText() {
  const std::vector<SoundFile> effects = effectList();
  std::ostringstream out;
  out << effects.size() + 1 << "\n" << kMusicFile << "\n";
  for (const SoundFile& e : effects) out << e.file << "\n";
  return out.str();
}

bool writeSounds(const std::string& dir, std::string& error) {
  for (const SoundFile& e : effectList())
    if (!writeFile(dir + "/" + e.file, encodeWav(e.synth(), 1, kSampleRate))) {
      error = "cannot write " + e.file;
      return false;
    }
  const std::string wav = dir + "/sounds/music.wav", mp3 = dir + "/" + kMusicFile;
  if (!writeFile(wav, encodeWav(composeMusic(), 2, kSampleRate))) {
    error = "cannot write " + wav;
    return false;
  }
  // Fixed settings and no tags, so that the same input always encodes to the same bytes.
  const std::string command = "lame --silent -t --noreplaygain --cbr -b 96 -m j '" + wav + "' '" + mp3 + "'";
  const int status = std::system(command.c_str());
  std::remove(wav.c_str());
  if (status != 0) {
    error = "lame failed (" + command + ")";
    return false;
  }
  if (!writeFile(dir + "/sounds.lof", soundListText())) {
    error = "cannot write sounds.lof";
    return false;
  }
  return true;
}

}  // namespace assetgen
