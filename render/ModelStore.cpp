#include "render/ModelStore.h"

#include <cstdio>

#include "render/ModelGeometry.h"

unsigned int* CZoModelStore::NewIndices(std::size_t count)
{
    indexArrays.emplace_back(new unsigned int[count ? count : 1]());
    return indexArrays.back().get();
}

int CZoModelStore::AddModel(const std::vector<Vector3f>& corners, const std::vector<Vector3f>& cornerNormals,
                            const std::vector<Vector2f>& cornerTexCoords, bool flatNormals)
{
    std::size_t base = positions.size();
    SGraphicObject model = SGraphicObject();
    model.indexCount = corners.size();
    model.indices = NewIndices(corners.size());
    for (std::size_t c = 0; c < corners.size(); ++c) {
        positions.push_back(corners[c]);
        normals.push_back(c < cornerNormals.size() ? cornerNormals[c] : Vector3f(0, 1, 0));
        texCoords.push_back(c < cornerTexCoords.size() ? cornerTexCoords[c] : Vector2f(0, 0));
        model.indices[c] = (unsigned int)(base + c);
    }
    if (flatNormals)
        MakeFlatNormals(positions, normals, base);
    model.edges = BuildEdges(model.indices, model.indexCount, positions);
    model.edgeCount = (int)model.edges.size();
    m_models.push_back(model);
    return (int)m_models.size() - 1;
}

void CZoModelStore::Finish()
{
    tangents = ComputeTangents(positions, texCoords);
    MakeVertexArray();
}

void CZoModelStore::MakeVertexArray()
{
    vertexArray = positions;
    m_vertices = vertexArray.empty() ? 0 : vertexArray.data();
}
