#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "render/ShadowVolume.h"

namespace {

Vector3f Normal(const Vector3f& a, const Vector3f& b, const Vector3f& c)
{
    return (b - a).CrossProduct(c - a);
}

bool Same(const Vector3f& p, const Vector3f& q)
{
    return p.x == q.x && p.y == q.y && p.z == q.z;
}

// Edges of a triangle list (every three corners one triangle, corners not
// shared) as the model loader builds them: face1 starts with the edge in its
// own winding, face2 with the same edge in the other triangle's winding.
std::vector<Edge> BuildEdges(const std::vector<Vector3f>& v)
{
    std::vector<Edge> edges;
    for (int t = 0; t + 2 < (int)v.size(); t += 3) {
        for (int k = 0; k < 3; ++k) {
            int first = t + k, second = t + (k + 1) % 3, third = t + (k + 2) % 3;
            bool found = false;
            for (Edge& e : edges) {
                if (Same(v[first], v[e.end1]) && Same(v[second], v[e.end0])) {
                    e.face2[0] = first;
                    e.face2[1] = second;
                    e.face2[2] = third;
                    found = true;
                    break;
                }
            }
            if (!found) {
                Edge e = Edge();
                e.end0 = first;
                e.end1 = second;
                e.face1[0] = first;
                e.face1[1] = second;
                e.face1[2] = third;
                edges.push_back(e);
            }
        }
    }
    return edges;
}

// A roof ridge along x at height 1: face 1 slopes down towards +z, face 2
// towards -z, both counter-clockwise seen from outside (above).
const Vector3f kA(1, 1, 0), kB(0, 1, 0), kC(0, 0, 1), kF(1, 0, -1);

std::vector<Vector3f> Ridge()
{
    return {kA, kB, kC, kB, kA, kF};
}

Vector3f Point(const SHomVertex& v)
{
    return Vector3f(v.x, v.y, v.z);
}

// A point on the quad: far corners (w 0) are taken `far` units out.
Vector3f Corner(const SHomVertex& v, const SHomVertex& base, float far)
{
    if (v.w == 1)
        return Point(v);
    return Point(base) + Point(v) * far;
}

void ExpectVertex(const SHomVertex& v, const Vector3f& p, float w)
{
    EXPECT_NEAR(v.x, p.x, 1e-4) << "x";
    EXPECT_NEAR(v.y, p.y, 1e-4) << "y";
    EXPECT_NEAR(v.z, p.z, 1e-4) << "z";
    EXPECT_EQ(v.w, w);
}

}  // namespace

TEST(ShadowVolume, PlacementTurnsAboutTheVerticalAxisOnly)
{
    SYawPlacement still(0, Vector3f(100, 5, -20));
    Vector3f p = still.Apply(Vector3f(1, 2, 3));
    EXPECT_FLOAT_EQ(p.x, 101);
    EXPECT_FLOAT_EQ(p.y, 7);
    EXPECT_FLOAT_EQ(p.z, -17);

    // A heading of 90 degrees turns +x to -z and +z to +x, as the rotation of
    // the object pass does.
    SYawPlacement turned(90, Vector3f(0, 0, 0));
    Vector3f q = turned.Apply(Vector3f(1, 4, 0));
    EXPECT_NEAR(q.x, 0, 1e-3);
    EXPECT_FLOAT_EQ(q.y, 4);
    EXPECT_NEAR(q.z, -1, 1e-3);
    Vector3f r = turned.Apply(Vector3f(0, 0, 1));
    EXPECT_NEAR(r.x, 1, 1e-3);
    EXPECT_NEAR(r.z, 0, 1e-3);
}

TEST(ShadowVolume, PlacementConvertsTheAngleWithThreePointOneFour)
{
    // With 3.14 for pi, half a turn leaves 0.0016 rad of sideways offset.
    SYawPlacement half(180, Vector3f(0, 0, 0));
    Vector3f p = half.Apply(Vector3f(1000, 0, 0));
    EXPECT_NEAR(p.x, 1000 * std::cos(3.14), 1e-2);
    EXPECT_NEAR(p.z, 1000 * std::sin(-3.14), 1e-2);
    EXPECT_NEAR(p.z, -1.59f, 0.01f);
}

TEST(ShadowVolume, LitFaceFirstGivesEdgeReversedThenFarEnds)
{
    Vector3f light(0.5f, 1.5f, 100);  // lights face 1 only
    SHomVertex quad[4];
    ASSERT_TRUE(SilhouetteQuad(kA, kB, kC, kB, kA, kF, light, quad));
    ExpectVertex(quad[0], kB, 1);
    ExpectVertex(quad[1], kA, 1);
    ExpectVertex(quad[2], kA - light, 0);
    ExpectVertex(quad[3], kB - light, 0);
}

TEST(ShadowVolume, LitSecondFaceGivesEdgeInOrderThenFarEnds)
{
    Vector3f light(0.5f, 1.5f, -100);  // lights face 2 only
    SHomVertex quad[4];
    ASSERT_TRUE(SilhouetteQuad(kA, kB, kC, kB, kA, kF, light, quad));
    ExpectVertex(quad[0], kA, 1);
    ExpectVertex(quad[1], kB, 1);
    ExpectVertex(quad[2], kB - light, 0);
    ExpectVertex(quad[3], kA - light, 0);
}

TEST(ShadowVolume, QuadFacesOutOfTheVolumeFromEitherSide)
{
    // The shadow lies below the plane through the ridge and the light; a
    // point there, beyond the roof, is inside the volume, and the quad's
    // counter-clockwise normal must point away from it.
    const float lightZ[2] = {100, -100};
    for (float z : lightZ) {
        Vector3f light(0.5f, 1.5f, z);
        Vector3f inside(0.5f, 0.5f, z > 0 ? -5.0f : 5.0f);
        SHomVertex quad[4];
        ASSERT_TRUE(SilhouetteQuad(kA, kB, kC, kB, kA, kF, light, quad));
        Vector3f q0 = Corner(quad[0], quad[0], 1), q1 = Corner(quad[1], quad[1], 1);
        Vector3f q2 = Corner(quad[2], quad[1], 1);
        Vector3f n = Normal(q0, q1, q2);
        EXPECT_LT(n.Dot(inside - q0), 0) << "light z " << z;
    }
}

TEST(ShadowVolume, FacesTurnedTheSameWayAddNothing)
{
    SHomVertex quad[4];
    // Straight above the ridge both faces are lit.
    EXPECT_FALSE(SilhouetteQuad(kA, kB, kC, kB, kA, kF, Vector3f(0.5f, 550, 0), quad));
    // Straight below both are dark.
    EXPECT_FALSE(SilhouetteQuad(kA, kB, kC, kB, kA, kF, Vector3f(0.5f, -550, 0), quad));
}

TEST(ShadowVolume, EdgeOnFaceOrMissingSecondFaceAddsNothing)
{
    SHomVertex quad[4];
    // A lone triangle's face2 is three zeros: zero normal, zero product.
    Vector3f zero(0, 0, 0);
    EXPECT_FALSE(SilhouetteQuad(kA, kB, kC, zero, zero, zero, Vector3f(0.5f, 1.5f, 100), quad));
    // A light in the plane of face 1 makes d1 exactly 0.
    Vector3f inPlane = kB + (kC - kB) * 3;
    EXPECT_FALSE(SilhouetteQuad(kA, kB, kC, kB, kA, kF, inPlane, quad));
}

TEST(ShadowVolume, LightStraightAboveAnEdgeEndStillGivesFarVerticesWithWZero)
{
    // A flat top (A, B, C) over a face folded back underneath it (B, A, F).
    Vector3f c(0, 1, 1), f(1, 0.5f, 1);
    Vector3f light(0, 5, 0);  // straight above B
    SHomVertex quad[4];
    ASSERT_TRUE(SilhouetteQuad(kA, kB, c, kB, kA, f, light, quad));
    ExpectVertex(quad[0], kB, 1);
    ExpectVertex(quad[1], kA, 1);
    ExpectVertex(quad[2], kA - light, 0);
    ExpectVertex(quad[3], Vector3f(0, -4, 0), 0);
}

TEST(ShadowVolume, ModelSidesArePlacedInTheWorld)
{
    std::vector<Vector3f> v = Ridge();
    std::vector<Edge> edges = BuildEdges(v);
    ASSERT_EQ(edges.size(), 5u);  // one shared edge, four open ones
    Vector3f light(500.5f, 1.5f, 100);
    std::vector<SHomVertex> quads;
    EXPECT_EQ(AppendShadowSides(edges, v.data(), v.size(), SYawPlacement(0, Vector3f(500, 0, 0)), light, quads), 1);
    ASSERT_EQ(quads.size(), 4u);
    ExpectVertex(quads[0], Vector3f(500, 1, 0), 1);
    ExpectVertex(quads[1], Vector3f(501, 1, 0), 1);
    ExpectVertex(quads[2], Vector3f(501, 1, 0) - light, 0);

    // Turned half round the other face is lit, so the edge comes in its own order.
    std::vector<SHomVertex> turned;
    EXPECT_EQ(AppendShadowSides(edges, v.data(), v.size(), SYawPlacement(180, Vector3f(500, 0, 0)), light, turned), 1);
    ASSERT_EQ(turned.size(), 4u);
    EXPECT_NEAR(turned[0].x, 499, 1e-2);  // A turned to x -1
    EXPECT_NEAR(turned[1].x, 500, 1e-2);  // B stays on the axis
}

TEST(ShadowVolume, ClosedSolidLitFromAboveHasItsBaseAsSilhouette)
{
    // Tetrahedron with a flat base: from a light high above, the three sides
    // are lit and the base is dark, so exactly the three base edges count.
    Vector3f p0(0, 0, 0), p1(10, 0, 0), p2(0, 0, 10), top(2, 10, 2);
    std::vector<Vector3f> v = {p0, p1, p2, p0, top, p1, p0, p2, top, p1, top, p2};
    Vector3f centre = (p0 + p1 + p2 + top) * 0.25f;
    for (int t = 0; t < 12; t += 3)
        ASSERT_GT(Normal(v[t], v[t + 1], v[t + 2]).Dot(v[t] - centre), 0) << "face " << t / 3 << " inward";
    std::vector<Edge> edges = BuildEdges(v);
    ASSERT_EQ(edges.size(), 6u);
    std::vector<SHomVertex> quads;
    EXPECT_EQ(AppendShadowSides(edges, v.data(), v.size(), SYawPlacement(0, Vector3f(0, 0, 0)),
                                Vector3f(3, 550, 3), quads),
              3);
    // Only base corners are extruded.
    for (const SHomVertex& q : quads) {
        if (q.w == 1) {
            EXPECT_EQ(q.y, 0);
        }
    }
}

TEST(ShadowVolume, ListsGrowBeyondFiveThousandEdges)
{
    std::vector<Vector3f> v = Ridge();
    std::vector<Edge> one = BuildEdges(v);
    std::vector<Edge> edges(6000, one[0]);
    std::vector<SHomVertex> quads;
    EXPECT_EQ(AppendShadowSides(edges, v.data(), v.size(), SYawPlacement(0, Vector3f(0, 0, 0)),
                                Vector3f(0.5f, 1.5f, 100), quads),
              6000);
    EXPECT_EQ(quads.size(), 24000u);
    EXPECT_EQ(quads.back().w, 0);
}

TEST(ShadowVolume, EdgesNamingMissingVerticesAreSkipped)
{
    std::vector<Vector3f> v = Ridge();
    Edge shared = BuildEdges(v)[0];
    Edge beyond = shared;
    beyond.face2[2] = 6;
    Edge negative = shared;
    negative.face1[1] = -1;
    std::vector<SHomVertex> quads;
    EXPECT_EQ(AppendShadowSides({beyond, negative}, v.data(), v.size(), SYawPlacement(0, Vector3f(0, 0, 0)),
                                Vector3f(0.5f, 1.5f, 100), quads),
              0);
    EXPECT_TRUE(quads.empty());
    EXPECT_EQ(AppendShadowSides({shared}, v.data(), 0, SYawPlacement(0, Vector3f(0, 0, 0)),
                                Vector3f(0.5f, 1.5f, 100), quads),
              0);
}
