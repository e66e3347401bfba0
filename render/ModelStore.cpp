#include "ModelStore.h"

#include <cstddef>

int CZoModelStore::AddModel(const std::vector<Vector3f>& corners, const std::vector<Vector3f>& cornerNormals,
                            const std::vector<Vector2f>& cornerTexCoords)
{
    unsigned int base = (unsigned int)positions.size();
    SGraphicObject model = SGraphicObject();
    model.indexCount = corners.size();
    model.indices = new unsigned int[corners.size() ? corners.size() : 1];
    for (std::size_t c = 0; c < corners.size(); ++c) {
        positions.push_back(corners[c]);
        normals.push_back(c < cornerNormals.size() ? cornerNormals[c] : Vector3f(0, 1, 0));
        texCoords.push_back(c < cornerTexCoords.size() ? cornerTexCoords[c] : Vector2f(0, 0));
        model.indices[c] = base + (unsigned int)c;
    }
    m_models.push_back(model);
    return (int)m_models.size() - 1;
}

void CZoModelStore::Finish()
{
    vertexArray = positions;
    m_vertices = vertexArray.empty() ? 0 : vertexArray.data();
}
