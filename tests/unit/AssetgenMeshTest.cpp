// Geometry and canvas helpers of the generator: texture-space handedness that the bump
// shader assumes, the placement order of transforms, and the canvas operations.
#include <gtest/gtest.h>

#include <cmath>

#include "model/Numbers.h"
#include "tools/assetgen/Image.h"
#include "tools/assetgen/Mesh.h"
#include "tools/assetgen/Models.h"

using namespace assetgen;

TEST(AssetgenMesh, TexturesAreNeverMirroredOnBumpMappedModels) {
  // The bump program builds its frame as s = n x t: seen from outside, s runs right when
  // t runs down the picture. A mirrored mapping would light the bumps from the wrong side.
  for (const ModelSpec& m : modelList()) {
    if (m.shader != program::LitBump) continue;
    int checked = 0;
    for (size_t k = 0; k < m.mesh.corners.size(); k += 3) {
      const Corner &a = m.mesh.corners[k], &b = m.mesh.corners[k + 1], &c = m.mesh.corners[k + 2];
      const Vec3 e1 = b.position - a.position, e2 = c.position - a.position;
      const float du1 = b.uv.u - a.uv.u, dv1 = b.uv.v - a.uv.v, du2 = c.uv.u - a.uv.u, dv2 = c.uv.v - a.uv.v;
      const float det = du1 * dv2 - du2 * dv1;
      const Vec3 n = cross(e1, e2);
      if (std::fabs(det) < 1e-7f || length(n) < 1e-5f) continue;
      const Vec3 s = (e1 * dv2 - e2 * dv1) * (1.0f / det), t = (e2 * du1 - e1 * du2) * (1.0f / det);
      ASSERT_LT(dot(cross(s, t), n), 0.0f) << m.file << " triangle " << k / 3;
      ++checked;
    }
    EXPECT_GT(checked, 0) << m.file;
  }
}

TEST(AssetgenMesh, TransformTurnsAboutZThenYThenXLikeTheGame) {
  // The game rotates by x, then y, then z on the matrix stack, so a point turns about z first.
  const Transform t{{90, 90, 0}, {1, 2, 3}};
  const Vec3 p = t.applyPoint({1, 0, 0});  // about y: (0, 0, -1); then about x: (0, 1, 0)
  EXPECT_NEAR(p.x, 1.0f, 1e-5f);
  EXPECT_NEAR(p.y, 3.0f, 1e-5f);
  EXPECT_NEAR(p.z, 3.0f, 1e-5f);
  const Transform z{{0, 0, 90}, {0, 0, 0}};
  const Vec3 q = z.applyPoint({1, 0, 0});
  EXPECT_NEAR(q.y, 1.0f, 1e-5f) << "positive angles turn x towards y";
  const Transform squash{{0, 0, 0}, {0, 0, 0}, {1, 2, 1}};
  const Vec3 n = squash.applyNormal(normalised({1, 1, 0}));
  EXPECT_GT(n.x, n.y) << "normals of a stretched shape tilt away from the stretch";
  EXPECT_NEAR(length(n), 1.0f, 1e-5f);
}

TEST(AssetgenMesh, PrismFacesPointOutwardWhicheverWayTheProfileRuns) {
  for (bool reversed : {false, true}) {
    std::vector<Vec2> profile = {{-2, 0}, {2, 0}, {1, 3}, {-1, 3}};
    if (reversed) std::reverse(profile.begin(), profile.end());
    const Mesh m = prism(profile, -5, 5, 4.0f);
    EXPECT_EQ(m.triangleCount(), 12u);
    for (size_t k = 0; k < m.corners.size(); k += 3) {
      Vec3 mid = (m.corners[k].position + m.corners[k + 1].position + m.corners[k + 2].position) * (1.0f / 3);
      EXPECT_GT(dot(m.corners[k].normal, mid - Vec3{0, 1.5f, 0}), 0.0f) << "triangle " << k / 3;
    }
  }
}

TEST(AssetgenMesh, FitUvFillsTheGivenRectangle) {
  Mesh crown = cylinder(5, 0, 0, 10, 6, 3.0f, false);
  fitUv(crown, {0.0f, 0.1f}, {1.0f, 0.7f});
  float minV = 1, maxV = 0, minU = 1, maxU = 0;
  for (const Corner& c : crown.corners) {
    minU = std::min(minU, c.uv.u);
    maxU = std::max(maxU, c.uv.u);
    minV = std::min(minV, c.uv.v);
    maxV = std::max(maxV, c.uv.v);
  }
  EXPECT_FLOAT_EQ(minU, 0.0f);
  EXPECT_FLOAT_EQ(maxU, 1.0f);
  EXPECT_FLOAT_EQ(minV, 0.1f);
  EXPECT_FLOAT_EQ(maxV, 0.7f);
  // The tip of the crown is at the top of the picture (small t).
  for (const Corner& c : crown.corners) {
    if (c.position.y > 9.9f) {
      EXPECT_NEAR(c.uv.v, 0.1f, 1e-5f);
    }
  }
}

TEST(AssetgenCanvas, ShapesAreAntiAliasedAndBlendOver) {
  Image image(8, 4, true);
  image.fillRect(2, 0, 4.5f, 4, rgb(1, 0, 0, 1));
  EXPECT_FLOAT_EQ(image.get(1, 1).a, 0.0f);
  EXPECT_FLOAT_EQ(image.get(3, 1).a, 1.0f);
  EXPECT_NEAR(image.get(4, 1).a, 0.5f, 1e-5f) << "a half-covered pixel";
  image.blend(3, 1, rgb(0, 0, 1, 0.25f));
  EXPECT_NEAR(image.get(3, 1).r, 0.75f, 1e-5f);
  EXPECT_NEAR(image.get(3, 1).b, 0.25f, 1e-5f);
  EXPECT_FLOAT_EQ(image.get(3, 1).a, 1.0f);
  image.blend(100, 100, rgb(1, 1, 1));  // outside: ignored
}

TEST(AssetgenCanvas, FlipAndResizeKeepThePicture) {
  Image image(4, 4, false);
  image.paint([](int x, int y) { return rgb(x / 3.0f, y / 3.0f, 0.5f); });
  Image flipped = image;
  flipped.flipVertical();
  EXPECT_FLOAT_EQ(flipped.get(2, 0).g, 1.0f);
  EXPECT_FLOAT_EQ(flipped.get(2, 3).g, 0.0f);
  EXPECT_FLOAT_EQ(flipped.get(2, 0).r, image.get(2, 3).r);
  const Image small = image.resized(2, 2);
  float mean = 0.0f;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) mean += small.get(x, y).r / 4.0f;
  EXPECT_NEAR(mean, 0.5f, 0.05f) << "shrinking keeps the average";
  EXPECT_LT(small.get(0, 0).r, small.get(1, 0).r);
}
