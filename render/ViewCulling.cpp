#include "render/ViewCulling.h"

namespace {

const int FIRST_CULLED = 2;
const int LAST_CULLED = 64;
const float MIN_ALONG_VIEW = 0.7f;

}  // namespace

bool OffView(int index, Vector3f pos, Vector3f camera, Vector3f view)
{
    if (index < FIRST_CULLED || index > LAST_CULLED)
        return false;
    Vector3f towards = pos - camera;
    towards.Rescale(1);
    return towards.Dot(view) < MIN_ALONG_VIEW;
}
