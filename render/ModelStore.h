#ifndef FERROWIND_MODELSTORE_H
#define FERROWIND_MODELSTORE_H

#include <vector>

#include "game/Vector.h"

// One silhouette edge of a model: 56 bytes, as stored in the "e%d.blob" cache files.
struct Edge {
    int reserved[6];
    int end0;
    int end1;
    int face1[3];
    int face2[3];
};

// One model: its indexes into the shared vertex arrays, material and edges.
// Written as-is into "oaf.blob" (96 bytes on x86-64).
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

// Host-side copy of every loaded model, filled by the model loader before any
// upload to the GPU; collision reads model geometry from here.
struct CZoModelStore {
    std::vector<Vector3f> positions;
    std::vector<Vector3f> normals;
    std::vector<Vector2f> texCoords;
    std::vector<SGraphicObject> m_models;
    // Flat copies made once all models are in; m_vertices points into vertexArray.
    std::vector<Vector3f> vertexArray;
    Vector3f* m_vertices;

    CZoModelStore() : m_vertices(0) {}

    // Appends one model made of `corners.size()` triangle corners (3 per
    // triangle, never shared); its indexes continue from the vertex count so far.
    // Returns the new model's number.
    int AddModel(const std::vector<Vector3f>& corners, const std::vector<Vector3f>& cornerNormals,
                 const std::vector<Vector2f>& cornerTexCoords);
    // Makes the flat arrays once the last model is in.
    void Finish();

    unsigned long VertexCount() const { return positions.size(); }
};

#endif
