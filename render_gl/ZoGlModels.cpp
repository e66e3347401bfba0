// The model loader's OpenGL side: the geometry is built (or read from the
// cache) by the model store, then uploaded into the shared vertex buffers and
// one element buffer per model.
#include <GL/glew.h>

#include <cstdio>
#include <string>

#include "render/ModelCache.h"
#include "model/Log.h"
#include "render/ModelList.h"
#include "render_gl/ZoGl.h"

namespace {

void UploadArray(unsigned int buffer, const void* data, std::size_t size)
{
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, (GLsizeiptr)size, data, GL_STATIC_DRAW);
}

}  // namespace

void CZoGl::GenerateVertexBuffers()
{
    unsigned int buffers[4] = {0, 0, 0, 0};
    glGenBuffers(4, buffers);
    m_vertexBuffer = buffers[0];
    m_texCoordBuffer = buffers[1];
    m_normalBuffer = buffers[2];
    m_tangentBuffer = buffers[3];
}

void CZoGl::UploadVertexBuffers()
{
    std::size_t n = m_store.VertexCount();
    UploadArray(m_vertexBuffer, m_store.positions.data(), n * sizeof(Vector3f));
    glVertexPointer(3, GL_FLOAT, 0, 0);
    UploadArray(m_texCoordBuffer, m_store.texCoords.data(), n * sizeof(Vector2f));
    glTexCoordPointer(2, GL_FLOAT, 0, 0);
    UploadArray(m_normalBuffer, m_store.normals.data(), n * sizeof(Vector3f));
    glNormalPointer(GL_FLOAT, 0, 0);
    UploadArray(m_tangentBuffer, m_store.tangents.data(), n * sizeof(Vector3f));
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, 0);
}

void CZoGl::UploadIndexBuffer(SGraphicObject& model)
{
    glGenBuffers(1, &model.indexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, model.indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, (GLsizeiptr)(model.indexCount * sizeof(unsigned int)), model.indices,
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

#ifndef FERROWIND_CACHE_READER

int CZoGl::LoadObjects(char* listFile)
{
    m_store = CZoModelStore();
    GenerateVertexBuffers();
    if (!ReadModelList(listFile, m_store,
                       [this](char* file, unsigned int base, int makeNormals) { LoadObject(file, base, makeNormals); }))
        return 0;
    m_store.Finish();
    std::string error;
    if (!WriteModelCache(m_store, m_cacheFolder, error))
        LogOut("Error: model cache: %s\n", error.c_str());
    UploadVertexBuffers();
    LogOut("models loaded\n");
    return 1;
}

int CZoGl::LoadObject(char* file, unsigned int base, int makeNormals)
{
    int number = m_store.AddColladaModel(file, base, makeNormals);
    UploadIndexBuffer(m_store.m_models[number]);
    return 1;
}

#else

// Builds without the COLLADA reader take the models from the cache files that
// a build with it wrote; "models.lof" is not read.
int CZoGl::LoadObjects(char*)
{
    m_store = CZoModelStore();
    GenerateVertexBuffers();
    std::string error;
    if (!ReadModelCacheArrays(m_store, "", error)) {
        LogOut("Error: model cache: %s\n", error.c_str());
        return 0;
    }
    LogOut("Basic stuff done\n");
    for (int i = 0; i < (int)m_store.m_models.size(); ++i) {
        if (!ReadModelCacheModel(m_store, i, "", error)) {
            LogOut("Error: model cache: %s\n", error.c_str());
            return 0;
        }
        UploadIndexBuffer(m_store.m_models[i]);
    }
    UploadVertexBuffers();
    LogOut("models loaded\n");
    return 1;
}

int CZoGl::LoadObject(char* file, unsigned int, int)
{
    LogOut("Error: %s: this build reads its models from the cache files only\n", file);
    return 0;
}

#endif

// An early test loader kept for its slot; nothing calls it. It puts one square
// into buffers of its own.
int CZoGl::LoadObjectsOld(char*)
{
    LogOut("loading objects test\n");
    if (GLEW_ARB_fragment_program)
        LogOut("GLEW_ARB_fragment_program suported\n");
    static const float square[12] = {-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0};
    static const unsigned int corners[6] = {0, 1, 2, 0, 2, 3};
    unsigned int buffers[2] = {0, 0};
    glGenBuffers(2, buffers);
    glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
    glBufferData(GL_ARRAY_BUFFER, sizeof square, square, GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[1]);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof corners, corners, GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    LogOut("objects loaded\n");
    return 1;
}
