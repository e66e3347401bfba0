#include "render/PointGrid.h"

#include <algorithm>
#include <cmath>

namespace {

// Only 21 bits of a cell number reach the key; clamping well within long
// keeps the cells of a damaged model's far or non-finite corners, and their
// neighbours, countable.
long Cell(float v, float size)
{
    const float limit = 1 << 30;
    float cell = std::floor(v / size);
    return (long)(cell > -limit ? std::min(cell, limit) : -limit);
}

}  // namespace

SGridCell GridCellOf(const Vector3f& p, float size)
{
    return SGridCell{Cell(p.x, size), Cell(p.y, size), Cell(p.z, size)};
}

unsigned long long GridKey(const SGridCell& cell)
{
    return ((unsigned long long)(cell.x & 0x1FFFFF) << 42) | ((unsigned long long)(cell.y & 0x1FFFFF) << 21) |
           (unsigned long long)(cell.z & 0x1FFFFF);
}

std::array<unsigned long long, 27> NeighbourKeys(const SGridCell& cell)
{
    std::array<unsigned long long, 27> keys;
    int k = 0;
    for (long dx = -1; dx <= 1; ++dx)
        for (long dy = -1; dy <= 1; ++dy)
            for (long dz = -1; dz <= 1; ++dz)
                keys[k++] = GridKey(SGridCell{cell.x + dx, cell.y + dy, cell.z + dz});
    return keys;
}
