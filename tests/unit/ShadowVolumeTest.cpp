#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <vector>

#include "render/ShadowVolume.h"

namespace {

typedef std::vector<Vector3f> Corners;  // three a triangle, never shared

std::vector<unsigned int> Indices(const Corners& corners)
{
    std::vector<unsigned int> indices(corners.size());
    for (unsigned int i = 0; i < indices.size(); ++i)
        indices[i] = i;
    return indices;
}

CShadowCaster Caster(const Corners& corners)
{
    std::vector<unsigned int> indices = Indices(corners);
    return CShadowCaster(corners.data(), corners.size(), indices.data(), indices.size());
}

std::vector<SHomVertex> Sides(const Corners& corners, const Vector3f& light,
                              const SYawPlacement& placement = SYawPlacement(0, Vector3f(0, 0, 0)))
{
    std::vector<SHomVertex> quads;
    int added = Caster(corners).AppendSides(placement, light, quads);
    EXPECT_EQ(quads.size(), 4u * added);
    return quads;
}

void AddTriangle(Corners& c, Vector3f a, Vector3f b, Vector3f d)
{
    c.push_back(a);
    c.push_back(b);
    c.push_back(d);
}

// Axis-aligned box, every face counter-clockwise seen from outside.
Corners Box(Vector3f lo, Vector3f hi)
{
    Vector3f p[8];
    for (int i = 0; i < 8; ++i)
        p[i] = Vector3f(i & 1 ? hi.x : lo.x, i & 2 ? hi.y : lo.y, i & 4 ? hi.z : lo.z);
    const int faces[6][4] = {{0, 4, 6, 2}, {1, 3, 7, 5}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 2, 3, 1}, {4, 5, 7, 6}};
    Corners c;
    for (const auto& f : faces) {
        AddTriangle(c, p[f[0]], p[f[1]], p[f[2]]);
        AddTriangle(c, p[f[0]], p[f[2]], p[f[3]]);
    }
    return c;
}

// Tetrahedron with its base on the ground, faces outwards.
Corners Tetrahedron(Vector3f offset = Vector3f(0, 0, 0))
{
    Vector3f p0(0, 0, 0), p1(10, 0, 0), p2(0, 0, 10), top(2, 10, 2);
    Corners c;
    AddTriangle(c, p0 + offset, p1 + offset, p2 + offset);
    AddTriangle(c, p0 + offset, top + offset, p1 + offset);
    AddTriangle(c, p0 + offset, p2 + offset, top + offset);
    AddTriangle(c, p1 + offset, top + offset, p2 + offset);
    return c;
}

Vector3f Point(const SHomVertex& v)
{
    return Vector3f(v.x, v.y, v.z);
}

typedef std::tuple<float, float, float, float> Key4;

Key4 K(const SHomVertex& v)
{
    return Key4(v.x, v.y, v.z, v.w);
}

// The loader's silhouette rule on a manifold mesh: for each edge of face1
// (a, b, c) with neighbour face2 (b, a, f), a quad when exactly one faces the
// light, wound by which one does.
std::multiset<std::vector<Key4> > EdgeRuleQuads(const Corners& v, const Vector3f& light)
{
    std::multiset<std::vector<Key4> > quads;
    auto lit = [&](int t) {
        Vector3f n = (v[t + 1] - v[t]).CrossProduct(v[t + 2] - v[t]);
        return n.Dot(light - v[t + 1]) > 0;
    };
    for (int t = 0; t < (int)v.size(); t += 3) {
        for (int k = 0; k < 3; ++k) {
            Vector3f a = v[t + k], b = v[t + (k + 1) % 3];
            for (int u = 0; u < (int)v.size(); u += 3) {
                for (int j = 0; j < 3; ++j) {
                    const Vector3f &d = v[u + j], &e = v[u + (j + 1) % 3];
                    bool neighbour = d.x == b.x && d.y == b.y && d.z == b.z && e.x == a.x && e.y == a.y && e.z == a.z;
                    // Each edge once: from the triangle that comes first.
                    if (!neighbour || u < t)
                        continue;
                    if (lit(t) == lit(u))
                        continue;
                    Vector3f from = lit(t) ? a : b, to = lit(t) ? b : a;
                    SHomVertex q[4] = {{to.x, to.y, to.z, 1},
                                       {from.x, from.y, from.z, 1},
                                       {from.x - light.x, from.y - light.y, from.z - light.z, 0},
                                       {to.x - light.x, to.y - light.y, to.z - light.z, 0}};
                    quads.insert({K(q[0]), K(q[1]), K(q[2]), K(q[3])});
                }
            }
        }
    }
    return quads;
}

std::multiset<std::vector<Key4> > AsSet(const std::vector<SHomVertex>& quads)
{
    std::multiset<std::vector<Key4> > set;
    for (size_t i = 0; i + 3 < quads.size(); i += 4)
        set.insert({K(quads[i]), K(quads[i + 1]), K(quads[i + 2]), K(quads[i + 3])});
    return set;
}

// The volume closes when the finite edges of the quads cancel the boundary of
// the lit triangles: per pair of points, directed uses add up to zero.
void ExpectClosedVolume(const Corners& v, const std::vector<SHomVertex>& quads, const Vector3f& light)
{
    typedef std::tuple<float, float, float> P;
    std::map<std::pair<P, P>, int> balance;
    auto add = [&](const Vector3f& a, const Vector3f& b) {
        P pa(a.x, a.y, a.z), pb(b.x, b.y, b.z);
        if (pa < pb)
            balance[std::make_pair(pa, pb)] += 1;
        else
            balance[std::make_pair(pb, pa)] -= 1;
    };
    for (int t = 0; t < (int)v.size(); t += 3) {
        Vector3f n = (v[t + 1] - v[t]).CrossProduct(v[t + 2] - v[t]);
        if (n.Dot(light - v[t + 1]) <= 0)
            continue;
        for (int k = 0; k < 3; ++k)
            add(v[t + k], v[t + (k + 1) % 3]);
    }
    for (size_t i = 0; i + 3 < quads.size(); i += 4)
        add(Point(quads[i]), Point(quads[i + 1]));
    for (const auto& entry : balance)
        EXPECT_EQ(entry.second, 0);
}

}  // namespace

// A heading turns about the vertical axis only: 90 degrees turns +x to -z and
// +z to +x, as the rotation of the object pass does. The angle is converted
// with 3.14 for pi, so half a turn leaves 0.0016 rad of sideways offset.
TEST(ShadowVolume, PlacementTurnsAboutTheVerticalAxisWithThreePointOneFour)
{
    struct {
        float heading;
        Vector3f pos, in, out;
        float tolerance;
    } cases[] = {
        {0, Vector3f(100, 5, -20), Vector3f(1, 2, 3), Vector3f(101, 7, -17), 1e-4f},
        {90, Vector3f(0, 0, 0), Vector3f(1, 4, 0), Vector3f(0, 4, -1), 1e-3f},
        {90, Vector3f(0, 0, 0), Vector3f(0, 0, 1), Vector3f(1, 0, 0), 1e-3f},
        {180, Vector3f(0, 0, 0), Vector3f(1000, 0, 0), Vector3f(1000 * (float)std::cos(3.14), 0, -1.59f), 1e-2f},
    };
    for (const auto& c : cases) {
        Vector3f p = SYawPlacement(c.heading, c.pos).Apply(c.in);
        EXPECT_NEAR(p.x, c.out.x, c.tolerance) << c.heading;
        EXPECT_NEAR(p.y, c.out.y, c.tolerance) << c.heading;
        EXPECT_NEAR(p.z, c.out.z, c.tolerance) << c.heading;
    }
}

TEST(ShadowVolume, LitFromAboveTheBaseEdgesFormTheSilhouetteFacingOut)
{
    Corners tetra = Tetrahedron();
    ASSERT_TRUE(Caster(tetra).Closed());
    Vector3f light(3, 550, 3);
    // Under the tetrahedron, away from the light above, lies the shadow.
    Vector3f inside(2.5f, -20, 2.5f);
    std::vector<SHomVertex> quads = Sides(tetra, light);
    ASSERT_EQ(quads.size(), 12u);
    for (size_t i = 0; i < quads.size(); i += 4) {
        EXPECT_EQ(quads[i].w, 1);
        EXPECT_EQ(quads[i + 1].w, 1);
        EXPECT_EQ(quads[i].y, 0);
        EXPECT_EQ(quads[i + 1].y, 0);
        // Far corners: the near ones seen from the light, at infinity.
        EXPECT_EQ(quads[i + 2].w, 0);
        EXPECT_EQ(quads[i + 3].w, 0);
        EXPECT_FLOAT_EQ(quads[i + 2].x, quads[i + 1].x - light.x);
        EXPECT_FLOAT_EQ(quads[i + 2].y, -light.y);
        EXPECT_FLOAT_EQ(quads[i + 3].z, quads[i].z - light.z);
        Vector3f q0 = Point(quads[i]), q1 = Point(quads[i + 1]);
        Vector3f q2 = q1 + Point(quads[i + 2]);  // a step towards the far corner
        Vector3f n = (q1 - q0).CrossProduct(q2 - q0);
        EXPECT_LT(n.Dot(inside - q0), 0) << "quad " << i / 4 << " faces into the volume";
    }
}

TEST(ShadowVolume, MatchesTheEdgeRuleOnClosedMeshes)
{
    const Vector3f lights[] = {Vector3f(3, 550, 3), Vector3f(-400, 550, 20), Vector3f(5, 6, 300),
                               Vector3f(1, 2, 1), Vector3f(30, -100, -30)};
    const Corners meshes[] = {Tetrahedron(), Box(Vector3f(-5, 0, -3), Vector3f(5, 8, 3))};
    int silhouettes = 0;
    for (const Corners& mesh : meshes) {
        for (const Vector3f& light : lights) {
            std::multiset<std::vector<Key4> > expected = EdgeRuleQuads(mesh, light);
            EXPECT_EQ(AsSet(Sides(mesh, light)), expected) << "light " << light.x << " " << light.y << " " << light.z;
            silhouettes += !expected.empty();
        }
    }
    EXPECT_GE(silhouettes, 8);  // all but the lights inside a mesh
}

TEST(ShadowVolume, FacesTurnedTheSameWayAddNothing)
{
    // A light inside the box sees every face from behind; one at a face's
    // plane sees that face edge-on and the box still closes around it.
    Corners box = Box(Vector3f(-5, 0, -5), Vector3f(5, 10, 5));
    EXPECT_TRUE(Sides(box, Vector3f(0, 5, 0)).empty());
    std::vector<SHomVertex> grazing = Sides(box, Vector3f(0, 10, 100));
    ExpectClosedVolume(box, grazing, Vector3f(0, 10, 100));
}

TEST(ShadowVolume, TurnedObjectCastsTheTurnedMesh)
{
    Corners box = Box(Vector3f(0, 0, -1), Vector3f(20, 5, 1));  // long in x
    Vector3f light(500, 550, 0);
    SYawPlacement turned(90, Vector3f(500, 0, 0));
    std::vector<SHomVertex> quads;
    Caster(box).AppendSides(turned, light, quads);
    ASSERT_FALSE(quads.empty());
    // Turned by 90 degrees the box runs along -z from the object's position.
    for (const SHomVertex& q : quads) {
        if (q.w == 1) {
            EXPECT_NEAR(q.x, 500, 1.1f);
            EXPECT_LE(q.z, 0.1f);
            EXPECT_GE(q.z, -20.1f);
        }
    }
}

TEST(ShadowVolume, PartsTouchingAlongAnEdgeStillCloseTheVolume)
{
    // Two boxes meeting along one edge: four triangles share it, which the
    // pairing of two faces per edge cannot describe.
    Corners parts = Box(Vector3f(0, 0, 0), Vector3f(10, 10, 10));
    Corners second = Box(Vector3f(10, 10, 0), Vector3f(20, 20, 10));
    parts.insert(parts.end(), second.begin(), second.end());
    // A third box standing on the first, sharing its whole top face.
    Corners third = Box(Vector3f(0, 10, 0), Vector3f(10, 15, 10));
    parts.insert(parts.end(), third.begin(), third.end());
    ASSERT_TRUE(Caster(parts).Closed());
    const Vector3f lights[] = {Vector3f(-200, 550, 30), Vector3f(15, 550, 5), Vector3f(300, 12, -40)};
    for (const Vector3f& light : lights) {
        std::vector<SHomVertex> quads = Sides(parts, light);
        EXPECT_FALSE(quads.empty());
        ExpectClosedVolume(parts, quads, light);
    }
}

TEST(ShadowVolume, OnlyMeshesWithEveryEdgeMatchedAreClosed)
{
    Corners single;
    AddTriangle(single, Vector3f(0, 0, 0), Vector3f(1, 0, 0), Vector3f(0, 1, 0));
    // A surface shown from both sides encloses nothing but closes as a volume.
    Corners both = single;
    AddTriangle(both, single[0], single[2], single[1]);
    Corners box = Box(Vector3f(0, 0, 0), Vector3f(10, 10, 10));
    Corners lidless(box.begin(), box.end() - 6);
    // Corners within 0.05 of the other copies of that corner are welded to them.
    Corners near = box, apart = box;
    near[0].x += 0.04f;
    apart[0].x += 0.06f;
    // A damaged model: corners far beyond the weld grid, or no number at all.
    Corners far = Box(Vector3f(1e18f, 1e18f, 1e18f), Vector3f(2e18f, 2e18f, 2e18f)), broken = box;
    broken[0].x = NAN;
    struct {
        const char* name;
        const Corners& mesh;
        bool closed;
    } cases[] = {{"one triangle", single, false}, {"two-sided triangle", both, true}, {"box", box, true},
                 {"lidless box", lidless, false}, {"corner within the weld", near, true},
                 {"corner beyond the weld", apart, false}, {"box far away", far, true},
                 {"corner of no number", broken, false}};
    for (const auto& c : cases)
        EXPECT_EQ(Caster(c.mesh).Closed(), c.closed) << c.name;
}

TEST(ShadowVolume, ListsGrowBeyondFiveThousandSilhouetteEdges)
{
    Corners many;
    for (int i = 0; i < 2000; ++i) {
        Corners one = Tetrahedron(Vector3f((i % 50) * 20.0f, 0, (i / 50) * 20.0f));
        many.insert(many.end(), one.begin(), one.end());
    }
    std::vector<SHomVertex> quads;
    quads.reserve(16);
    std::vector<unsigned int> indices = Indices(many);
    CShadowCaster caster(many.data(), many.size(), indices.data(), indices.size());
    EXPECT_EQ(caster.AppendSides(SYawPlacement(0, Vector3f(0, 0, 0)), Vector3f(500, 5000, 400), quads), 6000);
    EXPECT_EQ(quads.size(), 24000u);
    EXPECT_EQ(quads.back().w, 0);
}

TEST(ShadowVolume, IndicesBeyondTheVerticesAreSkipped)
{
    Corners tetra = Tetrahedron();
    std::vector<unsigned int> indices = Indices(tetra);
    indices[4] = 99;  // the second triangle names a missing vertex
    CShadowCaster caster(tetra.data(), tetra.size(), indices.data(), indices.size());
    EXPECT_FALSE(caster.Closed());
    std::vector<SHomVertex> quads;
    caster.AppendSides(SYawPlacement(0, Vector3f(0, 0, 0)), Vector3f(3, 550, 3), quads);
    for (const SHomVertex& q : quads)
        EXPECT_LE(std::fabs(q.x), 1000);

    CShadowCaster empty(0, 0, 0, 0);
    EXPECT_TRUE(empty.Closed());
    EXPECT_EQ(empty.AppendSides(SYawPlacement(0, Vector3f(0, 0, 0)), Vector3f(3, 550, 3), quads), 0);
}

// A ball of radius 10 at (0, 100, 0) under a light at (0, 550, 0): the shadow
// is a cone widening downwards, about 12 wide at the ground.
TEST(ShadowVolume, OnlyPointsSurelyOutsideTheShadowConeAreCountedWithoutCaps)
{
    Vector3f light(0, 550, 0), ball(0, 100, 0);
    EXPECT_TRUE(MayLieInShadowOf(light, ball, 10, Vector3f(0, 0, 0), 0));      // straight below
    EXPECT_TRUE(MayLieInShadowOf(light, ball, 10, Vector3f(11, 0, 0), 0));     // inside the widened cone
    EXPECT_FALSE(MayLieInShadowOf(light, ball, 10, Vector3f(13, 0, 0), 0));    // just beside it
    EXPECT_TRUE(MayLieInShadowOf(light, ball, 10, Vector3f(13, 0, 0), 2));     // the near plane reaches in
    EXPECT_FALSE(MayLieInShadowOf(light, ball, 10, Vector3f(0, 300, 0), 20));  // between light and ball
    EXPECT_TRUE(MayLieInShadowOf(light, ball, 10, Vector3f(0, 125, 0), 20));   // touching the ball's near side
    EXPECT_TRUE(MayLieInShadowOf(light, ball, 500, Vector3f(900, 0, 0), 0));   // a ball around the light
}

TEST(ShadowVolume, ReachIsTheFarthestCornerFromTheOrigin)
{
    EXPECT_FLOAT_EQ(Caster(Tetrahedron()).Reach(), std::sqrt(108.0f));  // the top, (2, 10, 2)
    EXPECT_FLOAT_EQ(Caster(Tetrahedron(Vector3f(0, 0, -30))).Reach(), std::sqrt(1000.0f));  // (10, 0, -30)
}
