#include "tools/assetgen/Image.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <fstream>

namespace assetgen {

namespace {

float clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

uint8_t toByte(float v) { return static_cast<uint8_t>(std::lround(clamp01(v) * 255.0f)); }

void putBigEndian(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void putChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  putBigEndian(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
  putBigEndian(out, static_cast<uint32_t>(crc));
}

}  // namespace

Colour rgb(float r, float g, float b, float a) { return Colour{r, g, b, a}; }

Colour mix(const Colour& x, const Colour& y, float t) {
  return Colour{x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t,
                x.a + (y.a - x.a) * t};
}

Colour scaled(const Colour& c, float k) { return Colour{c.r * k, c.g * k, c.b * k, c.a}; }

Image::Image(int width, int height, bool alpha)
    : m_width(width), m_height(height), m_alpha(alpha),
      m_pixels(static_cast<size_t>(width) * height, Colour{0, 0, 0, alpha ? 0.0f : 1.0f}) {}

Colour Image::get(int x, int y) const { return m_pixels[static_cast<size_t>(y) * m_width + x]; }

void Image::set(int x, int y, const Colour& c) {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
  m_pixels[static_cast<size_t>(y) * m_width + x] = c;
}

void Image::blend(int x, int y, const Colour& c, float coverage) {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
  Colour& d = m_pixels[static_cast<size_t>(y) * m_width + x];
  const float a = clamp01(c.a * coverage);
  if (a <= 0.0f) return;
  const float outA = a + d.a * (1.0f - a);
  if (outA <= 0.0f) return;
  const float keep = d.a * (1.0f - a);
  d.r = (c.r * a + d.r * keep) / outA;
  d.g = (c.g * a + d.g * keep) / outA;
  d.b = (c.b * a + d.b * keep) / outA;
  d.a = outA;
}

Colour Image::sample(float x, float y) const {
  const float fx = x - 0.5f, fy = y - 0.5f;
  const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
  const float tx = fx - x0, ty = fy - y0;
  auto at = [this](int px, int py) {
    px = ((px % m_width) + m_width) % m_width;
    py = ((py % m_height) + m_height) % m_height;
    return get(px, py);
  };
  return mix(mix(at(x0, y0), at(x0 + 1, y0), tx), mix(at(x0, y0 + 1), at(x0 + 1, y0 + 1), tx), ty);
}

void Image::fill(const Colour& c) { std::fill(m_pixels.begin(), m_pixels.end(), c); }

void Image::paint(const std::function<Colour(int, int)>& shader) {
  for (int y = 0; y < m_height; ++y)
    for (int x = 0; x < m_width; ++x) m_pixels[static_cast<size_t>(y) * m_width + x] = shader(x, y);
}

void Image::fillShape(const Sdf& sdf, const Colour& c) { fillShape(sdf, c, 0, 0, m_width, m_height); }

void Image::fillShape(const Sdf& sdf, const Colour& c, int x0, int y0, int x1, int y1) {
  x0 = std::max(x0, 0), y0 = std::max(y0, 0);
  x1 = std::min(x1, m_width), y1 = std::min(y1, m_height);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const float d = sdf(x + 0.5f, y + 0.5f);
      if (d < 0.5f) blend(x, y, c, clamp01(0.5f - d));
    }
}

void Image::fillRect(float x0, float y0, float x1, float y1, const Colour& c) {
  fillShape([=](float x, float y) {
    return sdBox(x, y, (x0 + x1) * 0.5f, (y0 + y1) * 0.5f, (x1 - x0) * 0.5f, (y1 - y0) * 0.5f);
  }, c, static_cast<int>(x0) - 1, static_cast<int>(y0) - 1, static_cast<int>(x1) + 2,
     static_cast<int>(y1) + 2);
}

Image Image::resized(int width, int height) const {
  Image out(width, height, m_alpha);
  const float sx = static_cast<float>(m_width) / width, sy = static_cast<float>(m_height) / height;
  out.paint([&](int x, int y) {
    // Average a small box of bilinear samples so that shrinking does not alias.
    const int taps = 3;
    Colour sum{0, 0, 0, 0};
    for (int j = 0; j < taps; ++j)
      for (int i = 0; i < taps; ++i) {
        float px = (x + (i + 0.5f) / taps) * sx, py = (y + (j + 0.5f) / taps) * sy;
        px = std::min(std::max(px, 0.5f), m_width - 0.5f);
        py = std::min(std::max(py, 0.5f), m_height - 0.5f);
        const Colour c = sample(px, py);
        sum.r += c.r; sum.g += c.g; sum.b += c.b; sum.a += c.a;
      }
    const float n = static_cast<float>(taps * taps);
    return Colour{sum.r / n, sum.g / n, sum.b / n, sum.a / n};
  });
  return out;
}

void Image::flipVertical() {
  for (int y = 0; y < m_height / 2; ++y)
    std::swap_ranges(m_pixels.begin() + static_cast<long>(y) * m_width,
                     m_pixels.begin() + static_cast<long>(y + 1) * m_width,
                     m_pixels.begin() + static_cast<long>(m_height - 1 - y) * m_width);
}

std::vector<uint8_t> Image::encodePng() const {
  const int channels = m_alpha ? 4 : 3;
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(m_height) * (m_width * channels + 1));
  for (int y = 0; y < m_height; ++y) {
    raw.push_back(0);  // filter type: none
    for (int x = 0; x < m_width; ++x) {
      const Colour& c = m_pixels[static_cast<size_t>(y) * m_width + x];
      raw.push_back(toByte(c.r));
      raw.push_back(toByte(c.g));
      raw.push_back(toByte(c.b));
      if (m_alpha) raw.push_back(toByte(c.a));
    }
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(packedSize);
  compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9);
  packed.resize(packedSize);

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  std::vector<uint8_t> header;
  putBigEndian(header, static_cast<uint32_t>(m_width));
  putBigEndian(header, static_cast<uint32_t>(m_height));
  header.insert(header.end(), {8, static_cast<uint8_t>(m_alpha ? 6 : 2), 0, 0, 0});
  putChunk(png, "IHDR", header);
  putChunk(png, "IDAT", packed);
  putChunk(png, "IEND", {});
  return png;
}

float sdBox(float x, float y, float cx, float cy, float hw, float hh, float radius) {
  const float qx = std::fabs(x - cx) - hw + radius, qy = std::fabs(y - cy) - hh + radius;
  const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
  return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
}

float sdCircle(float x, float y, float cx, float cy, float r) {
  return std::hypot(x - cx, y - cy) - r;
}

float sdSegment(float x, float y, float ax, float ay, float bx, float by, float halfWidth) {
  const float px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
  const float len2 = dx * dx + dy * dy;
  const float t = len2 > 0.0f ? clamp01((px * dx + py * dy) / len2) : 0.0f;
  return std::hypot(px - dx * t, py - dy * t) - halfWidth;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

bool writeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out);
}

}  // namespace assetgen
