#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/unit/LogCapture.h"
#include "render/ColladaModels.h"
#include "render/ModelCache.h"
#include "render/ModelStore.h"
#include "tests/unit/ScratchDir.h"

namespace {

template <class T>
T At(const std::vector<unsigned char>& bytes, std::size_t offset)
{
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

// Two models: a quad (two triangles) and a lone triangle, with materials.
CZoModelStore SampleStore()
{
    CZoModelStore store;
    std::vector<Vector3f> quad = {Vector3f(0, 0, 0), Vector3f(1, 0, 0), Vector3f(1, 1, 0),
                                  Vector3f(0, 0, 0), Vector3f(1, 1, 0), Vector3f(0, 1, 0)};
    std::vector<Vector2f> uv = {Vector2f(0, 0), Vector2f(1, 0), Vector2f(1, 1),
                                Vector2f(0, 0), Vector2f(1, 1), Vector2f(0, 1)};
    store.AddModel(quad, {}, uv, true);
    store.AddModel({Vector3f(5, 0, 0), Vector3f(6, 0, 0), Vector3f(5, 0, -1)}, {}, {});
    SGraphicObject& first = store.m_models[0];
    first.modelParam = -7;
    first.shader = 2;
    first.colour[0] = 0.25f;
    first.colour[3] = 1;
    first.diffuse = 0.5f;
    first.specular = 8;
    first.indexBuffer = 99;
    store.m_models[1].shader = 3;
    store.Finish();
    return store;
}

bool Write(const CZoModelStore& store, const ScratchDir& dir)
{
    std::string error;
    bool ok = WriteModelCache(store, dir.Path(), error);
    EXPECT_TRUE(ok) << error;
    return ok;
}

bool ReadAll(CZoModelStore& store, const ScratchDir& dir, std::string& error,
             const SModelRecordLayout& layout = NativeModelRecord())
{
    if (!ReadModelCacheArrays(store, dir.Path(), error, layout))
        return false;
    for (int i = 0; i < (int)store.m_models.size(); ++i)
        if (!ReadModelCacheModel(store, i, dir.Path(), error))
            return false;
    return true;
}

// Keeps the first `keep` bytes of the file.
void Truncate(const ScratchDir& dir, const char* file, std::size_t keep)
{
    std::vector<unsigned char> bytes = dir.Read(file);
    bytes.resize(keep);
    dir.Write(file, std::string(bytes.begin(), bytes.end()));
}

// Each row: the value of type T that `bytes` hold at an offset.
template <class T>
void ExpectAt(const std::vector<unsigned char>& bytes, std::initializer_list<std::pair<std::size_t, T>> rows)
{
    for (const auto& row : rows)
        EXPECT_EQ(At<T>(bytes, row.first), row.second) << "at byte " << row.first;
}

// Everything of a model that the cache keeps; buffer names are not kept.
void ExpectSameModel(const SGraphicObject& a, const SGraphicObject& b, std::size_t m)
{
    EXPECT_EQ(b.modelParam, a.modelParam) << m;
    EXPECT_EQ(b.shader, a.shader) << m;
    EXPECT_EQ(std::memcmp(b.colour, a.colour, sizeof a.colour), 0) << m;
    EXPECT_EQ(b.diffuse, a.diffuse) << m;
    EXPECT_EQ(b.specular, a.specular) << m;
    EXPECT_EQ(b.indexBuffer, 0u) << m;
    ASSERT_EQ(b.indexCount, a.indexCount) << m;
    EXPECT_EQ(std::memcmp(b.indices, a.indices, a.indexCount * sizeof(unsigned int)), 0) << m;
    ASSERT_EQ(b.edgeCount, a.edgeCount) << m;
    ASSERT_EQ(b.edges.size(), a.edges.size()) << m;
    EXPECT_EQ(std::memcmp(b.edges.data(), a.edges.data(), a.edges.size() * sizeof(Edge)), 0) << m;
}

}  // namespace

TEST(ModelCache, FilesHaveTheFixedLayouts)
{
    ScratchDir dir;
    CZoModelStore store = SampleStore();
    ASSERT_TRUE(Write(store, dir));

    for (const char* file : {"vaf.blob", "naf.blob", "aaf.blob"})
        EXPECT_EQ(dir.Read(file).size(), 12u * 9) << file;
    EXPECT_EQ(dir.Read("taf.blob").size(), 8u * 9);
    // The first vertex of model 1 and the z of its third.
    ExpectAt<float>(dir.Read("vaf.blob"), {{12 * 6, 5}, {12 * 8 + 8, -1}});
    EXPECT_EQ(At<float>(dir.Read("taf.blob"), 8 * 2 + 4), 1);
    EXPECT_EQ(At<float>(dir.Read("naf.blob"), 12 * 4 + 8), 1);  // flat normal (0, 0, 1)

    std::vector<unsigned char> oaf = dir.Read("oaf.blob");
    ASSERT_EQ(sizeof(SGraphicObject), 96u);
    ASSERT_EQ(oaf.size(), 2u * 96);
    // The pointer (0) and the buffer name (60) mean nothing in the file.
    ExpectAt<unsigned long long>(oaf, {{0, 0}, {16, 6}, {96 + 16, 3}});
    ExpectAt<int>(oaf, {{8, -7}, {12, 2}, {24, 0}, {32, 0}, {60, 0}, {88, 5}, {92, 0}, {96 + 12, 3}, {96 + 88, 3}});
    ExpectAt<float>(oaf, {{36, 0.25f}, {48, 1}, {52, 0.5f}, {56, 8}});

    std::vector<unsigned char> i1 = dir.Read("i1.blob");
    ASSERT_EQ(i1.size(), 12u);
    ExpectAt<unsigned int>(i1, {{0, 6}, {8, 8}});

    std::vector<unsigned char> e0 = dir.Read("e0.blob");
    ASSERT_EQ(e0.size(), 5u * 56);
    // The diagonal, the third edge (from byte 112): end0 2, end1 0, face1 (2, 0, 1), face2 (3, 4, 5).
    ExpectAt<int>(e0, {{112 + 24, 2}, {112 + 28, 0}, {112 + 40, 1}, {112 + 44, 3}, {112 + 52, 5}});
    EXPECT_EQ(dir.Read("e1.blob").size(), 3u * 56);
}

TEST(ModelCache, WhatIsWrittenReadsBackTheSame)
{
    CZoModelStore stores[2] = {SampleStore(), CZoModelStore()};
    stores[1].Finish();  // empty
    for (const CZoModelStore& written : stores) {
        ScratchDir dir;
        ASSERT_TRUE(Write(written, dir));
        CZoModelStore read;
        std::string error;
        ASSERT_TRUE(ReadAll(read, dir, error)) << error;
        std::size_t n = written.VertexCount();
        ASSERT_EQ(read.VertexCount(), n);
        EXPECT_EQ(read.m_vertices, n ? read.vertexArray.data() : nullptr);
        EXPECT_EQ(read.vertexArray.size(), n);
        // The empty store's arrays are null, which memcmp may not be given.
        if (n > 0) {
            EXPECT_EQ(std::memcmp(read.positions.data(), written.positions.data(), n * sizeof(Vector3f)), 0);
            EXPECT_EQ(std::memcmp(read.texCoords.data(), written.texCoords.data(), n * sizeof(Vector2f)), 0);
            EXPECT_EQ(std::memcmp(read.normals.data(), written.normals.data(), n * sizeof(Vector3f)), 0);
            EXPECT_EQ(std::memcmp(read.tangents.data(), written.tangents.data(), n * sizeof(Vector3f)), 0);
        }
        ASSERT_EQ(read.m_models.size(), written.m_models.size());
        for (std::size_t m = 0; m < read.m_models.size(); ++m)
            ExpectSameModel(written.m_models[m], read.m_models[m], m);
    }
}

TEST(ModelCache, MissingOrShortFilesAreNamedNotRead)
{
    struct Damage {
        const char* file;
        long keep;  // bytes kept; -1 removes the file
    } damages[] = {
        {"vaf.blob", -1}, {"taf.blob", 8 * 9 - 1}, {"naf.blob", -1}, {"aaf.blob", 12 * 8},
        {"oaf.blob", -1}, {"i0.blob", 4 * 5}, {"i1.blob", -1}, {"e0.blob", 56 * 4 + 55}, {"e1.blob", -1},
    };
    for (const Damage& d : damages) {
        ScratchDir dir;
        ASSERT_TRUE(Write(SampleStore(), dir));
        if (d.keep < 0)
            std::remove(dir.File(d.file).c_str());
        else
            Truncate(dir, d.file, (std::size_t)d.keep);
        CZoModelStore read;
        std::string error;
        EXPECT_FALSE(ReadAll(read, dir, error)) << d.file;
        EXPECT_NE(error.find(d.file), std::string::npos) << error;
    }
}

TEST(ModelCache, VertexNumbersBeyondTheArraysAreRefused)
{
    ScratchDir dir;
    CZoModelStore store = SampleStore();
    store.m_models[1].indices[2] = 9;
    store.m_models[0].edges[4].face2[1] = -1;
    ASSERT_TRUE(Write(store, dir));

    CZoModelStore read;
    std::string error;
    ASSERT_TRUE(ReadModelCacheArrays(read, dir.Path(), error)) << error;
    EXPECT_FALSE(ReadModelCacheModel(read, 0, dir.Path(), error));
    EXPECT_NE(error.find("e0.blob"), std::string::npos) << error;
    EXPECT_FALSE(ReadModelCacheModel(read, 1, dir.Path(), error));
    EXPECT_NE(error.find("i1.blob"), std::string::npos) << error;
}

// Both layouts keep the fields that matter and leave pointers, buffer names
// and edge lists out of the file.
TEST(ModelCache, RecordsOfBothWordSizesKeepTheFieldsThatMatter)
{
    SGraphicObject model = SGraphicObject();
    unsigned int indices[3] = {1, 2, 3};
    model.indices = indices;
    model.modelParam = -4;
    model.shader = 2;
    model.indexCount = 300;
    model.reserved[1] = 6;
    model.reserved[2] = 9;
    model.colour[3] = 0.5f;
    model.diffuse = 0.75f;
    model.specular = 6;
    model.indexBuffer = 12;
    model.edges.resize(2);
    model.edgeCount = 41;

    std::vector<unsigned char> native = EncodeModelRecord(model);
    ASSERT_EQ(native.size(), sizeof(SGraphicObject));
    std::vector<unsigned char> r = EncodeModelRecord(model, MODEL_RECORD_32);
    ASSERT_EQ(r.size(), 72u);
    ExpectAt<int>(r, {{4, -4}, {8, 2}, {12, 300}, {24, 9}, {68, 41}});
    ExpectAt<float>(r, {{40, 0.5f}, {44, 0.75f}, {48, 6}});
    for (std::size_t k : {0, 1, 2, 3, 52, 53, 54, 55, 56, 60, 64, 67})
        EXPECT_EQ(r[k], 0) << "pointer, buffer and list bytes mean nothing in the file: " << k;

    for (SGraphicObject back : {DecodeModelRecord(native.data()), DecodeModelRecord(r.data(), MODEL_RECORD_32)}) {
        EXPECT_EQ(back.indices, nullptr);
        EXPECT_EQ(back.modelParam, -4);
        EXPECT_EQ(back.indexCount, 300u);
        EXPECT_EQ(back.reserved[1], 6);
        EXPECT_EQ(back.reserved[2], 9);
        EXPECT_EQ(back.colour[3], 0.5f);
        EXPECT_EQ(back.specular, 6);
        EXPECT_EQ(back.indexBuffer, 0u);
        EXPECT_TRUE(back.edges.empty());
        EXPECT_EQ(back.edgeCount, 41);
    }
}

// The default battlefield's models, as the cache writer for the 32-bit
// program reads them; loaded once, the edge search takes a while.
class BattlefieldCache : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ScopedWorkingDir inAssets(FERROWIND_ASSETS);
        ASSERT_TRUE(inAssets.Entered());
        CaptureLog();
        bool loaded = LoadColladaModels("models.lof", store);
        CapturedOut();
        ASSERT_TRUE(loaded);
    }
    static void TearDownTestSuite() { store = CZoModelStore(); }

    std::string Read(const SModelRecordLayout& layout)
    {
        CZoModelStore read;
        std::string error;
        if (!ReadAll(read, dir, error, layout))
            return error;
        EXPECT_EQ(read.m_models.size(), store.m_models.size());
        for (std::size_t m = 0; m < read.m_models.size() && m < store.m_models.size(); ++m)
            ExpectSameModel(store.m_models[m], read.m_models[m], m);
        return "";
    }

    static inline CZoModelStore store;
    ScratchDir dir;
};

// A cache of either word size reads back whole as what it is, and is refused
// with a reason as the other.
TEST_F(BattlefieldCache, CacheReadsBackWholeOnlyAsItsOwnWordSize)
{
    ASSERT_GE(store.m_models.size(), 20u);
    for (const SModelRecordLayout* layout : {&MODEL_RECORD_32, &MODEL_RECORD_64}) {
        const SModelRecordLayout& other = layout == &MODEL_RECORD_32 ? MODEL_RECORD_64 : MODEL_RECORD_32;
        std::string error;
        ASSERT_TRUE(WriteModelCache(store, dir.Path(), error, *layout)) << error;
        EXPECT_EQ(dir.Read("oaf.blob").size(), (layout == &MODEL_RECORD_32 ? 72 : 96) * store.m_models.size());
        EXPECT_EQ(Read(*layout), "") << layout->size;
        EXPECT_NE(Read(other).find("another word size"), std::string::npos) << layout->size;
    }
}

TEST_F(BattlefieldCache, DamagedThirtyTwoBitCacheStopsWithOneReasonNamingTheFile)
{
    struct {
        const char* file;
        std::size_t cut;
    } damages[] = {{"oaf.blob", 1}, {"oaf.blob", 72}, {"vaf.blob", 12}, {"vaf.blob", 5}, {"i7.blob", 4},
                   {"e7.blob", 56}, {"aaf.blob", 1}};
    for (const auto& d : damages) {
        std::string error;
        ASSERT_TRUE(WriteModelCache(store, dir.Path(), error, MODEL_RECORD_32)) << error;
        Truncate(dir, d.file, dir.Read(d.file).size() - d.cut);
        std::string reason = Read(MODEL_RECORD_32);
        EXPECT_NE(reason.find(d.file), std::string::npos) << d.file << " less " << d.cut << ": " << reason;
        EXPECT_EQ(reason.find('\n'), std::string::npos) << reason;
    }
}
