// The glow chain: the bright parts of the scene at 256 x 256, blurred across
// and then down. Glow texture 3 is what the composite adds.
#include "render/ZoGlPasses.h"

namespace {

// Covers the whole target, with the flat-fill program in use.
void FillTarget()
{
    glBegin(GL_QUADS);
    glVertex3f(-1, -1, -1);
    glVertex3f(-1, 1, -1);
    glVertex3f(1, 1, -1);
    glVertex3f(1, -1, -1);
    glEnd();
}

void BlurStage(CZoGl& gl, unsigned int framebuffer, unsigned int texture, unsigned int depth,
               unsigned int source, int mode, bool clearFirst)
{
    gl.SetRenderToTexture(framebuffer, texture, depth, 0);
    UseProgramSlot(gl, program::BackFace);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    if (clearFirst) {
        gl.Clear();
        gl.IdentityAll();
        glColor4ub(255, 255, 255, 255);
        FillTarget();
    } else {
        gl.IdentityAll();
        FillTarget();
        glColor4ub(255, 255, 255, 255);
    }
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    gl.DrawImage(1, 1, 0, 0, 1, 0, 0, 1, (int)source, mode);
    gl.SetRenderToScreen();
}

}  // namespace

void CZoGl::RenderLights()
{
    SetRenderToTexture(m_glowFramebuffer1, m_glowTexture1, m_glowDepthTexture1, 0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, kGlowSize, kGlowSize);
    set_frustum();
    Clear();
    UseProgramSlot(*this, program::BackFace);
    glEnable(GL_CULL_FACE);
    glColor4ub(255, 255, 255, 255);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    DrawBoxEnv();
    DrawImage(0, 0, 1, 1, 0, 1, 1, 0, (int)m_sceneTexture, -3);
    SetRenderToScreen();

    BlurStage(*this, m_glowFramebuffer2, m_glowTexture2, m_glowDepthTexture2, m_glowTexture1, -10, true);
    BlurStage(*this, m_glowFramebuffer3, m_glowTexture3, m_glowDepthTexture3, m_glowTexture2, -11, false);
}
