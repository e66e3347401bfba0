#include "render/ModelGeometry.h"

#include <cmath>
#include <unordered_map>

#include "render/PointGrid.h"

bool IsRescaledModelName(const std::string& name)
{
    return name == "bla2.dae" || name == "monkey.dae";
}

Vector3f RescaleModelPosition(const Vector3f& p)
{
    return Vector3f(50 * p.x, 50 * p.y + 100, 50 * p.z);
}

void MakeFlatNormals(const std::vector<Vector3f>& positions, std::vector<Vector3f>& normals, std::size_t first)
{
    for (std::size_t k = first; k + 2 < positions.size() && k + 2 < normals.size(); k += 3) {
        Vector3f n = (positions[k + 1] - positions[k]).CrossProduct(positions[k + 2] - positions[k + 1]);
        n.Rescale(1);
        normals[k] = normals[k + 1] = normals[k + 2] = n;
    }
}

std::vector<Vector3f> ComputeTangents(const std::vector<Vector3f>& positions, const std::vector<Vector2f>& texCoords)
{
    std::vector<Vector3f> tangents(positions.size(), Vector3f(0, 0, 0));
    for (std::size_t k = 0; k + 2 < positions.size() && k + 2 < texCoords.size(); k += 3) {
        const Vector3f& p0 = positions[k];
        const Vector3f& p1 = positions[k + 1];
        const Vector3f& p2 = positions[k + 2];
        float s0 = texCoords[k].x, t0 = texCoords[k].y;
        float s1 = texCoords[k + 1].x, t1 = texCoords[k + 1].y;
        float s2 = texCoords[k + 2].x, t2 = texCoords[k + 2].y;
        Vector3f t = (p0 - p1) * (s1 - s2) - (p1 - p2) * (s0 - s1);
        float d = (t0 - t1) * (s1 - s2) - (s0 - s1) * (t1 - t2);
        if (d < 0)
            t = t * -1;
        tangents[k] = tangents[k + 1] = tangents[k + 2] = t;
    }
    return tangents;
}

bool SamePoint(const Vector3f& p, const Vector3f& q)
{
    float sum = std::fabs(p.x - q.x) + std::fabs(p.y - q.y) + std::fabs(p.z - q.z);
    return (double)sum < 0.05;
}

namespace {

bool SameEdge(const Edge& e, const Vector3f& a, const Vector3f& b, const std::vector<Vector3f>& positions)
{
    const Vector3f& e0 = positions[e.end0];
    const Vector3f& e1 = positions[e.end1];
    return (SamePoint(a, e0) && SamePoint(b, e1)) || (SamePoint(a, e1) && SamePoint(b, e0));
}

// The edges found so far, filed by the cell of their first end. An edge that
// matches a new one has an end near each of the new one's ends, so it is filed
// next to one of them; the earliest match wins, as in a scan of all edges,
// without the scan's cost on models of many triangles.
class CEdgeFinder {
public:
    CEdgeFinder(std::vector<Edge>& edges, const std::vector<Vector3f>& positions)
        : m_edges(edges), m_positions(positions)
    {
    }

    void Add(int first, int second, int third)
    {
        const Vector3f& a = m_positions[first];
        const Vector3f& b = m_positions[second];
        SGridCell cellA = GridCellOf(a, CELL);
        int match = FirstMatch(a, cellA, b);
        if (match >= 0) {
            Edge& e = m_edges[match];
            e.face2[0] = first;
            e.face2[1] = second;
            e.face2[2] = third;
            return;
        }
        Edge e = Edge();
        e.end0 = first;
        e.end1 = second;
        e.face1[0] = first;
        e.face1[1] = second;
        e.face1[2] = third;
        m_grid[GridKey(cellA)].push_back((int)m_edges.size());
        m_edges.push_back(e);
    }

private:
    // Twice the distance within which SamePoint holds, so that rounding never
    // puts two same points two cells apart.
    static constexpr float CELL = 0.1f;

    int FirstMatch(const Vector3f& a, const SGridCell& cellA, const Vector3f& b) const
    {
        int first = -1;
        for (const SGridCell& cell : {cellA, GridCellOf(b, CELL)}) {
            for (unsigned long long key : NeighbourKeys(cell)) {
                auto found = m_grid.find(key);
                if (found == m_grid.end())
                    continue;
                // A cell's edges are filed in the order they were found.
                for (int edge : found->second) {
                    if (first >= 0 && edge >= first)
                        break;
                    if (SameEdge(m_edges[edge], a, b, m_positions)) {
                        first = edge;
                        break;
                    }
                }
            }
        }
        return first;
    }

    std::vector<Edge>& m_edges;
    const std::vector<Vector3f>& m_positions;
    std::unordered_map<unsigned long long, std::vector<int> > m_grid;
};

}  // namespace

std::vector<Edge> BuildEdges(const unsigned int* indices, std::size_t indexCount, const std::vector<Vector3f>& positions)
{
    std::vector<Edge> edges;
    CEdgeFinder finder(edges, positions);
    for (std::size_t t = 0; t + 2 < indexCount; t += 3) {
        int a = (int)indices[t], b = (int)indices[t + 1], c = (int)indices[t + 2];
        finder.Add(a, b, c);
        finder.Add(b, c, a);
        finder.Add(c, a, b);
    }
    return edges;
}
