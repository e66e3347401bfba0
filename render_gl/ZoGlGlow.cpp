// The glow chain: the bright parts of the scene at 256 x 256, blurred across
// and then down. Glow texture 3 is what the composite adds. Each stage's
// image covers its whole target with opaque pixels, so nothing is cleared or
// drawn beneath it.
#include "render_gl/ZoGlPasses.h"

namespace {

void GlowStage(CZoGl& gl, unsigned int framebuffer, unsigned int texture, unsigned int depth, unsigned int source,
               int mode)
{
    gl.SetRenderToTexture(framebuffer, texture, depth, 0);
    float share = gl.SceneShare();
    gl.DrawImage(0, 0, 1, 1, 0, share, share, 0, (int)source, mode);
    gl.SetRenderToScreen();
}

}  // namespace

// With the glow off, glow texture 3 stays black (SetQuality clears it) and
// the composite adds nothing.
void CZoGl::RenderLights()
{
    if (!m_quality.glow)
        return;
    GlowStage(*this, m_glowFramebuffer1, m_glowTexture1, m_glowDepthTexture1, m_sceneTexture, -3);
    GlowStage(*this, m_glowFramebuffer2, m_glowTexture2, m_glowDepthTexture2, m_glowTexture1, -10);
    GlowStage(*this, m_glowFramebuffer3, m_glowTexture3, m_glowDepthTexture3, m_glowTexture2, -11);
}
