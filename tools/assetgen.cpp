// Generates the default battlefield data: textures, models, objects, sounds and their
// list files, into the assets directory given as the only argument. The output depends on
// nothing but this program, so every run writes the same bytes.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/assetgen/Image.h"
#include "tools/assetgen/Models.h"
#include "tools/assetgen/Objects.h"
#include "tools/assetgen/Painters.h"
#include "tools/assetgen/Sounds.h"
#include "tools/assetgen/Textures.h"

using namespace assetgen;

namespace {

bool fail(const std::string& message) {
  std::fprintf(stderr, "ferrowind_assetgen: %s\n", message.c_str());
  return false;
}

bool writeTextures(const std::string& dir) {
  const std::vector<TextureSpec> list = textureList();
  for (const TextureSpec& spec : list)
    if (!writeFile(dir + "/" + spec.file, spec.paint().encodePng())) return fail("cannot write " + spec.file);
  if (!writeFile(dir + "/ferrowind.png", paintIcon().encodePng())) return fail("cannot write ferrowind.png");
  return writeFile(dir + "/textures.lof", textureListText(list)) || fail("cannot write textures.lof");
}

bool writeModelsAndObjects(const std::string& dir) {
  const std::vector<ModelSpec> models = modelList();
  std::vector<Footprint> footprints;
  for (const ModelSpec& m : models) {
    const std::string name = std::filesystem::path(m.file).stem().string();
    if (!writeFile(dir + "/" + m.file, writeCollada(m.mesh, name))) return fail("cannot write " + m.file);
    footprints.push_back(m.mesh.footprint());
  }
  if (!writeFile(dir + "/models.lof", modelListText(models))) return fail("cannot write models.lof");
  const std::vector<ObjectRecord> objects = objectList(footprints);
  return writeFile(dir + "/objects.lof", objectListText(objects)) || fail("cannot write objects.lof");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: ferrowind_assetgen ASSETS_DIRECTORY\n");
    return 2;
  }
  const std::string dir = argv[1];
  const auto start = std::chrono::steady_clock::now();
  std::error_code ignored;
  for (const char* sub : {"textures", "models", "sounds"}) std::filesystem::create_directories(dir + "/" + sub, ignored);

  std::string error;
  if (!writeTextures(dir) || !writeModelsAndObjects(dir)) return 1;
  if (!writeSounds(dir, error)) {
    fail(error);
    return 1;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("ferrowind_assetgen: assets written to %s in %.1f s\n", dir.c_str(), seconds);
  return 0;
}
