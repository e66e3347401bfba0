#include "render/ShadowVolume.h"

#include <cmath>

SYawPlacement::SYawPlacement(float headingDegrees, Vector3f position) : pos(position)
{
    float t = headingDegrees / -180 * 3.14f;
    c = std::cos(t);
    s = std::sin(t);
}

Vector3f SYawPlacement::Apply(const Vector3f& v) const
{
    float x = v.x * c - v.z * s;
    float z = v.x * s + v.z * c;
    return Vector3f(x + pos.x, v.y + pos.y, z + pos.z);
}

namespace {

SHomVertex Finite(const Vector3f& p)
{
    SHomVertex v = {p.x, p.y, p.z, 1};
    return v;
}

SHomVertex AtInfinity(const Vector3f& direction)
{
    SHomVertex v = {direction.x, direction.y, direction.z, 0};
    return v;
}

bool InRange(const int face[3], unsigned long count)
{
    for (int k = 0; k < 3; ++k)
        if (face[k] < 0 || (unsigned long)face[k] >= count)
            return false;
    return true;
}

}  // namespace

bool SilhouetteQuad(const Vector3f& a, const Vector3f& b, const Vector3f& c, const Vector3f& d,
                    const Vector3f& e, const Vector3f& f, const Vector3f& light, SHomVertex quad[4])
{
    // Both normals point into their triangle's back side; only the signs matter.
    Vector3f n1 = (c - b).CrossProduct(b - a);
    Vector3f n2 = (f - e).CrossProduct(e - d);
    float d1 = n1.Dot(b - light);
    float d2 = n2.Dot(e - light);
    if (!(d1 * d2 < 0))
        return false;
    if (d1 > 0) {
        quad[0] = Finite(b);
        quad[1] = Finite(a);
        quad[2] = AtInfinity(a - light);
        quad[3] = AtInfinity(b - light);
    } else {
        quad[0] = Finite(a);
        quad[1] = Finite(b);
        quad[2] = AtInfinity(b - light);
        quad[3] = AtInfinity(a - light);
    }
    return true;
}

int AppendShadowSides(const std::vector<Edge>& edges, const Vector3f* vertices, unsigned long vertexCount,
                      const SYawPlacement& placement, const Vector3f& light, std::vector<SHomVertex>& quads)
{
    int added = 0;
    SHomVertex quad[4];
    for (const Edge& edge : edges) {
        if (!InRange(edge.face1, vertexCount) || !InRange(edge.face2, vertexCount))
            continue;
        Vector3f a = placement.Apply(vertices[edge.face1[0]]);
        Vector3f b = placement.Apply(vertices[edge.face1[1]]);
        Vector3f c = placement.Apply(vertices[edge.face1[2]]);
        Vector3f d = placement.Apply(vertices[edge.face2[0]]);
        Vector3f e = placement.Apply(vertices[edge.face2[1]]);
        Vector3f f = placement.Apply(vertices[edge.face2[2]]);
        if (!SilhouetteQuad(a, b, c, d, e, f, light, quad))
            continue;
        quads.insert(quads.end(), quad, quad + 4);
        ++added;
    }
    return added;
}
