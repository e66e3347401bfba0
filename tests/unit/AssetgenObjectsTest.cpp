// The battlefield layout: the records the game reads by number, the file's field counts and
// enough free ground for tanks to enter.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "model/Numbers.h"
#include "tools/assetgen/Models.h"
#include "tools/assetgen/Objects.h"

using namespace assetgen;

namespace {

struct Battlefield {
  std::vector<Footprint> footprints;
  std::vector<ObjectRecord> objects;
};

const Battlefield& battlefield() {
  static const Battlefield b = [] {
    Battlefield f;
    for (const ModelSpec& m : modelList()) f.footprints.push_back(m.mesh.footprint());
    f.objects = objectList(f.footprints);
    return f;
  }();
  return b;
}

// Power-ups never block; dead tanks are not in the way.
bool blocks(const ObjectRecord& o) { return o.kind == kind::Scenery; }

}  // namespace

TEST(AssetgenObjects, FileHasTheFieldCountOfEachKind) {
  const std::vector<ObjectRecord>& objects = battlefield().objects;
  std::istringstream in(objectListText(objects));
  size_t n = 0;
  in >> n;
  ASSERT_EQ(n, objects.size());
  for (size_t r = 0; r < n; ++r) {
    int kind = 0, model = 0;
    in >> kind >> model;
    float skip;
    for (int i = 0; i < 6; ++i) in >> skip;
    int t0, t1;
    in >> t0 >> t1;
    for (int i = 0; i < 4; ++i) in >> skip;
    const int extra = kind == kind::Tank ? 2 : kind == kind::PowerUp ? 1 : 0;
    for (int i = 0; i < extra; ++i) in >> skip;
    ASSERT_TRUE(in) << "record " << r;
    EXPECT_EQ(kind, objects[r].kind);
    EXPECT_EQ(model, objects[r].model);
    EXPECT_GE(t0, 0);
    EXPECT_LT(t1, tex::Count);
  }
  std::string rest;
  EXPECT_FALSE(in >> rest) << "nothing may follow the last record";
}

TEST(AssetgenObjects, ObjectsTheGameNamesByNumberAreThere) {
  const std::vector<ObjectRecord>& o = battlefield().objects;
  ASSERT_GT(o.size(), static_cast<size_t>(ANIMATED_OBJECT));
  EXPECT_EQ(o[0].kind, kind::Ground);
  EXPECT_EQ(o[0].model, model::Ground);
  EXPECT_FLOAT_EQ(o[0].pos.x, kArenaSize / 2);
  EXPECT_EQ(o[1].kind, kind::Tank);
  EXPECT_EQ(o[1].model, model::Tank);
  ASSERT_EQ(o[1].extra.size(), 2u);
  EXPECT_GT(o[1].extra[0], 0.0f);
  EXPECT_EQ(o[ANIMATED_OBJECT].kind, kind::Scenery);
  EXPECT_EQ(o[ANIMATED_OBJECT].model, model::RadarFirst);

  std::set<int> powerUpKinds;
  bool flash = false;
  for (const ObjectRecord& r : o) {
    if (r.kind == kind::PowerUp) powerUpKinds.insert(static_cast<int>(r.extra.at(0)));
    if (r.kind == kind::Effect && r.model == model::MuzzleFlash) flash = true;
    EXPECT_GE(r.model, 0);
    EXPECT_LT(r.model, model::Count);
  }
  EXPECT_EQ(powerUpKinds, (std::set<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_TRUE(flash) << "the shot effects draw with the first effect object's model";
}

TEST(AssetgenObjects, NothingOverlapsAndEverythingIsOnTheField) {
  const Battlefield& b = battlefield();
  const std::vector<ObjectRecord>& o = b.objects;
  for (size_t i = 1; i < o.size(); ++i) {
    if (o[i].kind == kind::Effect) continue;
    EXPECT_GE(o[i].pos.x, -50.0f);
    EXPECT_LE(o[i].pos.x, kArenaSize + 50.0f);
    EXPECT_GE(o[i].pos.z, -50.0f);
    EXPECT_LE(o[i].pos.z, kArenaSize + 50.0f);
    for (size_t j = i + 1; j < o.size(); ++j) {
      if (o[j].kind == kind::Effect) continue;
      // Shrunk a little: pieces of the ring of ridges meet at the arena's corners.
      const PlacedBox a = placeFootprint(b.footprints[static_cast<size_t>(o[i].model)], o[i].pos.x, o[i].pos.z, o[i].angles.y, -0.5f);
      const PlacedBox c = placeFootprint(b.footprints[static_cast<size_t>(o[j].model)], o[j].pos.x, o[j].pos.z, o[j].angles.y, -0.5f);
      EXPECT_FALSE(boxesOverlap(a, c)) << "objects " << i << " and " << j;
    }
  }
}

TEST(AssetgenObjects, MoreThanHalfTheArenaIsFreeForATankToEnter) {
  const Battlefield& b = battlefield();
  const Footprint tank = b.footprints[model::Tank];
  // Respawning tanks draw random spots until one is free; with the barrel the tank's
  // footprint is 31 x 62, so free spots are rarer than open ground looks.
  int free = 0, total = 0, blocking = 0;
  for (const ObjectRecord& o : b.objects) blocking += o.kind == kind::Scenery;
  EXPECT_GE(blocking, 60) << "a battlefield worth driving around in";
  for (float x = 5; x < kArenaSize; x += 10)
    for (float z = 5; z < kArenaSize; z += 10) {
      const PlacedBox spot = placeFootprint(tank, x, z, 0);
      bool clear = true;
      for (const ObjectRecord& o : b.objects)
        if (blocks(o) && boxesOverlap(spot, placeFootprint(b.footprints[static_cast<size_t>(o.model)], o.pos.x, o.pos.z, o.angles.y))) {
          clear = false;
          break;
        }
      free += clear;
      ++total;
    }
  EXPECT_GT(free, total * 55 / 100) << free << " of " << total << " spots free";
}

TEST(AssetgenObjects, FootprintsTurnWithTheHeadingAsTheGameTurnsThem) {
  const Footprint f{-2, 2, -10, 10};  // long in z
  const PlacedBox turned = placeFootprint(f, 100, 100, 90);
  // At heading 90 the model's z axis lies along world x (the game's direction formula).
  float minX = 1e9f, maxX = -1e9f;
  for (const Vec2& c : turned.corners) {
    minX = std::min(minX, c.u);
    maxX = std::max(maxX, c.u);
  }
  EXPECT_NEAR(maxX - minX, 20.0f, 1e-3f);
  EXPECT_TRUE(boxesOverlap(placeFootprint(f, 0, 0, 0), placeFootprint(f, 0, 19, 0)));
  EXPECT_TRUE(boxesOverlap(placeFootprint(f, 0, 0, 0), placeFootprint(f, 0, 20, 0))) << "touching counts";
  EXPECT_FALSE(boxesOverlap(placeFootprint(f, 0, 0, 0), placeFootprint(f, 0, 21, 0)));
  EXPECT_FALSE(boxesOverlap(placeFootprint(f, 0, 0, 0), placeFootprint(f, 0, 13, 90))) << "crossed but apart";
  EXPECT_TRUE(boxesOverlap(placeFootprint(f, 0, 0, 0), placeFootprint(f, 0, 5, 90))) << "a plus sign overlaps";
}
