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
unsigned int MakeMinimapFramebuffer(unsigned int texture)
{
    unsigned int framebuffer = MakeFramebuffer(), depth = 0;
    glGenRenderbuffersEXT(1, &depth);
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, depth);
    glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT24, kMinimapWidth, kMinimapHeight);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, texture, 0);
    glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, depth);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    return framebuffer;
}

void PrintGlError()
{
    LogOut("%s\n", (const char*)gluErrorString(glGetError()));
}

// One stage of the glow chain: a framebuffer, its colour and its depth texture.
void MakeGlowStage(unsigned int& framebuffer, unsigned int& texture, unsigned int& depth)
{
    framebuffer = MakeFramebuffer();
    texture = MakeColourTexture(kGlowSize, kGlowSize, GL_UNSIGNED_INT);
    PrintGlError();
    depth = MakeDepthTexture(kGlowSize, kGlowSize);
}

void PrintMultisampleAttribute(SDL_GLattr attribute, const char* name, int& value)
{
    SDL_GL_GetAttribute(attribute, &value);
    LogOut("%s %d\n", name, value);
}

}  // namespace

CZoGl::CZoGl() : CZoGl(SNoDevice())
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
    glViewport(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluLookAt(0, 0, 0, 0, 0, -1, 0, 1, 0);

    LogOut("Init: ZoGl\n");
    m_context = true;
    ilInit();
    ilutRenderer(ILUT_OPENGL);

    m_minimapTexture = MakeTargetTexture(kMinimapWidth, kMinimapHeight, GL_RGBA, GL_RGBA, GL_UNSIGNED_INT, WRAP_CLAMP);
    m_minimapFramebuffer = MakeMinimapFramebuffer(m_minimapTexture);
    m_sceneFramebuffer = MakeFramebuffer();
    m_sceneTexture = MakeColourTexture(SCREEN_WIDTH, SCREEN_HEIGHT, GL_FLOAT);
    PrintGlError();
    // The shadow volumes are counted in the stencil half of the scene depth.
    depth2 = MakeTargetTexture(SCREEN_WIDTH, SCREEN_HEIGHT, GL_DEPTH24_STENCIL8, GL_DEPTH_STENCIL,
                               GL_UNSIGNED_INT_24_8, WRAP_CLAMP);

    MakeGlowStage(m_glowFramebuffer1, m_glowTexture1, m_glowDepthTexture1);
    MakeGlowStage(m_glowFramebuffer2, m_glowTexture2, m_glowDepthTexture2);
    MakeGlowStage(m_glowFramebuffer3, m_glowTexture3, m_glowDepthTexture3);

    // The shadow counts mark the scene texture's own alpha: no texture of their own.
    m_shadowFramebuffer = MakeFramebuffer();
    PrintGlError();
    PrintGlError();

    int multisample = 1;
    PrintMultisampleAttribute(SDL_GL_MULTISAMPLEBUFFERS, "SDL_GL_MULTISAMPLEBUFFERS", multisample);
    PrintMultisampleAttribute(SDL_GL_MULTISAMPLESAMPLES, "SDL_GL_MULTISAMPLESAMPLES", multisample);

    glEnable(GL_MULTISAMPLE_ARB);
    glEnable(GL_BLEND);
    glEnable(GL_POLYGON_SMOOTH);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
    GLint sampleBuffers = 0;
    glGetIntegerv(GL_SAMPLE_BUFFERS_ARB, &sampleBuffers);
    LogOut("SAMPLE_BUFFERS_ARB: %d\n", sampleBuffers);
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
