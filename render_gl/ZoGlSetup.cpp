// The renderer's OpenGL set-up, projection, render targets and matrix stacks.
#include <GL/glew.h>
#include <GL/glu.h>
#include <IL/il.h>
#define ILUT_USE_OPENGL
#include <IL/ilut.h>
#include <SDL/SDL.h>

#include <cstdio>

#include "render_gl/ZoGlPasses.h"
#include "model/Log.h"

unsigned int depth2 = 0;

namespace {

enum EWrap { WRAP_DEFAULT, WRAP_REPEAT, WRAP_CLAMP };

// A 2-D texture allocated without contents, filtered linearly.
unsigned int MakeTargetTexture(int width, int height, GLint internalFormat, GLenum format, GLenum type, EWrap wrap)
{
    unsigned int texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, type, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    if (wrap != WRAP_DEFAULT) {
        GLint mode = wrap == WRAP_REPEAT ? GL_REPEAT : GL_CLAMP_TO_EDGE;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, mode);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, mode);
    }
    return texture;
}

unsigned int MakeColourTexture(int width, int height, GLenum type)
{
    return MakeTargetTexture(width, height, GL_RGBA, GL_RGBA, type, WRAP_DEFAULT);
}

unsigned int MakeDepthTexture(int width, int height)
{
    return MakeTargetTexture(width, height, GL_DEPTH_COMPONENT32, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, WRAP_CLAMP);
}

unsigned int MakeFramebuffer()
{
    unsigned int framebuffer = 0;
    glGenFramebuffersEXT(1, &framebuffer);
    return framebuffer;
}

// Renders into the minimap texture, with a depth buffer of its own.
void MakeMinimapFramebuffer(CZoGl& gl)
{
    gl.m_minimapFramebuffer = MakeFramebuffer();
    glGenRenderbuffersEXT(1, &gl.m_minimapDepth);
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, gl.m_minimapDepth);
    glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT24, gl.MinimapWidth(), gl.MinimapHeight());
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, gl.m_minimapFramebuffer);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, gl.m_minimapTexture, 0);
    glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, gl.m_minimapDepth);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
}

// Writes the error flag as a line, where the set-up reports it.
void PrintGlError(bool report)
{
    GLenum error = glGetError();
    if (report)
        LogOut("%s\n", (const char*)gluErrorString(error));
}

// One stage of the glow chain: a framebuffer, its colour and its depth texture.
void MakeGlowStage(const CZoGl& gl, unsigned int& framebuffer, unsigned int& texture, unsigned int& depth,
                   bool report)
{
    framebuffer = MakeFramebuffer();
    texture = MakeColourTexture(gl.GlowWidth(), gl.GlowHeight(), GL_UNSIGNED_INT);
    PrintGlError(report);
    depth = MakeDepthTexture(gl.GlowWidth(), gl.GlowHeight());
}

void PrintMultisampleAttribute(SDL_GLattr attribute, const char* name, int& value)
{
    SDL_GL_GetAttribute(attribute, &value);
    LogOut("%s %d\n", name, value);
}

}  // namespace

CZoGl::CZoGl() : CZoGl(SNoDevice())
{
    SetUpContext();
    LogOut("Init: ZoGl\n");
    m_context = true;
    ilInit();
    ilutRenderer(ILUT_OPENGL);
    MakeRenderTargets(true);

    int multisample = 1;
    PrintMultisampleAttribute(SDL_GL_MULTISAMPLEBUFFERS, "SDL_GL_MULTISAMPLEBUFFERS", multisample);
    PrintMultisampleAttribute(SDL_GL_MULTISAMPLESAMPLES, "SDL_GL_MULTISAMPLESAMPLES", multisample);
    SetUpSmoothing();
    GLint sampleBuffers = 0;
    glGetIntegerv(GL_SAMPLE_BUFFERS_ARB, &sampleBuffers);
    LogOut("SAMPLE_BUFFERS_ARB: %d\n", sampleBuffers);
}

void CZoGl::SetUpContext()
{
    GLenum glew = glewInit();
    if (glew != GLEW_OK) {
        // Without a context the next OpenGL call fails hard; get the reason out first.
        LogOut("Error: GLEW: %s\n", (const char*)glewGetErrorString(glew));
    }

    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);

    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glFrontFace(GL_CCW);
    glEnable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glViewport(0, 0, m_windowWidth, m_windowHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluLookAt(0, 0, 0, 0, 0, -1, 0, 1, 0);
}

void CZoGl::SetUpSmoothing()
{
    glEnable(GL_MULTISAMPLE_ARB);
    glEnable(GL_BLEND);
    glEnable(GL_POLYGON_SMOOTH);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
}

// Every target at the window's size (the glow at a quarter across and a
// third down, the minimap at half), in the order the set-up reports them.
void CZoGl::MakeRenderTargets(bool report)
{
    m_targetWidth = m_windowWidth;
    m_targetHeight = m_windowHeight;
    m_minimapTexture = MakeTargetTexture(MinimapWidth(), MinimapHeight(), GL_RGBA, GL_RGBA, GL_UNSIGNED_INT, WRAP_CLAMP);
    MakeMinimapFramebuffer(*this);
    m_sceneFramebuffer = MakeFramebuffer();
    m_sceneTexture = MakeColourTexture(m_targetWidth, m_targetHeight, GL_FLOAT);
    PrintGlError(report);
    // The shadow volumes are counted in the stencil half of the scene depth.
    depth2 = MakeTargetTexture(m_targetWidth, m_targetHeight, GL_DEPTH24_STENCIL8, GL_DEPTH_STENCIL,
                               GL_UNSIGNED_INT_24_8, WRAP_CLAMP);

    MakeGlowStage(*this, m_glowFramebuffer1, m_glowTexture1, m_glowDepthTexture1, report);
    MakeGlowStage(*this, m_glowFramebuffer2, m_glowTexture2, m_glowDepthTexture2, report);
    MakeGlowStage(*this, m_glowFramebuffer3, m_glowTexture3, m_glowDepthTexture3, report);

    // The shadow counts mark the scene texture's own alpha: no texture of their own.
    m_shadowFramebuffer = MakeFramebuffer();
    PrintGlError(report);
    PrintGlError(report);
    // Nothing drawn in them yet.
    m_minimapDrawn = false;
    m_minimapShown = false;
}

void CZoGl::DeleteRenderTargets()
{
    const unsigned int textures[] = {m_minimapTexture, m_sceneTexture, depth2,
                                     m_glowTexture1, m_glowTexture2, m_glowTexture3,
                                     m_glowDepthTexture1, m_glowDepthTexture2, m_glowDepthTexture3};
    const unsigned int framebuffers[] = {m_minimapFramebuffer, m_sceneFramebuffer, m_glowFramebuffer1,
                                         m_glowFramebuffer2, m_glowFramebuffer3, m_shadowFramebuffer};
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glDeleteTextures(sizeof textures / sizeof textures[0], textures);
    glDeleteFramebuffersEXT(sizeof framebuffers / sizeof framebuffers[0], framebuffers);
    glDeleteRenderbuffersEXT(1, &m_minimapDepth);
}

void set_frustum()
{
    // Column by column: x and y pass through, z' = -z - 20, w' = -z.
    static const GLfloat projection[16] = {
        1, 0, 0, 0,
        0, 1, 0, 0,
        0, 0, -1, -1,
        0, 0, -20, 0,
    };
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection);
    glEnable(GL_DEPTH_CLAMP_NV);
}

void CZoGl::Clear()
{
    // Without depth writes the clear would keep the old depth. The stencil,
    // where the target has one, starts the shadow counts from 0.
    glDepthMask(GL_TRUE);
    m_passState |= PASS_DEPTH_WRITE;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glClearDepth(1.0);
    glClearColor(0, 0, 0, 0);
}

void CZoGl::SetRenderToTexture(unsigned int framebuffer, unsigned int texture, unsigned int depth, unsigned int)
{
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, texture, 0);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_TEXTURE_2D, depth, 0);
}

void CZoGl::SetRenderToScreen()
{
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
}

void CZoGl::IdentityAll()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
}

void CZoGl::SaveMatrixState()
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
}

void CZoGl::LoadMatrixState()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
}
