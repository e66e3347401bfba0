#include "render/ShadowVolume.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>

#include "render/PointGrid.h"

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

float Length(const Vector3f& v)
{
    return std::sqrt(v.Dot(v));
}

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

// Gives every corner the number of the first earlier corner at the same point.
class CWelder {
public:
    explicit CWelder(float weld) : m_weld(weld), m_cell(weld > 0 ? weld : 1e-6f) {}

    int Point(const Vector3f* vertices, unsigned int vertex)
    {
        const Vector3f& p = vertices[vertex];
        SGridCell cell = GridCellOf(p, m_cell);
        for (unsigned long long key : NeighbourKeys(cell)) {
            auto found = m_grid.find(key);
            if (found == m_grid.end())
                continue;
            for (const auto& point : found->second) {
                const Vector3f& q = vertices[point.first];
                if (std::fabs(p.x - q.x) + std::fabs(p.y - q.y) + std::fabs(p.z - q.z) < m_weld)
                    return point.second;
            }
        }
        int id = m_count++;
        m_grid[GridKey(cell)].push_back(std::make_pair(vertex, id));
        return id;
    }

private:
    float m_weld, m_cell;
    int m_count = 0;
    std::unordered_map<unsigned long long, std::vector<std::pair<unsigned int, int> > > m_grid;
};

}  // namespace

CShadowCaster::CShadowCaster(const Vector3f* vertices, unsigned long vertexCount, const unsigned int* indices,
                             unsigned long indexCount, float weld)
    : m_vertices(vertices), m_closed(true), m_reach(0)
{
    if (!vertices || !indices)
        indexCount = 0;
    CWelder welder(weld);
    // Uses of each edge, by the welded points of its ends (lower first).
    std::map<std::pair<int, int>, std::vector<SUse> > uses;
    std::map<std::pair<int, int>, std::pair<unsigned int, unsigned int> > ends;
    for (unsigned long i = 0; i + 2 < indexCount; i += 3) {
        unsigned int v[3] = {indices[i], indices[i + 1], indices[i + 2]};
        if (v[0] >= vertexCount || v[1] >= vertexCount || v[2] >= vertexCount)
            continue;
        int triangle = (int)(m_corners.size() / 3);
        m_corners.insert(m_corners.end(), v, v + 3);
        for (unsigned int corner : v)
            m_reach = std::max(m_reach, Length(vertices[corner]));
        int p[3];
        for (int k = 0; k < 3; ++k)
            p[k] = welder.Point(vertices, v[k]);
        for (int k = 0; k < 3; ++k) {
            int from = p[k], to = p[(k + 1) % 3];
            if (from == to)
                continue;
            std::pair<int, int> key(std::min(from, to), std::max(from, to));
            SUse use = {triangle, from < to ? 1 : -1};
            uses[key].push_back(use);
            if (!ends.count(key)) {
                unsigned int a = v[k], b = v[(k + 1) % 3];
                ends[key] = from < to ? std::make_pair(a, b) : std::make_pair(b, a);
            }
        }
    }
    for (const auto& entry : uses) {
        SEdge edge = {ends[entry.first].first, ends[entry.first].second, (int)m_uses.size(), (int)entry.second.size()};
        int balance = 0;
        for (const SUse& use : entry.second) {
            m_uses.push_back(use);
            balance += use.direction;
        }
        if (balance != 0)
            m_closed = false;
        m_edges.push_back(edge);
    }
}

int CShadowCaster::AppendSides(const SYawPlacement& placement, const Vector3f& light,
                               std::vector<SHomVertex>& quads) const
{
    int triangles = (int)(m_corners.size() / 3);
    std::vector<char> lit(triangles);
    for (int t = 0; t < triangles; ++t) {
        Vector3f a = placement.Apply(m_vertices[m_corners[3 * t]]);
        Vector3f b = placement.Apply(m_vertices[m_corners[3 * t + 1]]);
        Vector3f c = placement.Apply(m_vertices[m_corners[3 * t + 2]]);
        Vector3f normal = (b - a).CrossProduct(c - a);
        lit[t] = normal.Dot(light - b) > 0;
    }
    int added = 0;
    for (const SEdge& edge : m_edges) {
        int net = 0;
        for (int u = edge.firstUse; u < edge.firstUse + edge.useCount; ++u) {
            if (lit[m_uses[u].triangle])
                net += m_uses[u].direction;
        }
        if (net == 0)
            continue;
        // The lit side runs from `from` to `to`; the quad runs back along it.
        Vector3f from = placement.Apply(m_vertices[net > 0 ? edge.a : edge.b]);
        Vector3f to = placement.Apply(m_vertices[net > 0 ? edge.b : edge.a]);
        for (int k = std::abs(net); k > 0; --k) {
            quads.push_back(Finite(to));
            quads.push_back(Finite(from));
            quads.push_back(AtInfinity(from - light));
            quads.push_back(AtInfinity(to - light));
            ++added;
        }
    }
    return added;
}

bool MayLieInShadowOf(const Vector3f& light, const Vector3f& centre, float radius, const Vector3f& point,
                      float margin)
{
    Vector3f axis = centre - light;
    float distance = Length(axis);
    if (distance <= radius + margin)
        return true;
    axis = axis * (1 / distance);
    Vector3f toPoint = point - light;
    float along = toPoint.Dot(axis);
    if (along < distance - radius - margin)
        return false;
    float across = Length(toPoint - axis * along);
    // The cone's half angle: sine radius / distance.
    float cosine = std::sqrt(distance * distance - radius * radius) / distance;
    float tangent = radius / (distance * cosine);
    return across < along * tangent + margin / cosine;
}
