// The COLLADA writer must produce exactly the shape the game's model reader accepts, and the
// models must be wound and closed as the lighting and shadow volumes expect.
#include <expat.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "model/Numbers.h"
#include "tools/assetgen/Mesh.h"
#include "tools/assetgen/Models.h"

using namespace assetgen;

namespace {

// Reads a document the way the game does: arrays by id substring, one id-less triangle list.
struct ColladaShape {
  std::map<std::string, std::vector<float>> arrays;  // "pos", "nrm", "uv"
  std::map<std::string, unsigned> declared;          // count attributes of those arrays
  unsigned triangleLists = 0, triangleCount = 0;
  bool triangleListHasId = false;
  std::vector<unsigned> indexes;

  std::string open;  // array or "p" being read
  std::string text;
};

void XMLCALL onStart(void* data, const char* name, const char** attrs) {
  auto* s = static_cast<ColladaShape*>(data);
  std::string id, count;
  for (int i = 0; attrs[i]; i += 2) {
    if (std::string(attrs[i]) == "id") id = attrs[i + 1];
    if (std::string(attrs[i]) == "count") count = attrs[i + 1];
  }
  const std::string element = name;
  s->open.clear();
  s->text.clear();
  if (element == "float_array") {
    if (id.find("Geometry-Position") != std::string::npos) s->open = "pos";
    if (id.find("Normals-array") != std::string::npos) s->open = "nrm";
    if (id.find("UV-array") != std::string::npos) s->open = "uv";
    if (!s->open.empty()) s->declared[s->open] = static_cast<unsigned>(std::stoul(count));
  } else if (element == "triangles") {
    ++s->triangleLists;
    s->triangleListHasId = !id.empty();
    s->triangleCount = static_cast<unsigned>(std::stoul(count));
  } else if (element == "p") {
    s->open = "p";
  }
}

void XMLCALL onText(void* data, const char* text, int len) {
  auto* s = static_cast<ColladaShape*>(data);
  if (!s->open.empty()) s->text.append(text, static_cast<size_t>(len));
}

void XMLCALL onEnd(void* data, const char*) {
  auto* s = static_cast<ColladaShape*>(data);
  std::istringstream in(s->text);
  if (s->open == "p") {
    unsigned v;
    while (in >> v) s->indexes.push_back(v);
  } else if (!s->open.empty()) {
    float v;
    while (in >> v) s->arrays[s->open].push_back(v);
  }
  s->open.clear();
}

ColladaShape parse(const std::string& document) {
  ColladaShape shape;
  XML_Parser parser = XML_ParserCreate(nullptr);
  XML_SetUserData(parser, &shape);
  XML_SetElementHandler(parser, onStart, onEnd);
  XML_SetCharacterDataHandler(parser, onText);
  const bool ok = XML_Parse(parser, document.data(), static_cast<int>(document.size()), 1) != XML_STATUS_ERROR;
  XML_ParserFree(parser);
  EXPECT_TRUE(ok) << "document is not well-formed XML";
  return shape;
}

float signedVolume(const Mesh& m) {
  float v = 0.0f;
  for (size_t i = 0; i < m.corners.size(); i += 3)
    v += dot(m.corners[i].position, cross(m.corners[i + 1].position, m.corners[i + 2].position)) / 6.0f;
  return v;
}

// Every directed edge must be matched by as many edges running the other way: true for
// any union of closed, consistently wound solids.
bool edgesBalanced(const Mesh& m, std::string& problem) {
  auto key = [](Vec3 p) {
    return std::make_tuple(std::lround(p.x * 100), std::lround(p.y * 100), std::lround(p.z * 100));
  };
  std::map<std::pair<decltype(key(Vec3{})), decltype(key(Vec3{}))>, int> count;
  for (size_t i = 0; i < m.corners.size(); i += 3)
    for (int e = 0; e < 3; ++e) {
      const auto a = key(m.corners[i + e].position), b = key(m.corners[i + (e + 1) % 3].position);
      if (a == b) continue;
      ++count[{a, b}];
      --count[{b, a}];
    }
  for (const auto& entry : count)
    if (entry.second != 0) {
      problem = "unmatched edge from (" + std::to_string(std::get<0>(entry.first.first)) + ", " +
                std::to_string(std::get<1>(entry.first.first)) + ", " + std::to_string(std::get<2>(entry.first.first)) + ")";
      return false;
    }
  return true;
}

}  // namespace

TEST(AssetgenCollada, WrittenShapeRebuildsEveryCornerFromDistinctValues) {
  const Mesh mesh = box({-1, 0, -2}, {1, 3, 2}, 4.0f);
  const ColladaShape shape = parse(writeCollada(mesh, "crate"));
  EXPECT_EQ(shape.triangleLists, 1u);
  EXPECT_FALSE(shape.triangleListHasId);
  ASSERT_EQ(shape.triangleCount, mesh.triangleCount());
  ASSERT_EQ(shape.indexes.size(), 9u * shape.triangleCount);
  for (const char* array : {"pos", "nrm", "uv"}) {
    ASSERT_EQ(shape.declared.at(array), shape.arrays.at(array).size()) << array << ": count is the number of floats";
  }
  const std::vector<float>& pos = shape.arrays.at("pos");
  const std::vector<float>& nrm = shape.arrays.at("nrm");
  const std::vector<float>& uv = shape.arrays.at("uv");
  // Repeated values are written once.
  EXPECT_EQ(pos.size(), 8u * 3) << "a box has eight distinct corners";
  EXPECT_EQ(nrm.size(), 6u * 3) << "and six distinct face normals";
  for (size_t c = 0; c < mesh.corners.size(); ++c) {
    const unsigned p = shape.indexes[3 * c], n = shape.indexes[3 * c + 1], t = shape.indexes[3 * c + 2];
    ASSERT_LT(3 * p + 2, pos.size());
    ASSERT_LT(3 * n + 2, nrm.size());
    ASSERT_LT(2 * t + 1, uv.size());
    const Corner& k = mesh.corners[c];
    EXPECT_NEAR(pos[3 * p], k.position.x, 1e-4f);
    EXPECT_NEAR(pos[3 * p + 1], k.position.y, 1e-4f);
    EXPECT_NEAR(pos[3 * p + 2], k.position.z, 1e-4f);
    EXPECT_NEAR(nrm[3 * n + 1], k.normal.y, 1e-4f);
    EXPECT_NEAR(uv[2 * t], k.uv.u, 1e-4f);
    EXPECT_NEAR(uv[2 * t + 1], k.uv.v, 1e-4f);
  }
}

TEST(AssetgenModels, SolidsAreClosedAndFaceOutwards) {
  const std::vector<ModelSpec> models = modelList();
  ASSERT_EQ(models.size(), static_cast<size_t>(model::Count));
  for (size_t i = 0; i < models.size(); ++i) {
    const Mesh& m = models[i].mesh;
    ASSERT_GT(m.triangleCount(), 0u) << models[i].file;
    ASSERT_EQ(m.corners.size() % 3, 0u);
    for (size_t k = 0; k < m.corners.size(); k += 3) {  // stored normals agree with the winding
      const Vec3 face = cross(m.corners[k + 1].position - m.corners[k].position,
                              m.corners[k + 2].position - m.corners[k].position);
      for (int c = 0; c < 3; ++c)
        ASSERT_GT(dot(face, m.corners[k + c].normal), -1e-4f) << models[i].file << " triangle " << k / 3;
    }
    const bool open = i == model::Ground || i == model::MuzzleFlash || i == model::Impact || i == model::SkyBox;
    if (open) continue;
    std::string problem;
    EXPECT_TRUE(edgesBalanced(m, problem)) << models[i].file << ": " << problem;
    EXPECT_GT(signedVolume(m), 0.0f) << models[i].file << " is wound inside out";
    EXPECT_LT(m.triangleCount(), 1600u) << models[i].file << ": silhouette edges are searched per frame";
  }
}

TEST(AssetgenModels, SkyBoxFacesComeInTextureOrder) {
  const Mesh sky = modelList()[model::SkyBox].mesh;
  ASSERT_EQ(sky.corners.size(), 36u);
  // north (-z), east (+x), south (+z), west (-x), top, bottom: six corners each.
  const Vec3 centres[6] = {{0, 0, -1}, {1, 0, 0}, {0, 0, 1}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
  for (int face = 0; face < 6; ++face)
    for (int c = 0; c < 6; ++c) {
      const Corner& k = sky.corners[static_cast<size_t>(face * 6 + c)];
      EXPECT_NEAR(dot(k.position, centres[face]), kSkyBoxHalf, 1e-3f) << "face " << face;
      EXPECT_LT(dot(k.normal, centres[face]), 0.0f) << "seen from inside";
      EXPECT_GE(k.uv.u, 0.0f);
      EXPECT_LE(k.uv.u, 1.0f);
    }
  EXPECT_LT(signedVolume(sky), 0.0f) << "wound to be seen from inside";
}

TEST(AssetgenModels, GroundAndTankHaveTheSizesTheGameReads) {
  const std::vector<ModelSpec> models = modelList();
  const Vec3 first = models[model::Ground].mesh.corners[0].position;
  EXPECT_FLOAT_EQ(std::fabs(first.x), kGroundHalf);
  EXPECT_FLOAT_EQ(std::fabs(first.z), kGroundHalf);
  const Footprint ground = models[model::Ground].mesh.footprint();
  EXPECT_FLOAT_EQ(ground.minX, -kGroundHalf);
  EXPECT_FLOAT_EQ(ground.maxZ, kGroundHalf);

  const Mesh& tank = models[model::Tank].mesh;
  const Footprint f = tank.footprint();
  EXPECT_NEAR(f.maxX - f.minX, 31.0f, 1.5f);
  EXPECT_NEAR(f.minZ, -kMuzzleForward, 0.5f) << "the muzzle is the tank's front (its rim, tilted with the gun)";
  // The corners at the very front are the muzzle's rim, centred at the muzzle height.
  float ySum = 0.0f, count = 0.0f;
  for (const Corner& c : tank.corners)
    if (c.position.z < -kMuzzleForward + 0.5f) {
      ySum += c.position.y;
      count += 1.0f;
    }
  ASSERT_GT(count, 0.0f);
  EXPECT_NEAR(ySum / count, kMuzzleHeight, 0.6f);
}

TEST(AssetgenModels, RadarFramesTurnWithinTheBase) {
  const std::vector<ModelSpec> models = modelList();
  const Footprint base = models[model::RadarFirst].mesh.footprint();
  for (int frame = model::RadarFirst; frame <= model::RadarLast; ++frame) {
    const Footprint f = models[static_cast<size_t>(frame)].mesh.footprint();
    EXPECT_FLOAT_EQ(f.minX, base.minX) << "the turning antenna must stay inside the base's footprint";
    EXPECT_FLOAT_EQ(f.maxZ, base.maxZ);
    if (frame > model::RadarFirst) {
      EXPECT_NE(models[static_cast<size_t>(frame)].mesh.corners.back().position.x,
                models[static_cast<size_t>(frame - 1)].mesh.corners.back().position.x);
    }
  }
}

TEST(AssetgenModels, ListNamesEveryModelWithItsProgram) {
  const std::vector<ModelSpec> models = modelList();
  std::istringstream in(modelListText(models));
  size_t n = 0;
  in >> n;
  ASSERT_EQ(n, models.size());
  for (size_t i = 0; i < n; ++i) {
    std::string file;
    int normals = -1, param = -1, shader = -1;
    float values[6];
    in >> file >> normals >> param >> shader;
    for (float& v : values) in >> v;
    ASSERT_TRUE(in) << "entry " << i;
    EXPECT_EQ(file, models[i].file);
    EXPECT_EQ(normals, 0) << "normals come from the file";
    EXPECT_GE(shader, 0);
    EXPECT_LE(shader, 3);
  }
  EXPECT_EQ(models[model::Tank].shader, program::LitTank) << "the death effect lives in program 1";
  EXPECT_EQ(models[model::MuzzleFlash].shader, program::Textured);
}
