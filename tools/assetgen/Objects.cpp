#include "tools/assetgen/Objects.h"

#include <cmath>
#include <cstdio>
#include <sstream>

#include "model/Numbers.h"
#include "tools/assetgen/Noise.h"

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265f;

class Layout {
 public:
  explicit Layout(const std::vector<Footprint>& footprints) : m_footprints(footprints) {}

  void add(int kind, int model, float x, float z, float heading, int tex0, int tex1,
           std::vector<float> extra = {}) {
    m_objects.push_back(ObjectRecord{kind, model, {x, 0, z}, {0, heading, 0}, tex0, tex1, {0, 0, 0, 0}, std::move(extra)});
  }
  void scenery(int model, float x, float z, float heading, int tex0, int tex1) {
    add(kind::Scenery, model, x, z, heading, tex0, tex1);
  }
  // Places `count` objects at seeded spots within `radius` of (cx, cz) that keep
  // `clearance` from everything placed so far.
  void scatter(Rng& rng, int count, float cx, float cz, float radius, float clearance,
               const std::vector<int>& models, int tex0, int tex1) {
    for (int placed = 0, tries = 0; placed < count && tries < 500; ++tries) {
      const float a = rng.range(0, 2 * kPi), r = radius * std::sqrt(rng.uniform());
      const float x = cx + r * std::cos(a), z = cz + r * std::sin(a), heading = std::floor(rng.range(0, 360));
      const int model = models[static_cast<size_t>(rng.below(static_cast<int>(models.size())))];
      if (!isFree(model, x, z, heading, clearance)) continue;
      scenery(model, x, z, heading, tex0, tex1);
      ++placed;
    }
  }
  bool isFree(int model, float x, float z, float heading, float clearance) const {
    if (x < 20 || z < 20 || x > kArenaSize - 20 || z > kArenaSize - 20) return false;
    const PlacedBox box = placeFootprint(m_footprints[static_cast<size_t>(model)], x, z, heading, clearance);
    for (const ObjectRecord& o : m_objects) {
      if (o.kind == kind::Ground || o.kind == kind::Effect) continue;
      if (boxesOverlap(box, placeFootprint(m_footprints[static_cast<size_t>(o.model)], o.pos.x, o.pos.z, o.angles.y)))
        return false;
    }
    return true;
  }
  std::vector<ObjectRecord> take() { return std::move(m_objects); }

 private:
  const std::vector<Footprint>& m_footprints;
  std::vector<ObjectRecord> m_objects;
};

std::string number(float v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(v));
  return buffer;
}

}  // namespace

PlacedBox placeFootprint(const Footprint& f, float x, float z, float heading, float margin) {
  const float h = heading * kPi / 180.0f, c = std::cos(h), s = std::sin(h);
  const float xs[4] = {f.minX - margin, f.maxX + margin, f.maxX + margin, f.minX - margin};
  const float zs[4] = {f.minZ - margin, f.minZ - margin, f.maxZ + margin, f.maxZ + margin};
  PlacedBox box;
  for (int i = 0; i < 4; ++i) box.corners[i] = {x + xs[i] * c + zs[i] * s, z - xs[i] * s + zs[i] * c};
  return box;
}

bool boxesOverlap(const PlacedBox& a, const PlacedBox& b) {
  for (const PlacedBox* box : {&a, &b})
    for (int i = 0; i < 2; ++i) {
      const Vec2 p = box->corners[i], q = box->corners[i + 1];
      const Vec2 axis{q.v - p.v, p.u - q.u};
      float aMin = 1e30f, aMax = -1e30f, bMin = 1e30f, bMax = -1e30f;
      for (const Vec2& k : a.corners) {
        const float d = k.u * axis.u + k.v * axis.v;
        aMin = std::fmin(aMin, d);
        aMax = std::fmax(aMax, d);
      }
      for (const Vec2& k : b.corners) {
        const float d = k.u * axis.u + k.v * axis.v;
        bMin = std::fmin(bMin, d);
        bMax = std::fmax(bMax, d);
      }
      if (aMax < bMin || bMax < aMin) return false;
    }
  return true;
}

std::vector<ObjectRecord> objectList(const std::vector<Footprint>& footprints) {
  Layout l(footprints);
  l.add(kind::Ground, model::Ground, 500, 500, 0, tex::Ground, tex::GroundBump);
  // Object 1 is the local player's tank; the others are spare tank records. Tanks start
  // dead and enter at a random free spot, so their positions here are only a default.
  const int camo[4] = {tex::Camo, tex::CamoDesert, tex::CamoWinter, tex::Camo};
  const float tankSpots[4][2] = {{400, 480}, {600, 520}, {440, 300}, {560, 700}};
  for (int i = 0; i < 4; ++i)
    l.add(kind::Tank, model::Tank, tankSpots[i][0], tankSpots[i][1], 0, camo[i], tex::TankBump,
          {kTankSpeed, kTankTurnRate});
  l.add(kind::Effect, model::MuzzleFlash, 0, 0, 0, tex::MuzzleFlash, tex::MuzzleFlash);
  // Two power-ups of each kind, spread over open ground.
  const float powerUps[12][2] = {{500, 290}, {300, 520}, {700, 480}, {500, 710}, {160, 420}, {840, 600},
                                 {250, 400}, {760, 600}, {620, 240}, {380, 760}, {920, 280}, {80, 720}};
  for (int i = 0; i < 12; ++i)
    l.add(kind::PowerUp, model::Crate, powerUps[i][0], powerUps[i][1], 45, tex::Crate0 + i % 6,
          tex::FlatBump, {static_cast<float>(i % 6)});

  // Rock ridges close the arena on all four sides.
  for (int side = 0; side < 4; ++side)
    for (int i = 0; i < 4; ++i) {
      const float along = 125.0f + 250.0f * i;
      const float x = side == 0 ? along : side == 1 ? kArenaSize + 20 : side == 2 ? kArenaSize - along : -20;
      const float z = side == 0 ? -20 : side == 1 ? along : side == 2 ? kArenaSize + 20 : kArenaSize - along;
      l.scenery((i + side) % 2 ? model::RidgeB : model::RidgeA, x, z, 90.0f * side, tex::Rock, tex::RockBump);
    }
  for (float x : {-24.0f, kArenaSize + 24})
    for (float z : {-24.0f, kArenaSize + 24}) l.scenery(model::BoulderA, x, z, x * 0.1f + z * 0.3f, tex::Rock, tex::RockBump);

  // The compound in the middle: the radar mast, the animated object, with sandbag arcs.
  l.scenery(model::RadarFirst, 500, 500, 0, tex::Metal, tex::MetalBump);
  l.scenery(model::Sandbags, 500, 446, 0, tex::Sandbag, tex::FlatBump);
  l.scenery(model::Sandbags, 500, 554, 180, tex::Sandbag, tex::FlatBump);
  // Hangars, bunkers and supplies: the two bases on the diagonal.
  l.scenery(model::Hangar, 270, 280, 0, tex::Metal, tex::MetalBump);
  l.scenery(model::Supplies, 336, 240, 10, tex::Wood, tex::FlatBump);
  l.scenery(model::Bunker, 720, 270, 35, tex::Concrete, tex::ConcreteBump);
  l.scenery(model::Hangar, 740, 730, 90, tex::Metal, tex::MetalBump);
  l.scenery(model::Supplies, 780, 664, -15, tex::Wood, tex::FlatBump);
  l.scenery(model::Bunker, 280, 730, 215, tex::Concrete, tex::ConcreteBump);
  // Watch towers at the corners, fuel silos on the east side.
  for (float x : {110.0f, 890.0f})
    for (float z : {110.0f, 890.0f}) l.scenery(model::Tower, x, z, 0, tex::Metal, tex::MetalBump);
  l.scenery(model::Silo, 800, 380, 0, tex::Metal, tex::MetalBump);
  l.scenery(model::Silo, 852, 404, 120, tex::Metal, tex::MetalBump);
  // Ruined walls give cover on the lanes around the compound.
  l.scenery(model::RuinedWall, 400, 650, 0, tex::Concrete, tex::ConcreteBump);
  l.scenery(model::RuinedWall, 600, 350, 180, tex::Concrete, tex::ConcreteBump);
  l.scenery(model::RuinedWall, 650, 610, 90, tex::Concrete, tex::ConcreteBump);
  l.scenery(model::RuinedWall, 350, 390, 270, tex::Concrete, tex::ConcreteBump);
  // Checkpoints of road barriers on the four approaches.
  const float barriers[12][3] = {{450, 180, 0}, {550, 180, 0}, {500, 140, 0}, {450, 820, 0},
                                 {550, 820, 0}, {500, 860, 0}, {180, 450, 90}, {180, 550, 90},
                                 {140, 500, 90}, {830, 460, 90}, {830, 540, 90}, {870, 500, 90}};
  for (const auto& b : barriers) l.scenery(model::Barrier, b[0], b[1], b[2], tex::Concrete, tex::ConcreteBump);
  // Tank traps in two staggered rows.
  const float traps[6][2] = {{290, 120}, {325, 108}, {360, 96}, {640, 904}, {675, 892}, {710, 880}};
  for (const auto& t : traps) l.scenery(model::TankTrap, t[0], t[1], t[0] * 0.7f, tex::Metal, tex::MetalBump);

  Rng rng(2024);
  const std::vector<int> pines = {model::Pine, model::PineTall};
  const std::vector<int> boulders = {model::BoulderA, model::BoulderB};
  l.scatter(rng, 5, 130, 290, 60, 8, pines, tex::Pine, tex::FlatBump);
  l.scatter(rng, 5, 880, 800, 55, 8, pines, tex::Pine, tex::FlatBump);
  l.scatter(rng, 4, 620, 110, 50, 8, pines, tex::Pine, tex::FlatBump);
  l.scatter(rng, 4, 390, 900, 50, 8, pines, tex::Pine, tex::FlatBump);
  l.scatter(rng, 3, 120, 880, 45, 8, pines, tex::Pine, tex::FlatBump);
  l.scatter(rng, 7, 500, 500, 440, 40, boulders, tex::Rock, tex::RockBump);
  // The game animates the object at a fixed number: move the radar mast there.
  std::vector<ObjectRecord> objects = l.take();
  for (size_t i = 0; i < objects.size(); ++i)
    if (objects[i].model == model::RadarFirst && objects.size() > static_cast<size_t>(ANIMATED_OBJECT)) {
      const ObjectRecord radar = objects[i];
      objects.erase(objects.begin() + static_cast<long>(i));
      objects.insert(objects.begin() + ANIMATED_OBJECT, radar);
      break;
    }
  return objects;
}

std::string objectListText(const std::vector<ObjectRecord>& objects) {
  std::ostringstream out;
  out << objects.size() << "\n";
  for (const ObjectRecord& o : objects) {
    out << o.kind << " " << o.model << "  " << number(o.pos.x) << " " << number(o.pos.y) << " "
        << number(o.pos.z) << "  " << number(o.angles.x) << " " << number(o.angles.y) << " "
        << number(o.angles.z) << "  " << o.texture0 << " " << o.texture1 << "  " << number(o.effect[0])
        << " " << number(o.effect[1]) << " " << number(o.effect[2]) << " " << number(o.effect[3]);
    if (!o.extra.empty()) out << " ";
    for (float v : o.extra) out << " " << number(v);
    out << "\n";
  }
  return out.str();
}

}  // namespace assetgen
