#ifndef FERROWIND_UNIFORMCACHE_H
#define FERROWIND_UNIFORMCACHE_H

#include <map>
#include <vector>

// Names of the uniforms and the one attribute that the renderer hands its
// shader programs.
enum EShaderName {
    U_ROTM, U_LPOS, U_CPOS, U_CLR1, U_DEPT, U_DIFF, U_SPEC, U_CLR2, U_OPOS, U_TEXT, U_LMAP, U_BUMP,
    U_IFTX, U_TYPE, U_GLOW, U_SHMD, U_OBJP, U_OBRT, U_SCRN,
    A_TANG,
    SHADER_NAME_COUNT
};

// Locations of those names, looked up once per program object; -1 where the
// program does not declare the name.
class CUniformCache {
public:
    int Location(unsigned int program, int name);

private:
    std::map<unsigned int, std::vector<int> > m_locations;
};

#endif
