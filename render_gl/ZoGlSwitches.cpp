// The light and the drawing switches, as the keys change them.
#include "render_gl/ZoGl.h"

void CZoGl::FlipSwitch(ESwitch which)
{
    // In the order of ESwitch.
    bool* flags[] = {&m_wireframe, &m_drawOffView, &m_shadows, &m_mipmaps, &m_linearMagFilter, &m_blending};
    bool& flag = *flags[which];
    flag = !flag;
    // The texture loader reads the filter switches: new textures take them up.
    if (which == MIPMAPS || which == LINEAR_MAG_FILTER) {
        char list[] = "textures.lof";
        LoadTextures(list);
    }
}

void CZoGl::FlipShadowMode()
{
    m_shadowMode = m_shadowMode ? 0 : 1;
}

void CZoGl::MoveLight(double dx, double dz)
{
    m_lightX = (float)(m_lightX + dx);
    m_lightZ = (float)(m_lightZ + dz);
}
