#include "tools/assetgen/Mesh.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>

#include "tools/assetgen/Noise.h"

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265f;

Vec3 rotateAxis(Vec3 p, int axis, float degrees) {
  const float a = degrees * kPi / 180.0f, c = std::cos(a), s = std::sin(a);
  switch (axis) {
    case 0: return {p.x, p.y * c - p.z * s, p.y * s + p.z * c};
    case 1: return {p.x * c + p.z * s, p.y, -p.x * s + p.z * c};
    default: return {p.x * c - p.y * s, p.x * s + p.y * c, p.z};
  }
}

Vec3 rotate(Vec3 p, Vec3 r) {
  return rotateAxis(rotateAxis(rotateAxis(p, 2, r.z), 1, r.y), 0, r.x);
}

Corner flatCorner(Vec3 p, Vec3 n, float uvScale) { return Corner{p, n, boxUv(p, n, uvScale)}; }

std::string number(float v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6g", static_cast<double>(v));
  std::string s = buffer;
  return s == "-0" ? "0" : s;
}

// Collects distinct values (compared by their written form) and hands out their indexes.
class ValueTable {
 public:
  unsigned add(const std::string& text) {
    auto found = m_index.find(text);
    if (found != m_index.end()) return found->second;
    const unsigned index = static_cast<unsigned>(m_values.size());
    m_index.emplace(text, index);
    m_values.push_back(text);
    return index;
  }
  size_t size() const { return m_values.size(); }
  std::string joined() const {
    std::string out;
    for (size_t i = 0; i < m_values.size(); ++i) out += (i ? " " : "") + m_values[i];
    return out;
  }
 private:
  std::map<std::string, unsigned> m_index;
  std::vector<std::string> m_values;
};

void writeSource(std::ostringstream& out, const std::string& id, const ValueTable& table,
                 int stride, const char* params) {
  out << "        <source id=\"" << id << "\">\n"
      << "          <float_array id=\"" << id << "-array\" count=\"" << table.size() * stride
      << "\">" << table.joined() << "</float_array>\n"
      << "          <technique_common>\n"
      << "            <accessor source=\"#" << id << "-array\" count=\"" << table.size()
      << "\" stride=\"" << stride << "\">\n";
  for (const char* p = params; *p; ++p)
    out << "              <param name=\"" << *p << "\" type=\"float\"/>\n";
  out << "            </accessor>\n          </technique_common>\n        </source>\n";
}

}  // namespace

Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(Vec3 a, float k) { return {a.x * k, a.y * k, a.z * k}; }
Vec3 cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
float length(Vec3 a) { return std::sqrt(dot(a, a)); }
Vec3 normalised(Vec3 a) {
  const float l = length(a);
  return l > 0.0f ? a * (1.0f / l) : Vec3{0, 1, 0};
}

Vec3 Transform::applyPoint(Vec3 p) const {
  return rotate({p.x * scale.x, p.y * scale.y, p.z * scale.z}, rotation) + translation;
}

Vec3 Transform::applyNormal(Vec3 n) const {
  return normalised(rotate({n.x / scale.x, n.y / scale.y, n.z / scale.z}, rotation));
}

Vec2 boxUv(Vec3 p, Vec3 n, float uvScale) {
  const float ax = std::fabs(n.x), ay = std::fabs(n.y), az = std::fabs(n.z);
  float u, v;
  if (ay >= ax && ay >= az) {
    u = p.x;
    v = n.y > 0 ? p.z : -p.z;
  } else if (az >= ax) {
    u = n.z > 0 ? p.x : -p.x;
    v = -p.y;
  } else {
    u = n.x > 0 ? -p.z : p.z;
    v = -p.y;
  }
  return {u / uvScale, v / uvScale};
}

void Mesh::addTriangle(const Corner& a, const Corner& b, const Corner& c) {
  corners.push_back(a);
  corners.push_back(b);
  corners.push_back(c);
}

void Mesh::addFlat(Vec3 a, Vec3 b, Vec3 c, float uvScale) {
  const Vec3 n = normalised(cross(b - a, c - a));
  addTriangle(flatCorner(a, n, uvScale), flatCorner(b, n, uvScale), flatCorner(c, n, uvScale));
}

void Mesh::addFlatQuad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, float uvScale) {
  // One projection for the whole quad keeps its texture continuous across the split.
  const Vec3 n = normalised(cross(b - a, c - a) + cross(c - a, d - a));
  const Vec3 n1 = normalised(cross(b - a, c - a)), n2 = normalised(cross(c - a, d - a));
  addTriangle(Corner{a, n1, boxUv(a, n, uvScale)}, Corner{b, n1, boxUv(b, n, uvScale)},
              Corner{c, n1, boxUv(c, n, uvScale)});
  addTriangle(Corner{a, n2, boxUv(a, n, uvScale)}, Corner{c, n2, boxUv(c, n, uvScale)},
              Corner{d, n2, boxUv(d, n, uvScale)});
}

void Mesh::addQuad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec2 ta, Vec2 tb, Vec2 tc, Vec2 td) {
  const Vec3 n = normalised(cross(b - a, c - a));
  addTriangle({a, n, ta}, {b, n, tb}, {c, n, tc});
  addTriangle({a, n, ta}, {c, n, tc}, {d, n, td});
}

void Mesh::append(const Mesh& other, const Transform& where) {
  for (const Corner& c : other.corners)
    corners.push_back(Corner{where.applyPoint(c.position), where.applyNormal(c.normal), c.uv});
}

void Mesh::makeDoubleSided() {
  const size_t count = corners.size();
  for (size_t i = 0; i < count; i += 3) {
    Corner a = corners[i], b = corners[i + 1], c = corners[i + 2];
    for (Corner* k : {&a, &b, &c}) k->normal = k->normal * -1.0f;
    addTriangle(a, c, b);
  }
}

Footprint Mesh::footprint() const {
  Footprint f{1e30f, -1e30f, 1e30f, -1e30f};
  for (const Corner& c : corners) {
    f.minX = std::min(f.minX, c.position.x);
    f.maxX = std::max(f.maxX, c.position.x);
    f.minZ = std::min(f.minZ, c.position.z);
    f.maxZ = std::max(f.maxZ, c.position.z);
  }
  return f;
}

Mesh box(Vec3 lo, Vec3 hi, float uvScale) {
  const Vec3 bottom[4] = {{lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, lo.y, lo.z}, {lo.x, lo.y, lo.z}};
  const Vec3 top[4] = {{lo.x, hi.y, hi.z}, {hi.x, hi.y, hi.z}, {hi.x, hi.y, lo.z}, {lo.x, hi.y, lo.z}};
  return hexahedron(bottom, top, uvScale);
}

Mesh hexahedron(const Vec3 b[4], const Vec3 t[4], float uvScale) {
  Mesh m;
  m.addFlatQuad(t[0], t[1], t[2], t[3], uvScale);  // top
  m.addFlatQuad(b[3], b[2], b[1], b[0], uvScale);  // bottom
  for (int i = 0; i < 4; ++i) {
    const int j = (i + 1) % 4;
    m.addFlatQuad(b[i], b[j], t[j], t[i], uvScale);
  }
  return m;
}

Mesh cylinder(float r0, float r1, float y0, float y1, int segments, float uvScale, bool caps) {
  Mesh m;
  const float circumference = 2.0f * kPi * std::max(r0, r1);
  const float slope = (r0 - r1) / (y1 - y0);
  for (int i = 0; i < segments; ++i) {
    const float a0 = 2.0f * kPi * i / segments, a1 = 2.0f * kPi * (i + 1) / segments;
    auto at = [](float r, float a, float y) { return Vec3{r * std::sin(a), y, r * std::cos(a)}; };
    auto normal = [slope](float a) { return normalised({std::sin(a), slope, std::cos(a)}); };
    const float u0 = circumference * i / segments / uvScale;
    const float u1 = circumference * (i + 1) / segments / uvScale;
    const float v0 = -y1 / uvScale, v1 = -y0 / uvScale;
    m.addTriangle({at(r0, a0, y0), normal(a0), {u0, v1}}, {at(r0, a1, y0), normal(a1), {u1, v1}},
                  {at(r1, a1, y1), normal(a1), {u1, v0}});
    m.addTriangle({at(r0, a0, y0), normal(a0), {u0, v1}}, {at(r1, a1, y1), normal(a1), {u1, v0}},
                  {at(r1, a0, y1), normal(a0), {u0, v0}});
    if (caps) {
      if (r1 > 0.0f) m.addFlat({0, y1, 0}, at(r1, a0, y1), at(r1, a1, y1), uvScale);
      if (r0 > 0.0f) m.addFlat({0, y0, 0}, at(r0, a1, y0), at(r0, a0, y0), uvScale);
    }
  }
  return m;
}

Mesh prism(const std::vector<Vec2>& profile, float x0, float x1, float uvScale) {
  Vec3 centre;
  for (const Vec2& p : profile) centre = centre + Vec3{(x0 + x1) / 2, p.v, p.u} * (1.0f / profile.size());
  Mesh m;
  // Adds a convex face, turned so that it faces away from the centre.
  auto face = [&](std::vector<Vec3> points) {
    Vec3 mid;
    for (const Vec3& p : points) mid = mid + p * (1.0f / points.size());
    if (dot(cross(points[1] - points[0], points[2] - points[0]), mid - centre) < 0.0f)
      std::reverse(points.begin(), points.end());
    if (points.size() == 4) {
      m.addFlatQuad(points[0], points[1], points[2], points[3], uvScale);
      return;
    }
    for (size_t i = 1; i + 1 < points.size(); ++i) m.addFlat(points[0], points[i], points[i + 1], uvScale);
  };
  const size_t n = profile.size();
  std::vector<Vec3> start, end;
  for (size_t i = 0; i < n; ++i) {
    const Vec2 a = profile[i], b = profile[(i + 1) % n];
    face({{x0, a.v, a.u}, {x1, a.v, a.u}, {x1, b.v, b.u}, {x0, b.v, b.u}});
    start.push_back({x0, a.v, a.u});
    end.push_back({x1, a.v, a.u});
  }
  face(start);
  face(end);
  return m;
}

void fitUv(Mesh& mesh, Vec2 lo, Vec2 hi) {
  Vec2 min{1e30f, 1e30f}, max{-1e30f, -1e30f};
  for (const Corner& c : mesh.corners) {
    min = {std::min(min.u, c.uv.u), std::min(min.v, c.uv.v)};
    max = {std::max(max.u, c.uv.u), std::max(max.v, c.uv.v)};
  }
  for (Corner& c : mesh.corners) {
    const float su = max.u > min.u ? (c.uv.u - min.u) / (max.u - min.u) : 0.0f;
    const float sv = max.v > min.v ? (c.uv.v - min.v) / (max.v - min.v) : 0.0f;
    c.uv = {lo.u + su * (hi.u - lo.u), lo.v + sv * (hi.v - lo.v)};
  }
}

Mesh rock(int levels, unsigned seed, Vec3 size, float roughness, float uvScale) {
  const float t = (1.0f + std::sqrt(5.0f)) / 2.0f;
  std::vector<Vec3> v = {{-1, t, 0}, {1, t, 0}, {-1, -t, 0}, {1, -t, 0}, {0, -1, t}, {0, 1, t},
                         {0, -1, -t}, {0, 1, -t}, {t, 0, -1}, {t, 0, 1}, {-t, 0, -1}, {-t, 0, 1}};
  std::vector<int> f = {0, 11, 5, 0, 5, 1, 0, 1, 7, 0, 7, 10, 0, 10, 11, 1, 5, 9, 5, 11, 4,
                        11, 10, 2, 10, 7, 6, 7, 1, 8, 3, 9, 4, 3, 4, 2, 3, 2, 6, 3, 6, 8,
                        3, 8, 9, 4, 9, 5, 2, 4, 11, 6, 2, 10, 8, 6, 7, 9, 8, 1};
  for (Vec3& p : v) p = normalised(p);
  for (int level = 0; level < levels; ++level) {
    std::map<std::pair<int, int>, int> middle;
    auto mid = [&](int a, int b) {
      const auto key = std::make_pair(std::min(a, b), std::max(a, b));
      auto found = middle.find(key);
      if (found != middle.end()) return found->second;
      v.push_back(normalised((v[a] + v[b]) * 0.5f));
      middle.emplace(key, static_cast<int>(v.size()) - 1);
      return static_cast<int>(v.size()) - 1;
    };
    std::vector<int> next;
    for (size_t i = 0; i < f.size(); i += 3) {
      const int a = f[i], b = f[i + 1], c = f[i + 2];
      const int ab = mid(a, b), bc = mid(b, c), ca = mid(c, a);
      next.insert(next.end(), {a, ab, ca, b, bc, ab, c, ca, bc, ab, bc, ca});
    }
    f.swap(next);
  }
  // Lumps: a few seeded directions that push the surface out or in.
  Rng rng(seed);
  std::vector<std::pair<Vec3, float>> lumps;
  for (int i = 0; i < 7; ++i)
    lumps.push_back({normalised({rng.range(-1, 1), rng.range(-0.4f, 1), rng.range(-1, 1)}),
                     rng.range(-1, 1) * roughness});
  for (Vec3& p : v) {
    float r = 1.0f;
    for (const auto& lump : lumps) r += lump.second * std::pow(std::max(0.0f, dot(p, lump.first)), 3.0f);
    p = p * r;
    p = {p.x * size.x, std::max(0.0f, p.y + 0.35f) * size.y / 1.35f, p.z * size.z};
  }
  Mesh m;
  for (size_t i = 0; i < f.size(); i += 3) {
    const Vec3 a = v[f[i]], b = v[f[i + 1]], c = v[f[i + 2]];
    if (length(cross(b - a, c - a)) > 1e-6f) m.addFlat(a, b, c, uvScale);
  }
  return m;
}

std::string writeCollada(const Mesh& mesh, const std::string& name) {
  ValueTable positions, normals, uvs;
  std::string indexes;
  for (size_t i = 0; i < mesh.corners.size(); ++i) {
    const Corner& c = mesh.corners[i];
    const unsigned p = positions.add(number(c.position.x) + " " + number(c.position.y) + " " +
                                     number(c.position.z));
    const unsigned n = normals.add(number(c.normal.x) + " " + number(c.normal.y) + " " +
                                   number(c.normal.z));
    const unsigned t = uvs.add(number(c.uv.u) + " " + number(c.uv.v));
    indexes += (i ? " " : "") + std::to_string(p) + " " + std::to_string(n) + " " + std::to_string(t);
  }
  std::ostringstream out;
  out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      << "<COLLADA xmlns=\"http://www.collada.org/2005/11/COLLADASchema\" version=\"1.4.1\">\n"
      << "  <asset>\n    <contributor><authoring_tool>ferrowind_assetgen</authoring_tool></contributor>\n"
      << "    <unit name=\"meter\" meter=\"1\"/>\n    <up_axis>Y_UP</up_axis>\n  </asset>\n"
      << "  <library_geometries>\n"
      << "    <geometry id=\"" << name << "-lib\" name=\"" << name << "\">\n      <mesh>\n";
  writeSource(out, name + "-Geometry-Position", positions, 3, "XYZ");
  writeSource(out, name + "-Normals", normals, 3, "XYZ");
  writeSource(out, name + "-UV", uvs, 2, "ST");
  out << "        <vertices id=\"" << name << "-Vertex\">\n"
      << "          <input semantic=\"POSITION\" source=\"#" << name << "-Geometry-Position\"/>\n"
      << "        </vertices>\n"
      << "        <triangles count=\"" << mesh.triangleCount() << "\">\n"
      << "          <input semantic=\"VERTEX\" source=\"#" << name << "-Vertex\" offset=\"0\"/>\n"
      << "          <input semantic=\"NORMAL\" source=\"#" << name << "-Normals\" offset=\"1\"/>\n"
      << "          <input semantic=\"TEXCOORD\" source=\"#" << name << "-UV\" offset=\"2\" set=\"0\"/>\n"
      << "          <p>" << indexes << "</p>\n"
      << "        </triangles>\n      </mesh>\n    </geometry>\n  </library_geometries>\n"
      << "  <library_visual_scenes>\n    <visual_scene id=\"scene\">\n"
      << "      <node id=\"" << name << "\" name=\"" << name << "\">\n"
      << "        <instance_geometry url=\"#" << name << "-lib\"/>\n"
      << "      </node>\n    </visual_scene>\n  </library_visual_scenes>\n"
      << "  <scene>\n    <instance_visual_scene url=\"#scene\"/>\n  </scene>\n"
      << "</COLLADA>\n";
  return out.str();
}

}  // namespace assetgen
