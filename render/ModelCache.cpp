#include "render/ModelCache.h"

#include <cstdio>
#include <algorithm>
#include <cstring>

namespace {

std::string CacheName(const char* pattern, int number)
{
    char name[32];
    std::snprintf(name, sizeof name, pattern, number);
    return name;
}

bool WriteFile(const std::string& path, const void* data, std::size_t size, std::string& error)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    bool ok = file && (size == 0 || std::fwrite(data, 1, size, file) == size);
    if (file && std::fclose(file) != 0)
        ok = false;
    if (!ok)
        error = "couldn't write " + path;
    return ok;
}

bool ReadFile(const std::string& path, std::vector<unsigned char>& content, std::string& error)
{
    content.clear();
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = "couldn't open " + path;
        return false;
    }
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    long size = ok ? std::ftell(file) : -1;
    ok = size >= 0 && std::fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        content.resize((std::size_t)size);
        ok = size == 0 || std::fread(content.data(), 1, content.size(), file) == content.size();
    }
    std::fclose(file);
    if (!ok)
        error = "couldn't read " + path;
    return ok;
}

// Fills `out` with the first `count` elements of a file's content.
template <class T>
bool TakeArray(const std::vector<unsigned char>& content, std::size_t count, const std::string& name,
               std::vector<T>& out, std::string& error)
{
    if (content.size() / sizeof(T) < count) {
        error = name + " is shorter than its counts say";
        return false;
    }
    out.resize(count);
    if (count)
        std::memcpy(out.data(), content.data(), count * sizeof(T));
    return true;
}

bool VertexInRange(int v, unsigned long vertexCount)
{
    return v >= 0 && (unsigned long)v < vertexCount;
}

}  // namespace

std::vector<unsigned char> EncodeModelRecord(const SGraphicObject& model)
{
    std::vector<unsigned char> record(sizeof(SGraphicObject), 0);
    unsigned char* r = record.data();
    std::memcpy(r + offsetof(SGraphicObject, modelParam), &model.modelParam, sizeof model.modelParam);
    std::memcpy(r + offsetof(SGraphicObject, shader), &model.shader, sizeof model.shader);
    std::memcpy(r + offsetof(SGraphicObject, indexCount), &model.indexCount, sizeof model.indexCount);
    std::memcpy(r + offsetof(SGraphicObject, reserved), model.reserved, sizeof model.reserved);
    std::memcpy(r + offsetof(SGraphicObject, colour), model.colour, sizeof model.colour);
    std::memcpy(r + offsetof(SGraphicObject, diffuse), &model.diffuse, sizeof model.diffuse);
    std::memcpy(r + offsetof(SGraphicObject, specular), &model.specular, sizeof model.specular);
    std::memcpy(r + offsetof(SGraphicObject, edgeCount), &model.edgeCount, sizeof model.edgeCount);
    return record;
}

SGraphicObject DecodeModelRecord(const unsigned char* r)
{
    SGraphicObject model = SGraphicObject();
    std::memcpy(&model.modelParam, r + offsetof(SGraphicObject, modelParam), sizeof model.modelParam);
    std::memcpy(&model.shader, r + offsetof(SGraphicObject, shader), sizeof model.shader);
    std::memcpy(&model.indexCount, r + offsetof(SGraphicObject, indexCount), sizeof model.indexCount);
    std::memcpy(model.reserved, r + offsetof(SGraphicObject, reserved), sizeof model.reserved);
    std::memcpy(model.colour, r + offsetof(SGraphicObject, colour), sizeof model.colour);
    std::memcpy(&model.diffuse, r + offsetof(SGraphicObject, diffuse), sizeof model.diffuse);
    std::memcpy(&model.specular, r + offsetof(SGraphicObject, specular), sizeof model.specular);
    std::memcpy(&model.edgeCount, r + offsetof(SGraphicObject, edgeCount), sizeof model.edgeCount);
    return model;
}

bool WriteModelCache(const CZoModelStore& store, const std::string& dir, std::string& error)
{
    std::size_t n = store.positions.size();
    if (store.texCoords.size() != n || store.normals.size() != n || store.tangents.size() != n) {
        error = "the vertex arrays differ in length";
        return false;
    }
    if (!WriteFile(dir + "vaf.blob", store.positions.data(), n * sizeof(Vector3f), error) ||
        !WriteFile(dir + "taf.blob", store.texCoords.data(), n * sizeof(Vector2f), error) ||
        !WriteFile(dir + "naf.blob", store.normals.data(), n * sizeof(Vector3f), error) ||
        !WriteFile(dir + "aaf.blob", store.tangents.data(), n * sizeof(Vector3f), error))
        return false;

    std::vector<unsigned char> records;
    for (const SGraphicObject& model : store.m_models) {
        std::vector<unsigned char> record = EncodeModelRecord(model);
        records.insert(records.end(), record.begin(), record.end());
    }
    if (!WriteFile(dir + "oaf.blob", records.data(), records.size(), error))
        return false;

    for (std::size_t i = 0; i < store.m_models.size(); ++i) {
        const SGraphicObject& model = store.m_models[i];
        if (!WriteFile(dir + CacheName("i%d.blob", (int)i), model.indices, model.indexCount * sizeof(unsigned int),
                       error) ||
            !WriteFile(dir + CacheName("e%d.blob", (int)i), model.edges.data(), model.edges.size() * sizeof(Edge),
                       error))
            return false;
    }
    return true;
}

bool ReadModelCacheArrays(CZoModelStore& store, const std::string& dir, std::string& error)
{
    std::vector<unsigned char> content;
    if (!ReadFile(dir + "vaf.blob", content, error))
        return false;
    std::size_t n = content.size() / sizeof(Vector3f);
    if (!TakeArray(content, n, "vaf.blob", store.positions, error) ||
        !ReadFile(dir + "taf.blob", content, error) || !TakeArray(content, n, "taf.blob", store.texCoords, error) ||
        !ReadFile(dir + "naf.blob", content, error) || !TakeArray(content, n, "naf.blob", store.normals, error) ||
        !ReadFile(dir + "aaf.blob", content, error) || !TakeArray(content, n, "aaf.blob", store.tangents, error) ||
        !ReadFile(dir + "oaf.blob", content, error))
        return false;
    store.MakeVertexArray();

    std::size_t models = content.size() / sizeof(SGraphicObject);
    store.m_models.clear();
    for (std::size_t i = 0; i < models; ++i) {
        SGraphicObject model = DecodeModelRecord(content.data() + i * sizeof(SGraphicObject));
        if (model.edgeCount < 0) {
            error = "oaf.blob: model " + std::to_string(i) + " has a negative edge count";
            return false;
        }
        store.m_models.push_back(model);
    }
    return true;
}

bool ReadModelCacheModel(CZoModelStore& store, int number, const std::string& dir, std::string& error)
{
    SGraphicObject& model = store.m_models[number];
    unsigned long vertexCount = store.VertexCount();

    std::string indexName = CacheName("i%d.blob", number);
    std::vector<unsigned char> content;
    std::vector<unsigned int> indices;
    if (!ReadFile(dir + indexName, content, error) ||
        !TakeArray(content, model.indexCount, indexName, indices, error))
        return false;
    for (unsigned int index : indices) {
        if (index >= vertexCount) {
            error = indexName + " names a vertex beyond vaf.blob";
            return false;
        }
    }

    std::string edgeName = CacheName("e%d.blob", number);
    std::vector<Edge> edges;
    if (!ReadFile(dir + edgeName, content, error) ||
        !TakeArray(content, (std::size_t)model.edgeCount, edgeName, edges, error))
        return false;
    for (const Edge& e : edges) {
        bool ok = VertexInRange(e.end0, vertexCount) && VertexInRange(e.end1, vertexCount);
        for (int k = 0; k < 3; ++k)
            ok = ok && VertexInRange(e.face1[k], vertexCount) && VertexInRange(e.face2[k], vertexCount);
        if (!ok) {
            error = edgeName + " names a vertex beyond vaf.blob";
            return false;
        }
    }

    model.indices = store.NewIndices(indices.size());
    std::copy(indices.begin(), indices.end(), model.indices);
    model.edges = edges;
    return true;
}
