#include "render/ModelCache.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

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

// Little-endian unsigned fields of 4 or 8 bytes, whatever the host's word size.
void PutUnsigned(unsigned char* at, std::size_t width, uint64_t value)
{
    for (std::size_t b = 0; b < width; ++b)
        at[b] = (unsigned char)(value >> (8 * b));
}

uint64_t GetUnsigned(const unsigned char* at, std::size_t width)
{
    uint64_t value = 0;
    for (std::size_t b = 0; b < width; ++b)
        value |= (uint64_t)at[b] << (8 * b);
    return value;
}

bool VertexInRange(int v, unsigned long vertexCount)
{
    return v >= 0 && (unsigned long)v < vertexCount;
}

}  // namespace

const SModelRecordLayout MODEL_RECORD_64 = {96, 8, 12, 16, 8, 24, 36, 52, 56, 88};
const SModelRecordLayout MODEL_RECORD_32 = {72, 4, 8, 12, 4, 16, 28, 44, 48, 68};

const SModelRecordLayout& NativeModelRecord()
{
    static_assert(sizeof(SGraphicObject) == 96 || sizeof(SGraphicObject) == 72, "model record of an unknown layout");
    return sizeof(SGraphicObject) == MODEL_RECORD_64.size ? MODEL_RECORD_64 : MODEL_RECORD_32;
}

std::vector<unsigned char> EncodeModelRecord(const SGraphicObject& model, const SModelRecordLayout& layout)
{
    std::vector<unsigned char> record(layout.size, 0);
    unsigned char* r = record.data();
    std::memcpy(r + layout.modelParam, &model.modelParam, 4);
    std::memcpy(r + layout.shader, &model.shader, 4);
    PutUnsigned(r + layout.indexCount, layout.indexCountWidth, model.indexCount);
    std::memcpy(r + layout.reserved, model.reserved, 12);
    std::memcpy(r + layout.colour, model.colour, 16);
    std::memcpy(r + layout.diffuse, &model.diffuse, 4);
    std::memcpy(r + layout.specular, &model.specular, 4);
    std::memcpy(r + layout.edgeCount, &model.edgeCount, 4);
    return record;
}

SGraphicObject DecodeModelRecord(const unsigned char* r, const SModelRecordLayout& layout)
{
    SGraphicObject model = SGraphicObject();
    std::memcpy(&model.modelParam, r + layout.modelParam, 4);
    std::memcpy(&model.shader, r + layout.shader, 4);
    // A count beyond this build's unsigned long is more than any file holds:
    // it stays too big, and the index file is then found too short for it.
    uint64_t indexCount = GetUnsigned(r + layout.indexCount, layout.indexCountWidth);
    model.indexCount = (unsigned long)std::min<uint64_t>(indexCount, std::numeric_limits<unsigned long>::max());
    std::memcpy(model.reserved, r + layout.reserved, 12);
    std::memcpy(model.colour, r + layout.colour, 16);
    std::memcpy(&model.diffuse, r + layout.diffuse, 4);
    std::memcpy(&model.specular, r + layout.specular, 4);
    std::memcpy(&model.edgeCount, r + layout.edgeCount, 4);
    return model;
}

bool WriteModelCache(const CZoModelStore& store, const std::string& dir, std::string& error,
                     const SModelRecordLayout& layout)
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
        std::vector<unsigned char> record = EncodeModelRecord(model, layout);
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

bool ReadModelCacheArrays(CZoModelStore& store, const std::string& dir, std::string& error,
                          const SModelRecordLayout& layout)
{
    std::vector<unsigned char> content;
    if (!ReadFile(dir + "vaf.blob", content, error))
        return false;
    if (content.size() % sizeof(Vector3f) != 0) {
        error = "vaf.blob holds no whole number of vertices";
        return false;
    }
    std::size_t n = content.size() / sizeof(Vector3f);
    if (!TakeArray(content, n, "vaf.blob", store.positions, error) ||
        !ReadFile(dir + "taf.blob", content, error) || !TakeArray(content, n, "taf.blob", store.texCoords, error) ||
        !ReadFile(dir + "naf.blob", content, error) || !TakeArray(content, n, "naf.blob", store.normals, error) ||
        !ReadFile(dir + "aaf.blob", content, error) || !TakeArray(content, n, "aaf.blob", store.tangents, error) ||
        !ReadFile(dir + "oaf.blob", content, error))
        return false;
    store.MakeVertexArray();

    if (content.size() % layout.size != 0) {
        error = "oaf.blob holds no whole number of " + std::to_string(layout.size) +
                "-byte model records (written by a build of another word size?)";
        return false;
    }
    std::size_t models = content.size() / layout.size;
    store.m_models.clear();
    // Corners are never shared: the models' indexes together number the vertices.
    uint64_t indexes = 0;
    for (std::size_t i = 0; i < models; ++i) {
        SGraphicObject model = DecodeModelRecord(content.data() + i * layout.size, layout);
        if (model.edgeCount < 0 || model.indexCount % 3 != 0 || model.indexCount > n - indexes) {
            error = "oaf.blob: model " + std::to_string(i) +
                    " has a negative edge count, a partial triangle or more indexes than vaf.blob has vertices "
                    "(written by a build of another word size?)";
            return false;
        }
        indexes += model.indexCount;
        store.m_models.push_back(model);
    }
    if (indexes != n) {
        error = "oaf.blob: the models have " + std::to_string(indexes) + " indexes for the " + std::to_string(n) +
                " vertices of vaf.blob (written by a build of another word size?)";
        return false;
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
