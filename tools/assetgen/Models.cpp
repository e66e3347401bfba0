// Builders of every model. Solids are closed and wound counter-clockwise from outside, so
// that their silhouette edges pair up for the shadow volumes; sprites are double-sided.
#include "tools/assetgen/Models.h"

#include <cmath>
#include <cstdio>
#include <sstream>

#include "model/Numbers.h"
#include "tools/assetgen/Noise.h"
#include "tools/assetgen/Painters.h"
#include "tools/assetgen/Textures.h"

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265f;

float smoothstep(float e0, float e1, float x) {
  const float t = std::fmin(std::fmax((x - e0) / (e1 - e0), 0.0f), 1.0f);
  return t * t * (3.0f - 2.0f * t);
}

Transform at(float x, float y, float z, float yaw = 0.0f) { return Transform{{0, yaw, 0}, {x, y, z}}; }

// Cylinder from point a to point b (axis in the y-z plane), as the tank's gun needs.
Mesh tube(float radius, Vec3 a, Vec3 b, int segments, float uvScale) {
  const float len = length(b - a);
  Mesh m;
  m.append(cylinder(radius, radius, 0.0f, len, segments, uvScale),
           Transform{{std::atan2(b.z - a.z, b.y - a.y) * 180.0f / kPi, 0, 0}, a});
  return m;
}

Mesh ground() {
  const int cells = 20;
  const float step = 2.0f * kGroundHalf / cells;
  // Flat where the battle is; a bank rises behind the ridges at the edge of the arena.
  auto height = [](float x, float z) {
    return 70.0f * smoothstep(540.0f, 600.0f, std::fmax(std::fabs(x), std::fabs(z)));
  };
  auto normal = [&](float x, float z) {
    const float e = 1.0f;
    return normalised({height(x - e, z) - height(x + e, z), 2.0f * e, height(x, z - e) - height(x, z + e)});
  };
  auto corner = [&](float x, float z) {
    return Corner{{x, height(x, z), z}, normal(x, z), {x / 96.0f, z / 96.0f}};
  };
  Mesh m;
  // The first corner is (-600, y, -600): the game reads the ground's half size from it.
  for (int i = 0; i < cells; ++i)
    for (int j = 0; j < cells; ++j) {
      const float x0 = -kGroundHalf + i * step, z0 = -kGroundHalf + j * step;
      const float x1 = x0 + step, z1 = z0 + step;
      m.addTriangle(corner(x0, z0), corner(x0, z1), corner(x1, z1));
      m.addTriangle(corner(x0, z0), corner(x1, z1), corner(x1, z0));
    }
  return m;
}

Mesh tank() {
  const float uv = 32.0f;
  Mesh m;
  for (float side : {-1.0f, 1.0f}) {
    // Track unit with sloped ends, road wheels on its outside, fender above.
    const float xi = 10.0f * side, xo = 15.0f * side;
    const float lo = std::fmin(xi, xo), hi = std::fmax(xi, xo);
    const Vec3 bottom[4] = {{lo, 0.3f, 20}, {hi, 0.3f, 20}, {hi, 0.3f, -20}, {lo, 0.3f, -20}};
    const Vec3 top[4] = {{lo, 9, 25}, {hi, 9, 25}, {hi, 9, -25}, {lo, 9, -25}};
    m.append(hexahedron(bottom, top, uv));
    for (int w = 0; w < 5; ++w)
      m.append(cylinder(3.4f, 3.4f, 0.0f, 1.0f, 8, uv),
               Transform{{0, 0, -90.0f * side}, {xo, 4.2f, -16.0f + 8.0f * w}});
    m.append(box({lo - 0.5f, 9.0f, -24.5f}, {hi + 0.5f, 10.4f, 24.5f}, uv));
  }
  {  // hull with a sloped glacis
    const Vec3 bottom[4] = {{-10, 3, 22}, {10, 3, 22}, {10, 3, -22}, {-10, 3, -22}};
    const Vec3 top[4] = {{-11.5f, 13, 21}, {11.5f, 13, 21}, {11.5f, 13, -15}, {-11.5f, 13, -15}};
    m.append(hexahedron(bottom, top, uv));
  }
  {  // turret, bustle, mantlet, cupola
    const Vec3 bottom[4] = {{-9, 13, 11}, {9, 13, 11}, {9, 13, -9}, {-9, 13, -9}};
    const Vec3 top[4] = {{-7, 21, 9}, {7, 21, 9}, {7, 21, -6}, {-7, 21, -6}};
    m.append(hexahedron(bottom, top, uv));
    m.append(box({-6, 14, 10.8f}, {6, 20, 15}, uv));
    m.append(box({-3.2f, 15.2f, -11.5f}, {3.2f, 21.2f, -8.2f}, uv));
    m.append(cylinder(2.6f, 2.2f, 20.8f, 23.6f, 8, uv), at(-3.0f, 0, 3.5f));
    m.append(cylinder(0.25f, 0.2f, 20.8f, 33.0f, 4, uv), at(5.0f, 0, 12.0f));
  }
  // Gun from the mantlet to the muzzle, raised a little, with a muzzle brake.
  const Vec3 breech{0, 18.5f, -10.0f}, muzzle{0, kMuzzleHeight, -kMuzzleForward};
  const Vec3 dir = normalised(muzzle - breech);
  m.append(tube(1.25f, breech, muzzle - dir * 3.0f, 10, uv));
  m.append(tube(1.9f, muzzle - dir * 3.2f, muzzle, 10, uv));
  return m;
}

Mesh muzzleFlash() {
  // Two crossed quads along the gun, from the muzzle 28 units forward; one frame of the
  // 14-frame strip across their length.
  const float len = 28.0f, half = 7.0f, u1 = 1.0f / kFlashFrames;
  Mesh m;
  m.addQuad({0, -half, 0}, {0, -half, -len}, {0, half, -len}, {0, half, 0}, {0, 1}, {u1, 1}, {u1, 0}, {0, 0});
  m.addQuad({-half, 0, 0}, {half, 0, 0}, {half, 0, -len}, {-half, 0, -len}, {0, 0}, {0, 1}, {u1, 1}, {u1, 0});
  m.makeDoubleSided();
  return m;
}

Mesh impact() {
  // Upright quad facing +z, standing on the ground at the point of impact.
  const float half = 22.0f, lo = -6.0f, hi = 38.0f, u1 = 1.0f / kFlashFrames;
  Mesh m;
  m.addQuad({-half, lo, 0}, {half, lo, 0}, {half, hi, 0}, {-half, hi, 0}, {0, 1}, {u1, 1}, {u1, 0}, {0, 0});
  m.makeDoubleSided();
  return m;
}

Mesh crate() {
  // Each side carries the whole picture, upright.
  const float h = 7.0f;
  Mesh m;
  const Vec2 bl{0, 1}, br{1, 1}, tr{1, 0}, tl{0, 0};
  m.addQuad({-h, 0, h}, {h, 0, h}, {h, 2 * h, h}, {-h, 2 * h, h}, bl, br, tr, tl);        // +z
  m.addQuad({h, 0, -h}, {-h, 0, -h}, {-h, 2 * h, -h}, {h, 2 * h, -h}, bl, br, tr, tl);    // -z
  m.addQuad({h, 0, h}, {h, 0, -h}, {h, 2 * h, -h}, {h, 2 * h, h}, bl, br, tr, tl);        // +x
  m.addQuad({-h, 0, -h}, {-h, 0, h}, {-h, 2 * h, h}, {-h, 2 * h, -h}, bl, br, tr, tl);    // -x
  m.addQuad({-h, 2 * h, h}, {h, 2 * h, h}, {h, 2 * h, -h}, {-h, 2 * h, -h}, bl, br, tr, tl);  // top
  m.addQuad({-h, 0, -h}, {h, 0, -h}, {h, 0, h}, {-h, 0, h}, bl, br, tr, tl);              // bottom
  return m;
}

Mesh skyBox() {
  // Faces in the order the renderer binds their textures: north (-z), east (+x),
  // south (+z), west (-x), top, bottom; each two triangles seen from inside.
  Mesh m;
  const float inset = 0.5f / 512.0f;
  for (int face = 0; face < 6; ++face) {
    Vec3 axes[3];
    skyFaceAxes(face, axes);
    auto corner = [&](float a, float b) {
      const Vec3 p = (axes[0] + axes[1] * a + axes[2] * b) * kSkyBoxHalf;
      const Vec2 uv{inset + (a + 1) / 2 * (1 - 2 * inset), inset + (1 - b) / 2 * (1 - 2 * inset)};
      return Corner{p, axes[0] * -1.0f, uv};
    };
    m.addTriangle(corner(-1, -1), corner(1, -1), corner(1, 1));
    m.addTriangle(corner(-1, -1), corner(1, 1), corner(-1, 1));
  }
  return m;
}

Mesh barrier() {
  // Concrete road barrier, 26 long.
  return prism({{5, 0}, {5, 2.5f}, {1.6f, 10}, {-1.6f, 10}, {-5, 2.5f}, {-5, 0}}, -13, 13, 24.0f);
}

Mesh ridge(unsigned seed) {
  // Rock ridge 250 long and 40 deep, a height field over a closed base.
  const int nx = 20, nz = 6;
  const float lx = 125.0f, lz = 20.0f;
  auto height = [&](int i, int j) {
    const float x = -lx + 2 * lx * i / nx, z = -lz + 2 * lz * j / nz;
    const float across = 1.0f - std::pow(z / lz, 2.0f);
    const float n = fbm(x / 40.0f + seed, z / 15.0f, seed, 4);
    return 3.0f + 34.0f * across * (0.45f + 0.9f * n);
  };
  auto point = [&](int i, int j, bool top) {
    return Vec3{-lx + 2 * lx * i / nx, top ? height(i, j) : 0.0f, -lz + 2 * lz * j / nz};
  };
  Mesh m;
  const float uv = 40.0f;
  for (int i = 0; i < nx; ++i)
    for (int j = 0; j < nz; ++j) {
      m.addFlat(point(i, j, true), point(i, j + 1, true), point(i + 1, j + 1, true), uv);
      m.addFlat(point(i, j, true), point(i + 1, j + 1, true), point(i + 1, j, true), uv);
    }
  for (int i = 0; i < nx; ++i) {  // long sides
    m.addFlatQuad(point(i, nz, false), point(i + 1, nz, false), point(i + 1, nz, true), point(i, nz, true), uv);
    m.addFlatQuad(point(i + 1, 0, false), point(i, 0, false), point(i, 0, true), point(i + 1, 0, true), uv);
  }
  for (int j = 0; j < nz; ++j) {  // ends
    m.addFlatQuad(point(nx, j + 1, false), point(nx, j, false), point(nx, j, true), point(nx, j + 1, true), uv);
    m.addFlatQuad(point(0, j, false), point(0, j + 1, false), point(0, j + 1, true), point(0, j, true), uv);
  }
  // Bottom: a fan from its centre to every rim point, facing down.
  std::vector<Vec3> rim;
  for (int i = 0; i < nx; ++i) rim.push_back(point(i, 0, false));
  for (int j = 0; j < nz; ++j) rim.push_back(point(nx, j, false));
  for (int i = nx; i > 0; --i) rim.push_back(point(i, nz, false));
  for (int j = nz; j > 0; --j) rim.push_back(point(0, j, false));
  for (size_t k = 0; k < rim.size(); ++k) m.addFlat({0, 0, 0}, rim[k], rim[(k + 1) % rim.size()], uv);
  return m;
}

Mesh radar(int frame) {
  const float uv = 24.0f;
  Mesh m;
  m.append(box({-18, 0, -18}, {18, 3, 18}, uv));
  {
    const Vec3 bottom[4] = {{-5, 3, 5}, {5, 3, 5}, {5, 3, -5}, {-5, 3, -5}};
    const Vec3 top[4] = {{-2.5f, 34, 2.5f}, {2.5f, 34, 2.5f}, {2.5f, 34, -2.5f}, {-2.5f, 34, -2.5f}};
    m.append(hexahedron(bottom, top, uv));
  }
  m.append(box({-4, 34, -4}, {4, 38, 4}, uv));
  // The antenna turns 30 degrees a frame: a curved reflector bar and its feed arm.
  Mesh antenna;
  antenna.append(cylinder(1.2f, 1.2f, 38, 41.5f, 8, uv));
  for (int k = -1; k <= 1; ++k) {
    const float yaw = -22.0f * k;
    antenna.append(box({-4.2f, 40, -0.6f}, {4.2f, 49, 0.6f}, uv),
                   at(8.2f * k, 0, -3.0f + 2.6f * std::abs(k), yaw));
  }
  antenna.append(box({-0.5f, 40.2f, -9.5f}, {0.5f, 41.2f, -2.5f}, uv));
  antenna.append(box({-1.4f, 39.6f, -11}, {1.4f, 42.4f, -9.5f}, uv));
  m.append(antenna, at(0, 0, 0, 30.0f * frame));
  return m;
}

Mesh bunker() {
  const float uv = 40.0f;
  Mesh m;
  const Vec3 bottom[4] = {{-25, 0, 20}, {25, 0, 20}, {25, 0, -20}, {-25, 0, -20}};
  const Vec3 top[4] = {{-21, 14, 16}, {21, 14, 16}, {21, 14, -16}, {-21, 14, -16}};
  m.append(hexahedron(bottom, top, uv));
  m.append(box({-23, 14, -18}, {23, 17, 18}, uv));
  m.append(box({-14, 9.5f, -21.5f}, {14, 10.8f, -17.5f}, uv));  // visor over the firing slit
  m.append(box({-6, 0, 19.5f}, {6, 11, 21.5f}, uv));            // door frame
  m.append(cylinder(2.2f, 2.2f, 17, 20, 8, uv), at(12, 0, 8));  // vent
  return m;
}

Mesh hangar() {
  const float uv = 40.0f;
  std::vector<Vec2> arc;
  for (int i = 0; i <= 12; ++i) {
    const float a = kPi * i / 12;
    arc.push_back({24.0f * std::cos(a), 24.0f * std::sin(a)});
  }
  Mesh m = prism(arc, -40, 40, uv);
  m.append(box({39.5f, 0, -10}, {41.5f, 16, 10}, uv));   // door
  m.append(box({-41.5f, 0, -6}, {-39.5f, 10, 6}, uv));  // back door
  return m;
}

Mesh tower() {
  const float uv = 24.0f;
  Mesh m;
  for (float x : {-6.5f, 6.5f})
    for (float z : {-6.5f, 6.5f}) m.append(box({x - 0.8f, 0, z - 0.8f}, {x + 0.8f, 26, z + 0.8f}, uv));
  m.append(box({-7.5f, 12, -7.5f}, {7.5f, 13, 7.5f}, uv));
  m.append(box({-8, 26, -8}, {8, 27, 8}, uv));
  m.append(box({-7.5f, 27, -7.5f}, {7.5f, 30, 7.5f}, uv));
  for (float x : {-7.0f, 7.0f})
    for (float z : {-7.0f, 7.0f}) m.append(box({x - 0.5f, 30, z - 0.5f}, {x + 0.5f, 34, z + 0.5f}, uv));
  const Vec3 bottom[4] = {{-9, 34, 9}, {9, 34, 9}, {9, 34, -9}, {-9, 34, -9}};
  const Vec3 top[4] = {{-2, 38.5f, 2}, {2, 38.5f, 2}, {2, 38.5f, -2}, {-2, 38.5f, -2}};
  m.append(hexahedron(bottom, top, uv));
  return m;
}

Mesh pine(float scale) {
  Mesh m;
  Mesh trunk = cylinder(1.6f, 1.2f, 0, 8, 6, 8.0f);
  fitUv(trunk, {0, 0.76f}, {1, 0.99f});
  m.append(trunk);
  const float tiers[3][3] = {{11, 6, 18}, {8.8f, 14, 25.5f}, {6.4f, 21, 33}};
  for (const auto& t : tiers) {
    Mesh crown = cylinder(t[0], 0.0f, t[1], t[2], 9, 8.0f);
    fitUv(crown, {0, 0.01f}, {1, 0.72f});
    m.append(crown);
  }
  Mesh scaledTree;
  scaledTree.append(m, Transform{{0, 0, 0}, {0, 0, 0}, {scale, scale, scale}});
  return scaledTree;
}

Mesh silo() {
  const float uv = 30.0f;
  Mesh m = cylinder(14, 14, 2, 30, 16, uv);
  m.append(cylinder(15, 15, 0, 2, 16, uv));
  m.append(cylinder(14, 2.5f, 30, 36, 16, uv));
  m.append(box({13.6f, 2, -1.2f}, {15.2f, 31, 1.2f}, uv));  // ladder
  return m;
}

Mesh tankTrap() {
  const float uv = 12.0f;
  Mesh m;
  const Mesh beam = box({-8.5f, -1, -1}, {8.5f, 1, 1}, uv);
  m.append(beam, Transform{{0, 0, 45}, {0, 6, 0}});
  m.append(beam, Transform{{0, 90, -45}, {0, 6, 0}});
  m.append(beam, Transform{{0, 45, 0}, {0, 1.0f, 0}, {0.8f, 1, 1}});
  return m;
}

Mesh ruinedWall() {
  const float uv = 40.0f;
  Mesh m;
  const float tops[7] = {16, 19, 13, 7, 12, 18, 10};
  for (int i = 0; i < 6; ++i) {
    const float x0 = -30 + 10.0f * i, x1 = x0 + 10.0f;
    const float h0 = tops[i], h1 = tops[i + 1];
    const Vec3 bottom[4] = {{x0, 0, 5}, {x1, 0, 5}, {x1, 0, -5}, {x0, 0, -5}};
    const Vec3 top[4] = {{x0 + 0.01f, h0, 5}, {x1, h1, 5}, {x1, h1 - 1.5f, -5}, {x0 + 0.01f, h0 - 1.0f, -5}};
    m.append(hexahedron(bottom, top, uv));
  }
  return m;
}

Mesh supplies() {
  Mesh m;
  m.append(box({-12, 0, -5}, {-2, 10, 5}, 10.0f));
  m.append(box({-1.5f, 0, -5}, {8.5f, 10, 5}, 10.0f), at(0, 0, 0, 4));
  m.append(box({-5, 0, -4}, {3, 8, 4}, 8.0f), Transform{{0, -8, 0}, {-2, 10, 0}});
  m.append(box({-4, 0, -4}, {4, 8, 4}, 8.0f), Transform{{0, 20, 0}, {9.5f, 0, 1}});
  return m;
}

Mesh sandbags() {
  Mesh m;
  for (int i = 0; i < 4; ++i) {
    const float yaw = -36.0f + 24.0f * i, a = yaw * kPi / 180;
    m.append(box({-5.6f, 0, -3}, {5.6f, 7, 3}, 7.0f), Transform{{0, -yaw, 0}, {26 * std::sin(a), 0, 26 - 26 * std::cos(a) - 6}});
  }
  return m;
}

ModelSpec spec(const std::string& name, int shader, Mesh mesh, float specular = 0.2f) {
  return ModelSpec{"models/" + name + ".dae", shader, {1, 1, 1, 1}, 0.85f, specular, std::move(mesh)};
}

}  // namespace

std::vector<ModelSpec> modelList() {
  std::vector<ModelSpec> list(model::Count);
  list[model::Ground] = spec("ground", program::LitBump, ground(), 0.05f);
  list[model::Tank] = spec("tank", program::LitTank, tank(), 0.5f);
  list[model::MuzzleFlash] = spec("muzzle_flash", program::Textured, muzzleFlash());
  list[model::Crate] = spec("crate", program::LitBump, crate(), 0.4f);
  list[model::Impact] = spec("impact", program::Textured, impact());
  list[model::SkyBox] = spec("sky_box", program::Textured, skyBox());
  list[model::Barrier] = spec("barrier", program::LitBump, barrier(), 0.1f);
  list[model::RidgeA] = spec("ridge_a", program::LitBump, ridge(7), 0.05f);
  for (int frame = 0; frame < 12; ++frame) {
    char name[16];
    std::snprintf(name, sizeof name, "radar_%02d", frame);
    list[model::RadarFirst + frame] = spec(name, program::LitBump, radar(frame), 0.6f);
  }
  list[model::Bunker] = spec("bunker", program::LitBump, bunker(), 0.1f);
  list[model::Hangar] = spec("hangar", program::LitBump, hangar(), 0.5f);
  list[model::Tower] = spec("tower", program::LitBump, tower(), 0.3f);
  list[model::BoulderA] = spec("boulder_a", program::LitBump, rock(2, 17, {16, 13, 14}, 0.35f, 30.0f), 0.1f);
  list[model::BoulderB] = spec("boulder_b", program::LitBump, rock(2, 23, {24, 17, 19}, 0.3f, 30.0f), 0.1f);
  list[model::Pine] = spec("pine", program::LitBump, pine(1.0f), 0.05f);
  list[model::PineTall] = spec("pine_tall", program::LitBump, pine(1.35f), 0.05f);
  list[model::Silo] = spec("silo", program::LitBump, silo(), 0.6f);
  list[model::TankTrap] = spec("tank_trap", program::LitBump, tankTrap(), 0.5f);
  list[model::RuinedWall] = spec("ruined_wall", program::LitBump, ruinedWall(), 0.1f);
  list[model::Supplies] = spec("supplies", program::LitBump, supplies(), 0.1f);
  list[model::RidgeB] = spec("ridge_b", program::LitBump, ridge(29), 0.05f);
  list[model::Sandbags] = spec("sandbags", program::LitBump, sandbags(), 0.05f);
  return list;
}

std::string modelListText(const std::vector<ModelSpec>& list) {
  std::ostringstream out;
  out << list.size() << "\n";
  for (const ModelSpec& m : list)
    out << m.file << " 0 0 " << m.shader << " " << m.colour[0] << " " << m.colour[1] << " "
        << m.colour[2] << " " << m.colour[3] << " " << m.diffuse << " " << m.specular << "\n";
  return out.str();
}

}  // namespace assetgen
