// A grid of cubic cells for finding points near each other quickly: a point
// within one cell width of another lies in its cell or one of the 26 around it.
#ifndef FERROWIND_POINTGRID_H
#define FERROWIND_POINTGRID_H

#include <array>

#include "model/Vector.h"

// A cell's numbers along x, y and z.
struct SGridCell {
    long x, y, z;
};

// The cell that holds p in a grid of cells `size` wide.
SGridCell GridCellOf(const Vector3f& p, float size);

// The keys of a cell and of its 26 neighbours, x slowest and z fastest.
std::array<unsigned long long, 27> NeighbourKeys(const SGridCell& cell);
unsigned long long GridKey(const SGridCell& cell);

#endif
