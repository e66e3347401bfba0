// The battlefield: the records of "objects.lof", in the order that becomes object numbers.
#pragma once
#include <string>
#include <vector>

#include "model/Numbers.h"
#include "tools/assetgen/Mesh.h"

namespace assetgen {

// Object kinds as the game reads them.
namespace kind {
enum : int { PowerUp = -1, Scenery = 0, Tank = 1, Ground = 2, Effect = 3 };
}

struct ObjectRecord {
  int kind;
  int model;
  Vec3 pos;
  Vec3 angles;  // degrees; y is the heading
  int texture0;
  int texture1;
  float effect[4];
  std::vector<float> extra;  // tank: speed factor and turn rate; power-up: its kind
};

constexpr float kTankSpeed = 0.025f;  // units per millisecond at full throttle
constexpr float kTankTurnRate = 0.08f;  // degrees per millisecond
constexpr float kArenaSize = 1000.0f;

// `footprints` holds the footprint of every model, by model number.
std::vector<ObjectRecord> objectList(const std::vector<Footprint>& footprints);
std::string objectListText(const std::vector<ObjectRecord>& objects);

// The footprint of `model` turned by `heading` degrees and moved to (x, z), as the game's
// collision test places it; grown by `margin` on every side.
struct PlacedBox {
  Vec2 corners[4];
};
PlacedBox placeFootprint(const Footprint& footprint, float x, float z, float heading, float margin = 0.0f);
// True when the two boxes overlap (separating-axis test; touching counts).
bool boxesOverlap(const PlacedBox& a, const PlacedBox& b);

}  // namespace assetgen
