#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/unit/LogCapture.h"
#include "render/ModelGeometry.h"
#include "render/ModelStore.h"
#include "tests/unit/ScratchDir.h"

namespace {

const std::string DATA = FERROWIND_TEST_DATA "/";

std::vector<Vector3f> Triangle(float offset)
{
    return {Vector3f(offset, 0, 0), Vector3f(offset + 1, 0, 0), Vector3f(offset, 1, 0)};
}

bool Equal(const Vector3f& a, const Vector3f& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

}  // namespace

TEST(ModelStore, SecondModelIndexesStartAtTheFirstModelsVertexCount)
{
    CZoModelStore store;
    std::vector<Vector3f> two = Triangle(0);
    std::vector<Vector3f> more = Triangle(5);
    two.insert(two.end(), more.begin(), more.end());
    EXPECT_EQ(store.AddModel(two, {}, {}), 0);
    EXPECT_EQ(store.AddModel(Triangle(9), {}, {}), 1);
    // An empty model keeps its number.
    EXPECT_EQ(store.AddModel({}, {}, {}), 2);
    EXPECT_EQ(store.m_models[2].indexCount, 0u);
    EXPECT_EQ(store.m_models[2].edgeCount, 0);

    EXPECT_EQ(store.VertexCount(), 9u);
    const SGraphicObject& second = store.m_models[1];
    ASSERT_EQ(second.indexCount, 3u);
    EXPECT_EQ(second.indices[0], 6u);
    EXPECT_EQ(second.indices[2], 8u);
    EXPECT_EQ(store.positions[6].x, 9);
    EXPECT_EQ(store.normals.size(), 9u);
    EXPECT_EQ(store.texCoords.size(), 9u);

    store.Finish();
    ASSERT_EQ(store.m_vertices, store.vertexArray.data());
    EXPECT_EQ(store.vertexArray.size(), 9u);
    EXPECT_EQ(store.tangents.size(), 9u);
}

TEST(ModelStore, OnlyTheTwoListedNamesAreRescaled)
{
    EXPECT_TRUE(IsRescaledModelName("bla2.dae"));
    EXPECT_TRUE(IsRescaledModelName("monkey.dae"));
    EXPECT_FALSE(IsRescaledModelName("models/monkey.dae"));
    EXPECT_FALSE(IsRescaledModelName("Monkey.dae"));
    EXPECT_FALSE(IsRescaledModelName("monkey.dae "));
    Vector3f p = RescaleModelPosition(Vector3f(1, -2, 0.5f));
    EXPECT_TRUE(Equal(p, Vector3f(50, 0, 25)));
}

TEST(ModelStore, ColladaModelNamedMonkeyIsRescaledOnLoad)
{
    // The rule goes by the name as written in the list: load the same file as
    // "monkey.dae" from its directory and by a path with a directory.
    ScratchDir dir;
    std::ifstream fixture((DATA + "two_triangles.dae").c_str(), std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(fixture)), std::istreambuf_iterator<char>());
    std::string withDirectory = dir.Write("monkey.dae", content);
    std::string plain = "monkey.dae";
    ScopedWorkingDir inDir(dir.Path());
    ASSERT_TRUE(inDir.Entered());

    CZoModelStore store;
    CaptureLog();
    store.AddColladaModel(&plain[0], 0, 0);
    store.AddColladaModel(&withDirectory[0], 6, 0);
    std::string out = CapturedOut();

    EXPECT_EQ(out, "   Loading monkey.dae\n   Loading " + withDirectory + "\n");
    ASSERT_EQ(store.VertexCount(), 12u);
    EXPECT_TRUE(Equal(store.positions[2], Vector3f(50, 150, 0)));  // (1, 1, 0) scaled
    EXPECT_TRUE(Equal(store.positions[8], Vector3f(1, 1, 0)));      // as in the file
}

TEST(ModelStore, FlatNormalsReplaceTheFilesNormals)
{
    CZoModelStore store;
    std::vector<Vector3f> corners = {Vector3f(0, 0, 0), Vector3f(2, 0, 0), Vector3f(0, 0, -3),
                                     Vector3f(0, 0, 0), Vector3f(0, 4, 0), Vector3f(0, 0, 0.5f)};
    std::vector<Vector3f> fileNormals(6, Vector3f(9, 9, 9));
    store.AddModel(corners, fileNormals, {}, false);
    EXPECT_TRUE(Equal(store.normals[0], Vector3f(9, 9, 9)));

    store.AddModel(corners, fileNormals, {}, true);
    // (P1 - P0) x (P2 - P1), unit length, on all three corners.
    for (int k = 6; k < 9; ++k)
        EXPECT_TRUE(Equal(store.normals[k], Vector3f(0, 1, 0))) << k;
    for (int k = 9; k < 12; ++k) {
        EXPECT_FLOAT_EQ(store.normals[k].x, 1) << k;
        EXPECT_FLOAT_EQ(store.normals[k].y, 0) << k;
    }
    // The first model keeps its normals.
    EXPECT_TRUE(Equal(store.normals[5], Vector3f(9, 9, 9)));
}

TEST(ModelGeometry, TangentFollowsTheTextureAndTurnsWhereItIsMirrored)
{
    std::vector<Vector3f> positions = {Vector3f(0, 0, 0), Vector3f(2, 0, 0), Vector3f(2, 3, 0)};
    std::vector<Vector2f> upright = {Vector2f(0, 0), Vector2f(1, 0), Vector2f(1, 1)};
    std::vector<Vector3f> t = ComputeTangents(positions, upright);
    // T = (P0-P1)(s1-s2) - (P1-P2)(s0-s1) = 0 - (0,-3,0)(-1) = (0,-3,0);
    // d = (t0-t1)(s1-s2) - (s0-s1)(t1-t2) = 0 - (-1)(-1) = -1 < 0, so T turns.
    ASSERT_EQ(t.size(), 3u);
    for (const Vector3f& v : t)
        EXPECT_TRUE(Equal(v, Vector3f(0, 3, 0)));

    std::vector<Vector2f> mirrored = {Vector2f(0, 0), Vector2f(1, 0), Vector2f(1, -1)};
    // d = 0 - (-1)(1) = 1: kept as computed, not normalised.
    t = ComputeTangents(positions, mirrored);
    EXPECT_TRUE(Equal(t[2], Vector3f(0, -3, 0)));
}

TEST(ModelGeometry, EdgesOfALoneTriangle)
{
    std::vector<Vector3f> positions = Triangle(0);
    unsigned int indices[3] = {0, 1, 2};
    std::vector<Edge> edges = BuildEdges(indices, 3, positions);
    ASSERT_EQ(edges.size(), 3u);
    int expected[3][3] = {{0, 1, 2}, {1, 2, 0}, {2, 0, 1}};
    for (int e = 0; e < 3; ++e) {
        EXPECT_EQ(edges[e].end0, expected[e][0]);
        EXPECT_EQ(edges[e].end1, expected[e][1]);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(edges[e].face1[k], expected[e][k]);
            EXPECT_EQ(edges[e].face2[k], 0);
        }
        for (int r : edges[e].reserved)
            EXPECT_EQ(r, 0);
    }
}

TEST(ModelGeometry, SharedEdgeIsFoundOnceWithBothFaces)
{
    // A quad as two triangles; corners are not shared, the edge (0,0)-(1,1)
    // appears in opposite windings.
    std::vector<Vector3f> positions = {Vector3f(0, 0, 0), Vector3f(1, 0, 0), Vector3f(1, 1, 0),
                                       Vector3f(0, 0, 0), Vector3f(1, 1, 0), Vector3f(0, 1, 0)};
    unsigned int indices[6] = {0, 1, 2, 3, 4, 5};
    std::vector<Edge> edges = BuildEdges(indices, 6, positions);
    ASSERT_EQ(edges.size(), 5u);
    const Edge& diagonal = edges[2];
    EXPECT_EQ(diagonal.end0, 2);
    EXPECT_EQ(diagonal.end1, 0);
    EXPECT_EQ(diagonal.face1[2], 1);
    EXPECT_EQ(diagonal.face2[0], 3);
    EXPECT_EQ(diagonal.face2[1], 4);
    EXPECT_EQ(diagonal.face2[2], 5);
    int shared = 0;
    for (const Edge& e : edges)
        shared += e.face2[0] || e.face2[1] || e.face2[2];
    EXPECT_EQ(shared, 1);
}

// Three triangles on one edge: the edge keeps the last one as face2. Where
// two earlier edges, 0.06 apart at one end and so not one edge, are both near
// a new one, the earlier takes it.
TEST(ModelGeometry, TheSecondFaceGoesToTheEarliestMatchingEdgeAndTheLastTriangle)
{
    const Vector3f b(1, 0, 0), o(0, 0, 0);
    for (bool near : {false, true}) {
        Vector3f left = near ? Vector3f(-0.02f, 0, 0) : o, right = near ? Vector3f(0.04f, 0, 0) : o;
        Vector3f middle = near ? Vector3f(0.01f, 0, 0) : o;
        std::vector<Vector3f> positions = {b, left, Vector3f(0, 1, 0), right, b, Vector3f(0, -1, 0),
                                           middle, b, Vector3f(0, 0, 1)};
        unsigned int indices[9] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
        std::vector<Edge> edges = BuildEdges(indices, 9, positions);
        ASSERT_EQ(edges.size(), near ? 8u : 7u) << near;
        EXPECT_EQ(edges[0].face2[0], 6) << near;
        EXPECT_EQ(edges[0].face2[2], 8) << near;
        EXPECT_EQ(edges[3].face2[0], 0) << near;
    }
}

TEST(ModelGeometry, PointsCloserThanTheToleranceAreTheSame)
{
    EXPECT_TRUE(SamePoint(Vector3f(0, 0, 0), Vector3f(0.02f, 0.02f, 0.009f)));
    EXPECT_TRUE(SamePoint(Vector3f(10, 0, 0), Vector3f(10.049f, 0, 0)));
    EXPECT_FALSE(SamePoint(Vector3f(0, 0, 0), Vector3f(0.05f, 0, 0)));
    EXPECT_FALSE(SamePoint(Vector3f(0, 0, 0), Vector3f(0.02f, 0.02f, 0.02f)));
    EXPECT_FALSE(SamePoint(Vector3f(0, 0, 0), Vector3f(NAN, 0, 0)));

    // Within the tolerance two edges merge; at 0.05 they stay apart. The near
    // ends lie either side of 0, where the edge search files them apart.
    const float x = -0.015625f;
    for (float gap : {0.04f, 0.05f}) {
        std::vector<Vector3f> positions = {Vector3f(x, 0, 0), Vector3f(1, 0, 0), Vector3f(0, 1, 0),
                                           Vector3f(1, 0, 0), Vector3f(x + gap, 0, 0), Vector3f(0, -1, 0)};
        unsigned int indices[6] = {0, 1, 2, 3, 4, 5};
        std::vector<Edge> edges = BuildEdges(indices, 6, positions);
        EXPECT_EQ(edges.size(), gap < 0.05f ? 5u : 6u) << gap;
    }
}

TEST(ModelStore, ModelFileLoadsWithEdgesAndParseProblemsKeepTheModelNumber)
{
    CZoModelStore store;
    std::string good = DATA + "two_triangles.dae";
    std::string bad = DATA + "index_out_of_range.dae";
    std::string shortList = DATA + "short_index_list.dae";
    std::string truncated = DATA + "truncated.dae";
    CaptureLog();
    EXPECT_EQ(store.AddColladaModel(&good[0], 0, 1), 0);
    EXPECT_EQ(store.AddColladaModel(&bad[0], 6, 0), 1);
    EXPECT_EQ(store.AddColladaModel(&shortList[0], 6, 0), 2);
    EXPECT_EQ(store.AddColladaModel(&truncated[0], 6, 0), 3);
    std::string out = CapturedOut();
    std::string err = CapturedErr();

    EXPECT_EQ(out.find("   Loading " + good + "\n\t\tGenerating Normals\n   Loading " + bad + "\nError: " + bad), 0u)
        << out;
    EXPECT_NE(out.find("Error: " + shortList), std::string::npos);
    EXPECT_EQ(err.find("Parse problem " + truncated + ":"), 0u) << err;

    EXPECT_EQ(store.VertexCount(), 6u);
    EXPECT_EQ(store.m_models[0].edgeCount, 5);
    EXPECT_TRUE(Equal(store.normals[4], Vector3f(0, 0, 1)));  // flat normal replaces (0,0,-1)
    for (int m = 1; m < 4; ++m) {
        EXPECT_EQ(store.m_models[m].indexCount, 0u);
        EXPECT_EQ(store.m_models[m].edgeCount, 0);
    }
}
