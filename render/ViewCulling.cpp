#include "render/ViewCulling.h"

#include <cmath>

namespace {

const int FIRST_CULLED = 2;
const int LAST_CULLED = 64;
const float MIN_ALONG_VIEW = 0.7f;
// Room for the rounding of the camera axes and of the clipping.
const float SIGHT_MARGIN = 1.0f;

}  // namespace

bool OffView(int index, Vector3f pos, Vector3f camera, Vector3f view)
{
    if (index < FIRST_CULLED || index > LAST_CULLED)
        return false;
    Vector3f towards = pos - camera;
    towards.Rescale(1);
    return towards.Dot(view) < MIN_ALONG_VIEW;
}

bool OutOfSight(Vector3f centre, float radius, Vector3f camera, Vector3f direction)
{
    // The axes the camera view is built on: forward, sideways and up.
    Vector3f forward = direction;
    forward.Rescale(1);
    Vector3f side = forward.CrossProduct(Vector3f(0, 1, 0));
    if (side.Dot(side) < 1e-6f)
        return false;
    side.Rescale(1);
    Vector3f up = side.CrossProduct(forward);
    Vector3f p = centre - camera;
    float depth = forward.Dot(p), x = side.Dot(p), y = up.Dot(p);
    // Each side plane leans 45 degrees: depth - x, scaled by 1/sqrt(2), is
    // the distance inside the right one, and so on.
    float reach = -(radius * std::sqrt(2.0f) + SIGHT_MARGIN);
    return depth - x < reach || depth + x < reach || depth - y < reach || depth + y < reach;
}
