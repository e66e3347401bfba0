#ifndef FERROWIND_MODELSTORE_H
#define FERROWIND_MODELSTORE_H

#include <cstddef>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "model/Vector.h"

// One silhouette edge of a model: 56 bytes, as stored in the "e%d.blob" cache files.
struct Edge {
    int reserved[6];
    int end0;
    int end1;
    int face1[3];
    int face2[3];
};

// One model: its indexes into the shared vertex arrays, material and edges.
// Written field by field into "oaf.blob" in its in-memory layout.
struct SGraphicObject {
    unsigned int* indices;
    int modelParam;
    int shader;
    unsigned long indexCount;
    int reserved[3];
    float colour[4];
    float diffuse;
    float specular;
    unsigned int indexBuffer;
    std::vector<Edge> edges;
    int edgeCount;
};

// The cache files carry these records as they lie in memory, so their layout
// is part of the file format.
static_assert(sizeof(Edge) == 56, "Edge records are 56 bytes in the cache files");
static_assert(std::is_standard_layout<SGraphicObject>::value, "model records are laid out field by field");
#if defined(__x86_64__) && defined(__LP64__)
static_assert(sizeof(SGraphicObject) == 96, "model record of a 64-bit build is 96 bytes");
static_assert(offsetof(SGraphicObject, modelParam) == 8 && offsetof(SGraphicObject, shader) == 12 &&
                  offsetof(SGraphicObject, indexCount) == 16 && offsetof(SGraphicObject, reserved) == 24 &&
                  offsetof(SGraphicObject, colour) == 36 && offsetof(SGraphicObject, diffuse) == 52 &&
                  offsetof(SGraphicObject, specular) == 56 && offsetof(SGraphicObject, indexBuffer) == 60 &&
                  offsetof(SGraphicObject, edges) == 64 && offsetof(SGraphicObject, edgeCount) == 88,
              "model record offsets of a 64-bit build");
#elif defined(__i386__) || defined(_M_IX86)
static_assert(sizeof(SGraphicObject) == 72, "model record of a 32-bit build is 72 bytes");
static_assert(offsetof(SGraphicObject, modelParam) == 4 && offsetof(SGraphicObject, shader) == 8 &&
                  offsetof(SGraphicObject, indexCount) == 12 && offsetof(SGraphicObject, reserved) == 16 &&
                  offsetof(SGraphicObject, colour) == 28 && offsetof(SGraphicObject, diffuse) == 44 &&
                  offsetof(SGraphicObject, specular) == 48 && offsetof(SGraphicObject, indexBuffer) == 52 &&
                  offsetof(SGraphicObject, edges) == 56 && offsetof(SGraphicObject, edgeCount) == 68,
              "model record offsets of a 32-bit build");
#endif

// Host-side copy of every loaded model, filled by the model loader before any
// upload to the GPU; collision and the shadow volumes read model geometry here.
// Every triangle corner is a vertex of its own; a model's vertices are consecutive.
struct CZoModelStore {
    std::vector<Vector3f> positions;
    std::vector<Vector3f> normals;
    std::vector<Vector2f> texCoords;
    std::vector<Vector3f> tangents;
    std::vector<SGraphicObject> m_models;
    // Flat copy of all positions made once the last model is in (by Finish or
    // the cache reader); m_vertices points into it.
    std::vector<Vector3f> vertexArray;
    Vector3f* m_vertices;
    // Owns every model's index array; the records point into these.
    std::vector<std::unique_ptr<unsigned int[]> > indexArrays;

    CZoModelStore() : m_vertices(0) {}

    // A new index array of `count` entries, owned by the store.
    unsigned int* NewIndices(std::size_t count);

    // Appends one model made of `corners.size()` triangle corners (3 per
    // triangle); its indexes continue from the vertex count so far. With
    // `flatNormals` every triangle gets its face normal. Builds the model's
    // silhouette edges. Returns the new model's number.
    int AddModel(const std::vector<Vector3f>& corners, const std::vector<Vector3f>& cornerNormals,
                 const std::vector<Vector2f>& cornerTexCoords, bool flatNormals = false);
    // Reads one COLLADA model file and appends it, writing the loader's
    // progress lines. A file that fails to parse gives a model with whatever
    // geometry was read, possibly none. Returns the new model's number.
    int AddColladaModel(const char* file, unsigned int base, int makeNormals);
    // Computes the tangents and the flat position array once the last model is in.
    void Finish();
    // Copies the positions into the flat array and points m_vertices at it.
    void MakeVertexArray();

    unsigned long VertexCount() const { return positions.size(); }
    // Model `index`, or null when there is none.
    const SGraphicObject* Model(int index) const
    {
        return index >= 0 && index < (int)m_models.size() ? &m_models[index] : 0;
    }
};

#endif
