#ifndef FERROWIND_FOOTPRINT_H
#define FERROWIND_FOOTPRINT_H

#include "model/Vector.h"

// An object's footprint box placed in the ground plane: its facing direction
// and the four corners K1..K4 (rear-left, rear-right, front-left, front-right).
struct SFootprint {
    Vector3f f;
    Vector3f k[4];
    // f turned to the right, across which the sides are told apart.
    Vector3f right;

    // `bbox` is minZ, maxZ, maxX, minX in model space.
    SFootprint(const Vector3f& pos, float pitch, float heading, const float* bbox);

    // Points on an edge count as inside; only x and z count.
    bool Contains(const Vector3f& q) const;
};

// How far a footprint box reaches from the object's position along x and z,
// and the radius of the circle that holds it whatever the object's angles.
void FootprintExtent(const float* bbox, float& x, float& z);
float FootprintReach(const float* bbox);

// Any corner of either footprint inside the other.
bool FootprintsOverlap(const SFootprint& a, const SFootprint& b);

#endif
