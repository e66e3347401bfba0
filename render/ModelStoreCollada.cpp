// The model store's COLLADA input; left out of builds without the COLLADA reader.
#include <cstdio>

#include "render/ModelGeometry.h"
#include "render/ModelStore.h"
#include "render/ZoColladaParser.h"

int CZoModelStore::AddColladaModel(const char* file, unsigned int base, int makeNormals)
{
    std::printf("   Loading %s\n", file);
    CZoColladaParser parser;
    parser.base = base;
    try {
        SaxParseFile(file, parser);
    } catch (const SaxParseException& problem) {
        std::fflush(stdout);
        std::fprintf(stderr, "Parse problem %s\n", problem.what());
    }
    if (parser.rejected)
        std::printf("Error: %s: a triangle index lies outside its arrays; the model is left empty\n", file);

    if (IsRescaledModelName(file))
        for (Vector3f& p : parser.outPositions)
            p = RescaleModelPosition(p);
    if (makeNormals)
        std::printf("\t\tGenerating Normals\n");
    return AddModel(parser.outPositions, parser.outNormals, parser.outTexCoords, makeNormals != 0);
}
