#ifndef FERROWIND_ZOGLPASSES_H
#define FERROWIND_ZOGLPASSES_H

// Helpers shared by the renderer's drawing passes. OpenGL only; included by
// the renderer's own source files.
#include <vector>

#include <GL/glew.h>

#include "game/Numbers.h"
#include "render/ZoGl.h"

const float kLightHeight = 550;
const int kGlowSize = 256;
const int kMinimapSize = 512;

// Projection matrix: identity, full-window viewport, fixed frustum.
void SceneProjection();
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

// Shadow counting: targets the shadow texture with the scene depth and a
// cleared stencil, and sets the counting state for GetEdges. The end turns
// the counts into the shadow texture (1 where in shadow) and restores the
// usual state.
void BeginShadowCounts(CZoGl& gl);
void EndShadowCounts(CZoGl& gl);

// The panel, stat bars, counter and minimap corner over the window.
void DrawHeadsUpDisplay(CZoGl& gl);

#endif
