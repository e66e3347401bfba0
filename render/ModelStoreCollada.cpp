// The model store's COLLADA input; left out of builds without the COLLADA reader.
#include <cstdio>

#include "render/ModelGeometry.h"
#include "model/Log.h"
#include "render/ModelStore.h"
#include "render/ZoColladaParser.h"

int CZoModelStore::AddColladaModel(const char* file, unsigned int base, int makeNormals)
{
    LogOut("   Loading %s\n", file);
    CZoColladaParser parser;
    parser.base = base;
    try {
        SaxParseFile(file, parser);
    } catch (const SaxParseException& problem) {
        LogErr("Parse problem %s\n", problem.what());
    }
    if (parser.rejected)
        LogOut("Error: %s: a triangle index lies outside its arrays; the model is left empty\n", file);

    if (IsRescaledModelName(file))
        for (Vector3f& p : parser.outPositions)
            p = RescaleModelPosition(p);
    if (makeNormals)
        LogOut("\t\tGenerating Normals\n");
    return AddModel(parser.outPositions, parser.outNormals, parser.outTexCoords, makeNormals != 0);
}
