// Writes the model cache of a battlefield for a build of the given word size:
// the cache-reading (Windows, 32-bit) program needs one made on a build that
// reads COLLADA. Usage: ferrowind_modelcache BATTLEFIELD_DIR OUTPUT_DIR 32|64
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "render/ColladaModels.h"
#include "render/ModelCache.h"

int main(int argc, char** argv)
{
    std::string bits = argc == 4 ? argv[3] : "";
    if (bits != "32" && bits != "64") {
        std::fprintf(stderr, "usage: ferrowind_modelcache BATTLEFIELD_DIR OUTPUT_DIR 32|64\n");
        return 2;
    }
    std::error_code failure;
    std::filesystem::create_directories(argv[2], failure);
    std::string out = std::filesystem::absolute(argv[2], failure).string() + "/";
    // The list names its model files relative to the battlefield.
    if (failure || chdir(argv[1]) != 0) {
        std::fprintf(stderr, "ferrowind_modelcache: cannot use %s and %s\n", argv[1], argv[2]);
        return 1;
    }
    CZoModelStore store;
    if (!LoadColladaModels("models.lof", store))
        return 1;
    std::string error;
    if (!WriteModelCache(store, out, error, bits == "32" ? MODEL_RECORD_32 : MODEL_RECORD_64)) {
        std::fprintf(stderr, "ferrowind_modelcache: %s\n", error.c_str());
        return 1;
    }
    std::printf("%zu models, %lu vertices: %s-bit model cache written to %s\n", store.m_models.size(),
                store.VertexCount(), bits.c_str(), out.c_str());
    return 0;
}
