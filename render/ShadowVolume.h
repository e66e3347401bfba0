#ifndef FERROWIND_SHADOWVOLUME_H
#define FERROWIND_SHADOWVOLUME_H

#include <vector>

#include "game/Vector.h"
#include "render/ModelStore.h"

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

// The side quad of the edge A-B of triangle (A, B, C) next to triangle
// (D, E, F), extruded away from the light L. Returns false when A-B is not on
// the silhouette: both faces turn the same way to the light, or either is
// edge-on (a missing second face has a zero normal). The quad is wound so that
// it faces out of the volume.
bool SilhouetteQuad(const Vector3f& a, const Vector3f& b, const Vector3f& c, const Vector3f& d,
                    const Vector3f& e, const Vector3f& f, const Vector3f& light, SHomVertex quad[4]);

// Appends the side quads of every silhouette edge of a model, placed in the
// world, to `quads`. Edges naming vertices outside the first `vertexCount`
// are skipped. Returns the number of quads added.
int AppendShadowSides(const std::vector<Edge>& edges, const Vector3f* vertices, unsigned long vertexCount,
                      const SYawPlacement& placement, const Vector3f& light, std::vector<SHomVertex>& quads);

#endif
