#include <GL/glew.h>
#include <GL/glu.h>

#include <sstream>
#include <string>
#include <vector>

#include "input/ZoSDL.h"
#include "render_gl/ZoGlPasses.h"
#include "tests/gl/GlTestWindow.h"

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

GLint TextureLevelParameter(unsigned int texture, GLenum parameter)
{
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, parameter, &value);
    return value;
}

GLint TextureParameter(unsigned int texture, GLenum parameter)
{
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexParameteriv(GL_TEXTURE_2D, parameter, &value);
    return value;
}

GLint Integer(GLenum name)
{
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

using RendererSetup = GlRendererTest;

}  // namespace

TEST_F(RendererSetup, WritesItsLinesInOrder)
{
    std::vector<std::string> lines = Lines(setupOutput);
    ASSERT_EQ(lines.size(), 10u) << setupOutput;
    EXPECT_EQ(lines[0], "Init: ZoGl");
    std::string noError = (const char*)gluErrorString(GL_NO_ERROR);
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(lines[i], noError) << i;
    EXPECT_EQ(lines[7].rfind("SDL_GL_MULTISAMPLEBUFFERS ", 0), 0u) << lines[7];
    EXPECT_EQ(lines[8].rfind("SDL_GL_MULTISAMPLESAMPLES ", 0), 0u) << lines[8];
    EXPECT_EQ(lines[9], "SAMPLE_BUFFERS_ARB: " + std::to_string(Integer(GL_SAMPLE_BUFFERS_ARB)));
}

// A rasterizer on the processor would resolve the window's samples every
// frame: the game opens its window again without them, before the renderer
// makes anything, and the renderer's lines give the values in effect.
TEST(GameWindow, SoftwareRendererGetsAPlainWindow)
{
    char title[] = "Ferrowind", iconTitle[] = "";
    // A window an earlier test of this process opened would keep its context.
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    testing::internal::CaptureStdout();
    CZoSDL window(title, iconTitle);
    std::string windowOutput = testing::internal::GetCapturedStdout();
    std::string renderer = (const char*)glGetString(GL_RENDERER);
    if (renderer.find("llvmpipe") == std::string::npos)
        GTEST_SKIP() << "multisampling stays on with " << renderer;
    EXPECT_EQ(windowOutput, "Software renderer: multisampling off\nInit: SDL\n");
    EXPECT_EQ(Integer(GL_SAMPLE_BUFFERS_ARB), 0);
    testing::internal::CaptureStdout();
    CZoGl gl;
    std::vector<std::string> lines = Lines(testing::internal::GetCapturedStdout());
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[6], (const char*)gluErrorString(GL_NO_ERROR));
    EXPECT_EQ(lines[7], "SDL_GL_MULTISAMPLEBUFFERS 0");
    EXPECT_EQ(lines[8], "SDL_GL_MULTISAMPLESAMPLES 0");
}

TEST_F(RendererSetup, LeavesTheStateTheFramesRelyOn)
{
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_NORMAL_ARRAY));
    EXPECT_EQ(Integer(GL_FRONT_FACE), GL_CCW);
    EXPECT_EQ(Integer(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(Integer(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1024);
    EXPECT_EQ(viewport[3], 768);
    EXPECT_EQ(gl->m_lightX, 10);
    EXPECT_EQ(gl->m_shadowMode, 1);
    Vector3f d = gl->GetDirection();
    EXPECT_EQ(d.z, -1);
}

TEST_F(RendererSetup, CreatesTheRenderTargets)
{
    EXPECT_EQ(TextureLevelParameter(gl->m_minimapTexture, GL_TEXTURE_WIDTH), 512);
    EXPECT_EQ(TextureLevelParameter(gl->m_minimapTexture, GL_TEXTURE_HEIGHT), 384);
    EXPECT_EQ(TextureParameter(gl->m_minimapTexture, GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
    EXPECT_EQ(TextureLevelParameter(gl->m_sceneTexture, GL_TEXTURE_HEIGHT), 768);
    EXPECT_EQ(TextureParameter(gl->m_sceneTexture, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(TextureLevelParameter(depth2, GL_TEXTURE_WIDTH), 1024);
    EXPECT_GT(TextureLevelParameter(depth2, GL_TEXTURE_DEPTH_SIZE), 0);
    EXPECT_EQ(TextureParameter(depth2, GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
    for (unsigned int glow : {gl->m_glowTexture1, gl->m_glowTexture2, gl->m_glowTexture3})
        EXPECT_EQ(TextureLevelParameter(glow, GL_TEXTURE_WIDTH), 256);
    for (unsigned int glowDepth : {gl->m_glowDepthTexture1, gl->m_glowDepthTexture2, gl->m_glowDepthTexture3}) {
        EXPECT_EQ(TextureLevelParameter(glowDepth, GL_TEXTURE_HEIGHT), 256);
        EXPECT_GT(TextureLevelParameter(glowDepth, GL_TEXTURE_DEPTH_SIZE), 0);
    }
    // The shadow volumes are counted in the stencil bits that share the scene depth.
    EXPECT_GE(TextureLevelParameter(depth2, GL_TEXTURE_STENCIL_SIZE), 8);
    // ... and marked in the alpha of the scene texture.
    EXPECT_GE(TextureLevelParameter(gl->m_sceneTexture, GL_TEXTURE_ALPHA_SIZE), 1);
    EXPECT_NE(gl->m_sceneFramebuffer, 0u);
    EXPECT_NE(gl->m_shadowFramebuffer, gl->m_glowFramebuffer3);
}

TEST_F(RendererSetup, FrustumIsTheFixedProjectionWithDepthClamp)
{
    glMatrixMode(GL_MODELVIEW);
    set_frustum();
    EXPECT_EQ(Integer(GL_MATRIX_MODE), GL_PROJECTION);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_CLAMP_NV));
    GLfloat m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    const GLfloat expected[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, -1, 0, 0, -20, 0};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(m[i], expected[i]) << i;
}

TEST_F(RendererSetup, ClearUsesTheValuesOfThePreviousCall)
{
    gl->SetRenderToTexture(gl->m_sceneFramebuffer, gl->m_sceneTexture, depth2, 0);
    ASSERT_EQ(glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT), (GLenum)GL_FRAMEBUFFER_COMPLETE_EXT);
    glViewport(0, 0, 1024, 768);
    GLfloat pixel[4];
    glClearColor(1, 0, 0, 1);
    gl->Clear();
    glReadPixels(5, 5, 1, 1, GL_RGBA, GL_FLOAT, pixel);
    EXPECT_EQ(pixel[0], 1);
    for (int round = 0; round < 2; ++round) {
        gl->Clear();
        glReadPixels(5, 5, 1, 1, GL_RGBA, GL_FLOAT, pixel);
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(pixel[c], 0) << round << " " << c;
    }
    gl->SetRenderToScreen();
}

TEST_F(RendererSetup, RenderToTextureAttachesOrDetachesDepth)
{
    GLint type = 0, name = 0;
    gl->SetRenderToTexture(gl->m_glowFramebuffer1, gl->m_glowTexture1, gl->m_glowDepthTexture1, 0);
    glGetFramebufferAttachmentParameterivEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT,
                                             GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME_EXT, &name);
    EXPECT_EQ((unsigned int)name, gl->m_glowDepthTexture1);
    gl->SetRenderToTexture(gl->m_glowFramebuffer1, gl->m_glowTexture1, 0, 12345);
    glGetFramebufferAttachmentParameterivEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT,
                                             GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE_EXT, &type);
    EXPECT_EQ(type, GL_NONE);
    glGetFramebufferAttachmentParameterivEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT,
                                             GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME_EXT, &name);
    EXPECT_EQ((unsigned int)name, gl->m_glowTexture1);
    EXPECT_EQ((unsigned int)Integer(GL_FRAMEBUFFER_BINDING_EXT), gl->m_glowFramebuffer1);
    gl->SetRenderToScreen();
    EXPECT_EQ(Integer(GL_FRAMEBUFFER_BINDING_EXT), 0);
}

TEST_F(RendererSetup, MatrixOperationsEndOnTheTextureMatrix)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glTranslatef(3, 0, 0);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glScalef(2, 2, 2);
    glMatrixMode(GL_MODELVIEW);

    gl->SaveMatrixState();
    EXPECT_EQ(Integer(GL_MATRIX_MODE), GL_TEXTURE);
    gl->IdentityAll();
    EXPECT_EQ(Integer(GL_MATRIX_MODE), GL_TEXTURE);
    GLfloat m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    EXPECT_EQ(m[12], 0);
    glGetFloatv(GL_TEXTURE_MATRIX, m);
    EXPECT_EQ(m[0], 1);

    gl->LoadMatrixState();
    EXPECT_EQ(Integer(GL_MATRIX_MODE), GL_TEXTURE);
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    EXPECT_EQ(m[12], 3);
    glGetFloatv(GL_TEXTURE_MATRIX, m);
    EXPECT_EQ(m[0], 2);
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

TEST_F(RendererSetup, PassStateSetsWhatItNamesAndOnlyWhatChanged)
{
    gl->ForgetPassState();
    UsePassState(*gl, PASS_DEPTH_LEQUAL | PASS_AT_FAR_END | PASS_CULL_FRONT | PASS_FRONT_CW);
    GLfloat range[2] = {0, 0};
    glGetFloatv(GL_DEPTH_RANGE, range);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(Integer(GL_DEPTH_FUNC), GL_LEQUAL);
    EXPECT_EQ(Integer(GL_DEPTH_WRITEMASK), GL_FALSE);
    EXPECT_EQ(range[0], 1);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(Integer(GL_CULL_FACE_MODE), GL_FRONT);
    EXPECT_EQ(Integer(GL_FRONT_FACE), GL_CW);

    // A change behind its back survives the same state declared again, not a
    // forgotten one.
    glDisable(GL_DEPTH_TEST);
    UsePassState(*gl, PASS_DEPTH_LEQUAL | PASS_AT_FAR_END | PASS_CULL_FRONT | PASS_FRONT_CW);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    gl->ForgetPassState();
    UsePassState(*gl, PASS_DEPTH_LEQUAL | PASS_AT_FAR_END | PASS_CULL_FRONT | PASS_FRONT_CW);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));

    gl->m_blending = false;
    UsePassState(*gl, PASS_SOLID);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    gl->m_blending = true;
    UsePassState(*gl, PASS_SOLID);
    glGetFloatv(GL_DEPTH_RANGE, range);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(Integer(GL_DEPTH_FUNC), GL_LESS);
    EXPECT_EQ(Integer(GL_DEPTH_WRITEMASK), GL_TRUE);
    EXPECT_EQ(range[0], 0);
    EXPECT_EQ(Integer(GL_CULL_FACE_MODE), GL_BACK);
    EXPECT_EQ(Integer(GL_FRONT_FACE), GL_CCW);
}
