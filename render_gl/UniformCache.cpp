#include "render_gl/UniformCache.h"

#include <GL/glew.h>

namespace {

const char* const kNames[SHADER_NAME_COUNT] = {
    "rotm", "lpos", "cpos", "clr1", "dept", "diff", "spec", "clr2", "opos", "text", "lmap", "bump",
    "iftx", "type", "glow", "shmd", "objp", "obrt", "scrn", "tang",
};

const int kNotLookedUp = -2;

}  // namespace

int CUniformCache::Location(unsigned int program, int name)
{
    if (program == 0 || name < 0 || name >= SHADER_NAME_COUNT)
        return -1;
    std::vector<int>& locations = m_locations[program];
    if (locations.empty())
        locations.assign(SHADER_NAME_COUNT, kNotLookedUp);
    int& location = locations[name];
    if (location == kNotLookedUp) {
        location = name == A_TANG ? glGetAttribLocation(program, kNames[name])
                                  : glGetUniformLocation(program, kNames[name]);
    }
    return location;
}
