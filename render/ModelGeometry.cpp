#include "render/ModelGeometry.h"

#include <cmath>

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

void AddTriangleEdge(std::vector<Edge>& edges, int first, int second, int third,
                     const std::vector<Vector3f>& positions)
{
    const Vector3f& a = positions[first];
    const Vector3f& b = positions[second];
    for (Edge& e : edges) {
        if (SameEdge(e, a, b, positions)) {
            e.face2[0] = first;
            e.face2[1] = second;
            e.face2[2] = third;
            return;
        }
    }
    Edge e = Edge();
    e.end0 = first;
    e.end1 = second;
    e.face1[0] = first;
    e.face1[1] = second;
    e.face1[2] = third;
    edges.push_back(e);
}

}  // namespace

std::vector<Edge> BuildEdges(const unsigned int* indices, std::size_t indexCount, const std::vector<Vector3f>& positions)
{
    std::vector<Edge> edges;
    for (std::size_t t = 0; t + 2 < indexCount; t += 3) {
        int a = (int)indices[t], b = (int)indices[t + 1], c = (int)indices[t + 2];
        AddTriangleEdge(edges, a, b, c, positions);
        AddTriangleEdge(edges, b, c, a, positions);
        AddTriangleEdge(edges, c, a, b, positions);
    }
    return edges;
}
