// RGBA float canvas with anti-aliased shape filling and a PNG encoder.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace assetgen {

struct Colour {
  float r = 0, g = 0, b = 0, a = 1;
};

Colour rgb(float r, float g, float b, float a = 1.0f);
Colour mix(const Colour& x, const Colour& y, float t);
Colour scaled(const Colour& c, float k);  // scales r, g, b only

// Signed distance in pixels: negative inside the shape.
using Sdf = std::function<float(float x, float y)>;

class Image {
 public:
  Image(int width, int height, bool alpha);

  int width() const { return m_width; }
  int height() const { return m_height; }
  bool hasAlpha() const { return m_alpha; }

  Colour get(int x, int y) const;
  void set(int x, int y, const Colour& c);
  // Source-over blend of c, whose alpha is further multiplied by coverage.
  void blend(int x, int y, const Colour& c, float coverage = 1.0f);
  // Bilinear sample with wrap-around, in pixel coordinates.
  Colour sample(float x, float y) const;

  void fill(const Colour& c);
  void paint(const std::function<Colour(int x, int y)>& shader);
  // Bounds (x0, y0, x1, y1) limit the pixels visited; the whole image when omitted.
  void fillShape(const Sdf& sdf, const Colour& c);
  void fillShape(const Sdf& sdf, const Colour& c, int x0, int y0, int x1, int y1);
  void fillRect(float x0, float y0, float x1, float y1, const Colour& c);

  Image resized(int width, int height) const;
  void flipVertical();

  // 8-bit PNG bytes: colour type 2 (RGB) or 6 (RGBA), no ancillary chunks.
  std::vector<uint8_t> encodePng() const;

 private:
  int m_width, m_height;
  bool m_alpha;
  std::vector<Colour> m_pixels;
};

float sdBox(float x, float y, float cx, float cy, float hw, float hh, float radius = 0.0f);
float sdCircle(float x, float y, float cx, float cy, float r);
float sdSegment(float x, float y, float ax, float ay, float bx, float by, float halfWidth);

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes);
bool writeFile(const std::string& path, const std::string& text);

}  // namespace assetgen
