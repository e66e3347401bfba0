#include "game/Footprint.h"

#include <algorithm>
#include <cmath>

#include "model/GameObject.h"

namespace {

// The y component of v x w: which side of w the vector v lies on.
float Side(const Vector3f& v, const Vector3f& w)
{
    return v.z * w.x - v.x * w.z;
}

}  // namespace

SFootprint::SFootprint(const Vector3f& pos, float pitch, float heading, const float* bbox)
    : f(DirectionFromAngles(pitch, heading)), right(f.CrossProduct(Vector3f(0, 1, 0)))
{
    const float zs[4] = {bbox[BB_MAX_Z], bbox[BB_MAX_Z], bbox[BB_MIN_Z], bbox[BB_MIN_Z]};
    const float xs[4] = {bbox[BB_MIN_X], bbox[BB_MAX_X], bbox[BB_MIN_X], bbox[BB_MAX_X]};
    for (int i = 0; i < 4; ++i) {
        Vector3f sideways = f.CrossProduct(Vector3f(0, xs[i], 0));
        k[i] = pos - f * zs[i] + sideways;
    }
}

bool SFootprint::Contains(const Vector3f& q) const
{
    if (!(Side(q - k[0], right) * Side(q - k[2], right) <= 0))
        return false;
    return Side(q - k[0], f) * Side(q - k[1], f) <= 0;
}

bool FootprintsOverlap(const SFootprint& a, const SFootprint& b)
{
    bool hit = false;
    for (int i = 0; i < 4; ++i)
        hit = b.Contains(a.k[i]) || hit;
    for (int i = 0; i < 4; ++i)
        hit = a.Contains(b.k[i]) || hit;
    return hit;
}

void FootprintExtent(const float* bbox, float& x, float& z)
{
    x = std::max(std::fabs(bbox[BB_MIN_X]), std::fabs(bbox[BB_MAX_X]));
    z = std::max(std::fabs(bbox[BB_MIN_Z]), std::fabs(bbox[BB_MAX_Z]));
}

float FootprintReach(const float* bbox)
{
    float x, z;
    FootprintExtent(bbox, x, z);
    return std::sqrt(x * x + z * z);
}
