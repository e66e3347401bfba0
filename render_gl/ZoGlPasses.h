#ifndef FERROWIND_ZOGLPASSES_H
#define FERROWIND_ZOGLPASSES_H

// Helpers shared by the renderer's drawing passes. OpenGL only; included by
// the renderer's own source files.
#include <vector>

#include <GL/glew.h>

#include "model/Numbers.h"
#include "render_gl/ZoGl.h"

const float kLightHeight = 550;

// The fixed OpenGL state a pass declares in one UsePassState call. Depth
// testing is on with one of the three comparisons, off with none.
enum {
    PASS_BLEND = 1 << 0,          // source alpha over the target (unless blending is switched off)
    PASS_DEPTH_LESS = 1 << 1,     // nearer than the depth buffer
    PASS_DEPTH_LEQUAL = 1 << 2,   // nearer or as near
    PASS_DEPTH_GREATER = 1 << 3,  // farther: where the buffer holds something nearer
    PASS_DEPTH_WRITE = 1 << 4,
    PASS_AT_FAR_END = 1 << 5,     // every depth becomes 1, the far end of the range
    PASS_CULL_BACK = 1 << 6,
    PASS_CULL_FRONT = 1 << 7,
    PASS_FRONT_CW = 1 << 8        // clockwise triangles are the front ones
};
// The scene's geometry: blended, depth tested and written, back faces culled.
const unsigned PASS_SOLID = PASS_BLEND | PASS_DEPTH_LESS | PASS_DEPTH_WRITE | PASS_CULL_BACK;
// The same for programs that write opaque pixels (alpha 1): blending them
// would only read back what they overwrite, a cost per pixel on a software
// rasterizer.
const unsigned PASS_OPAQUE = PASS_SOLID & ~PASS_BLEND;
// Flat images over the target: no depth, no culling.
const unsigned PASS_FLAT = PASS_BLEND;

// Sets blend, depth test and comparison, depth writes and range, culling and
// front face as `state` says, changing only what differs from the last call.
void UsePassState(CZoGl& gl, unsigned state);

// Projection matrix: identity, the scene's part of the target, fixed frustum.
void SceneProjection(const CZoGl& gl);
// Model-view matrix: the camera at the origin looking along `direction`.
void CameraView(const Vector3f& direction);
// Multiplies the current matrix by the placement of an object at `offset`
// from the camera, turned by `angles` (degrees about x, then y, then z).
void PlaceObject(const Vector3f& offset, const Vector3f& angles);

// The OpenGL texture of texture number `number`; 0 outside the table.
unsigned int TextureName(const CZoGl& gl, int number);
void BindTexture(int unit, unsigned int name);
// Puts the program of `slot` in use; none when the slot was not loaded.
void UseProgramSlot(const CZoGl& gl, int slot);

// The object `index` of the list if it can be drawn: it exists, and its model,
// its textures and its model's program are all loaded. Null otherwise.
SGameObject* DrawableObject(CZoGl& gl, const std::vector<SGameObject*>& objects, int index);
// Binds the model's element buffer and draws its triangles.
void DrawModelElements(const SGraphicObject& model);

// How far the model's farthest corner lies from its origin (worked out once
// a model, with its shadow caster).
float ModelReach(CZoGl& gl, int modelNumber);

// Shadow counting: targets the scene texture with the scene depth and its
// stencil (cleared with the depth at the start of the frame), and sets the
// counting state for GetEdges. The end draws the side faces GetEdges
// gathered, turns the counts into the scene texture's alpha (0 where in
// shadow, as the composite reads it) and restores the usual state.
void BeginShadowCounts(CZoGl& gl);
void EndShadowCounts(CZoGl& gl);

// Clears the glow targets to black: the composite adds no glow while it is
// off, and the blur finds black beyond a smaller scene's share.
void ClearGlow(CZoGl& gl);

// The panel, stat bars, counter and minimap corner over the window.
void DrawHeadsUpDisplay(CZoGl& gl);

#endif
