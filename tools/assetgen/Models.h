// The model list: each numbered model's mesh, program and material.
#pragma once
#include <string>
#include <vector>

#include "tools/assetgen/Mesh.h"

namespace assetgen {

struct ModelSpec {
  std::string file;  // relative to the assets directory
  int shader;        // program slot 0 to 3
  float colour[4];
  float diffuse;
  float specular;
  Mesh mesh;
};

// In list order: entry i is model number i.
std::vector<ModelSpec> modelList();
std::string modelListText(const std::vector<ModelSpec>& list);

// Tank geometry the renderer relies on: the gun's muzzle in the tank's own frame.
constexpr float kMuzzleHeight = 24.4f;
constexpr float kMuzzleForward = 37.0f;  // towards -z
// Half the edge of the sky box.
constexpr float kSkyBoxHalf = 200.0f;
// Ground: a square of this half size around its origin.
constexpr float kGroundHalf = 600.0f;

}  // namespace assetgen
