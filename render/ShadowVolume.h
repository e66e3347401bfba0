#ifndef FERROWIND_SHADOWVOLUME_H
#define FERROWIND_SHADOWVOLUME_H

#include <vector>

#include "model/Vector.h"

// A vertex of a shadow-volume side face; w 0 is the point at infinity in
// the direction (x, y, z).
struct SHomVertex {
    float x, y, z, w;
};

// Places a model vertex in the world the way the side faces of a shadow volume
// see it: only the object's turn about the vertical axis (angle converted with
// 3.14), then its position. Tilts about x and z are not applied.
struct SYawPlacement {
    SYawPlacement(float headingDegrees, Vector3f position);
    Vector3f Apply(const Vector3f& v) const;

    float c, s;
    Vector3f pos;
};

// The triangles of one model as a shadow caster: which triangles meet at each
// edge, found by corner positions (corners are never shared), and in which
// direction each runs along it. Built once per model.
//
// The side faces of the volume extrude the boundary of the set of triangles
// that face the light: an edge gets one quad for every lit triangle running
// along it that no other lit triangle cancels by running the other way. On a
// closed mesh where two triangles meet at each edge these are the edges between
// a lit and an unlit face. Counting every triangle keeps the volume closed also
// for models made of parts that touch along edges, where more than two
// triangles share one.
class CShadowCaster {
public:
    // Corners within `weld` (summed absolute coordinates) count as one point.
    CShadowCaster(const Vector3f* vertices, unsigned long vertexCount, const unsigned int* indices,
                  unsigned long indexCount, float weld = 0.05f);

    // True when the triangles enclose space: along every edge as many run one
    // way as the other. An open model cannot cast a closed volume.
    bool Closed() const { return m_closed; }
    // The farthest any corner lies from the model's origin, in any turn.
    float Reach() const { return m_reach; }

    // Appends the side quads for the light at `light`, the model placed by
    // `placement`; each quad faces out of the volume. Returns the number of quads.
    int AppendSides(const SYawPlacement& placement, const Vector3f& light, std::vector<SHomVertex>& quads) const;

private:
    struct SEdge {
        unsigned int a, b;  // vertex numbers of its ends
        int firstUse, useCount;
    };
    struct SUse {
        int triangle;
        int direction;  // +1: the triangle runs from a to b, -1: from b to a
    };

    std::vector<unsigned int> m_corners;  // three vertex numbers per triangle
    std::vector<SEdge> m_edges;
    std::vector<SUse> m_uses;
    const Vector3f* m_vertices;
    bool m_closed;
    float m_reach;
};

// Whether anything within `margin` of `point` may lie in the shadow that a
// ball (`centre`, `radius`) casts from a point light: the cone from the light
// around the ball, beyond the ball's near side. False only where it surely
// lies outside; a volume that is not in front of the camera from outside can
// be counted from the camera's side, without caps.
bool MayLieInShadowOf(const Vector3f& light, const Vector3f& centre, float radius, const Vector3f& point,
                      float margin);

#endif
