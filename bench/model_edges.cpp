// Prints how long the model loader's start-up steps take for meshes of
// growing size: the silhouette edge search and the tangents.
#include <chrono>
#include <cstdio>
#include <vector>

#include "render/ModelGeometry.h"

namespace {

// A closed-looking grid of side x side quads, two triangles each, every corner
// a vertex of its own as the loader makes them.
std::vector<Vector3f> Grid(int side)
{
    std::vector<Vector3f> corners;
    for (int i = 0; i < side; ++i) {
        for (int j = 0; j < side; ++j) {
            Vector3f a((float)i, 0, (float)j), b((float)i + 1, 0, (float)j);
            Vector3f c((float)i + 1, 0, (float)j + 1), d((float)i, 0, (float)j + 1);
            corners.insert(corners.end(), {a, b, c, a, c, d});
        }
    }
    return corners;
}

double Milliseconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main()
{
    std::printf("%10s %10s %12s %12s\n", "triangles", "edges", "edges ms", "tangents ms");
    for (int side : {8, 16, 32, 50, 71, 224, 448}) {
        std::vector<Vector3f> corners = Grid(side);
        std::vector<unsigned int> indices(corners.size());
        for (std::size_t i = 0; i < indices.size(); ++i)
            indices[i] = (unsigned int)i;
        std::vector<Vector2f> uv(corners.size(), Vector2f(0, 0));

        auto start = std::chrono::steady_clock::now();
        std::vector<Edge> edges = BuildEdges(indices.data(), indices.size(), corners);
        double edgeMs = Milliseconds(start);
        start = std::chrono::steady_clock::now();
        std::vector<Vector3f> tangents = ComputeTangents(corners, uv);
        double tangentMs = Milliseconds(start);
        std::printf("%10zu %10zu %12.1f %12.3f\n", corners.size() / 3, edges.size(), edgeMs, tangentMs);
    }
    return 0;
}
