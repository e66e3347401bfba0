// The drawing switches of a preset, put into effect: the ones the passes read
// each frame are only stored; the texture filters and the glow texture change
// here, once.
#include "render_gl/ZoGlPasses.h"

namespace {

void FilterTexture(unsigned int texture, bool mipmapped, ETextureFilter filter, bool linearMagnification)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint min = filter == FILTER_NEAREST ? GL_NEAREST
                : filter == FILTER_MIPMAPS && mipmapped ? GL_LINEAR_MIPMAP_NEAREST
                                                         : GL_LINEAR;
    GLint mag = filter == FILTER_NEAREST || !linearMagnification ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, min);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, mag);
}

}  // namespace

void ClearGlow(CZoGl& gl)
{
    const unsigned int stages[3][2] = {{gl.m_glowFramebuffer1, gl.m_glowTexture1},
                                       {gl.m_glowFramebuffer2, gl.m_glowTexture2},
                                       {gl.m_glowFramebuffer3, gl.m_glowTexture3}};
    glClearColor(0, 0, 0, 1);
    for (const auto& stage : stages) {
        gl.SetRenderToTexture(stage[0], stage[1], 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glClearColor(0, 0, 0, 0);
    gl.SetRenderToScreen();
}

std::string CZoGl::RendererName() const
{
    const char* name = m_context ? (const char*)glGetString(GL_RENDERER) : 0;
    return name ? name : "";
}

void CZoGl::ApplyTextureFilter()
{
    if (!m_context)
        return;
    for (int i = 0; i < m_textureCount && i < (int)m_textureMipmaps.size(); ++i)
        FilterTexture(m_textures[i], m_textureMipmaps[i], m_quality.filter, m_linearMagFilter);
}

void CZoGl::SetQuality(const SQuality& quality)
{
    SQuality before = m_quality;
    m_quality = quality;
    m_shadowMode = quality.shadows ? 1 : 0;
    m_minimapPeriod = (unsigned long)quality.minimapPeriodMs;
    if (!m_context)
        return;
    if (quality.filter != before.filter)
        ApplyTextureFilter();
    if (quality.glow != before.glow || quality.renderScale != before.renderScale)
        ClearGlow(*this);
}
