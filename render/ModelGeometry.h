#ifndef FERROWIND_MODELGEOMETRY_H
#define FERROWIND_MODELGEOMETRY_H

#include <cstddef>
#include <string>
#include <vector>

#include "model/Vector.h"
#include "render/ModelStore.h"

// Two of the shipped models were modelled at another scale; they are enlarged
// and lifted when their list name is exactly "bla2.dae" or "monkey.dae".
bool IsRescaledModelName(const std::string& name);
Vector3f RescaleModelPosition(const Vector3f& p);

// Gives each triangle of positions[first..] its unit face normal.
void MakeFlatNormals(const std::vector<Vector3f>& positions, std::vector<Vector3f>& normals, std::size_t first);

// One tangent per vertex: every triangle's corners share the triangle's
// (unnormalised) tangent, turned round where the texture is mirrored.
std::vector<Vector3f> ComputeTangents(const std::vector<Vector3f>& positions, const std::vector<Vector2f>& texCoords);

// Corners closer than 0.05 in summed absolute coordinates are the same point.
bool SamePoint(const Vector3f& p, const Vector3f& q);

// The silhouette edges of one model: every triangle edge once, with the
// triangle that has it and, where another triangle shares it, that one too.
// Corners are never shared, so edges are matched by position.
std::vector<Edge> BuildEdges(const unsigned int* indices, std::size_t indexCount, const std::vector<Vector3f>& positions);

#endif
