#ifndef FERROWIND_VIEWCULLING_H
#define FERROWIND_VIEWCULLING_H

#include "model/Vector.h"

// Whether object `index` at `pos` may be left out of the object pass because
// it lies away from the view: only objects 2 to 64 are ever left out (never
// the ground, the local tank or the scenery numbered after them), those whose
// direction from the camera, made unit length, is less than 0.7 along `view`.
bool OffView(int index, Vector3f pos, Vector3f camera, Vector3f view);

// Whether a sphere of `radius` about `centre` lies wholly outside what a
// camera at `camera` looking along `direction` sees through the fixed
// frustum (45 degrees to either side, up and down; nothing is clipped near
// or far): nothing inside it can reach a pixel. A camera looking straight up
// or down, which has no sideways axis, sees everything.
bool OutOfSight(Vector3f centre, float radius, Vector3f camera, Vector3f direction);

#endif
