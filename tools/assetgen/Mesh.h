// Triangle meshes with unshared corners, the primitives the models are built from,
// and the COLLADA writer whose output the game's model reader accepts.
#pragma once
#include <string>
#include <vector>

namespace assetgen {

struct Vec3 {
  float x = 0, y = 0, z = 0;
};
struct Vec2 {
  float u = 0, v = 0;
};

Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator-(Vec3 a, Vec3 b);
Vec3 operator*(Vec3 a, float k);
Vec3 cross(Vec3 a, Vec3 b);
float dot(Vec3 a, Vec3 b);
float length(Vec3 a);
Vec3 normalised(Vec3 a);

struct Corner {
  Vec3 position;
  Vec3 normal;
  Vec2 uv;
};

// Rotation (about x, then y, then z, degrees, applied to the point in the order z, y, x
// like the game's object placement) followed by a translation.
struct Transform {
  Vec3 rotation;
  Vec3 translation;
  Vec3 scale{1, 1, 1};
  Vec3 applyPoint(Vec3 p) const;
  Vec3 applyNormal(Vec3 n) const;
};

struct Footprint {
  float minX, maxX, minZ, maxZ;
};

class Mesh {
 public:
  // Every three corners form one triangle, counter-clockwise seen from the front.
  std::vector<Corner> corners;

  size_t triangleCount() const { return corners.size() / 3; }
  void addTriangle(const Corner& a, const Corner& b, const Corner& c);
  // Flat triangle: normal from the winding, texture coordinates by box projection.
  void addFlat(Vec3 a, Vec3 b, Vec3 c, float uvScale);
  // Flat quad a-b-c-d (counter-clockwise), split along a-c.
  void addFlatQuad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, float uvScale);
  // Quad with given texture coordinates and one normal for all corners.
  void addQuad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec2 ta, Vec2 tb, Vec2 tc, Vec2 td);
  void append(const Mesh& other, const Transform& where = Transform());
  // Adds every triangle a second time, turned round, so that it shows from both sides.
  void makeDoubleSided();
  Footprint footprint() const;
};

// Box-projected texture coordinates: one texture repeat per `uvScale` units; keeps the
// texture unmirrored as seen from outside the face.
Vec2 boxUv(Vec3 p, Vec3 faceNormal, float uvScale);

// Closed primitives, counter-clockwise from outside.
Mesh box(Vec3 lo, Vec3 hi, float uvScale);
// Six-faced solid from its bottom four corners and top four corners (both counter-clockwise
// seen from above).
Mesh hexahedron(const Vec3 bottom[4], const Vec3 top[4], float uvScale);
// Cylinder or frustum along y from y0 to y1, smooth sides, closed by flat caps.
Mesh cylinder(float r0, float r1, float y0, float y1, int segments, float uvScale, bool caps = true);
// Convex prism along x from x0 to x1 whose cross-section is the convex polygon `profile`
// given as (z, y) points in order around it.
Mesh prism(const std::vector<Vec2>& profile, float x0, float x1, float uvScale);
// Moves every texture coordinate of `mesh` linearly so that their range fills lo..hi.
void fitUv(Mesh& mesh, Vec2 lo, Vec2 hi);

// Boulder: an icosphere subdivided `levels` times with seeded lumps of relative height
// `roughness`, scaled to `size`, cut flat at y = 0; flat shaded.
Mesh rock(int levels, unsigned seed, Vec3 size, float roughness, float uvScale);

// COLLADA 1.4 document holding one mesh: arrays "<name>-Geometry-Position-array",
// "<name>-Normals-array", "<name>-UV-array" and one id-less <triangles> list whose <p>
// indexes position, normal and texture coordinate for every corner.
std::string writeCollada(const Mesh& mesh, const std::string& name);

}  // namespace assetgen
