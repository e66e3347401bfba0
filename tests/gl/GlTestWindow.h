#ifndef FERROWIND_TESTS_GLTESTWINDOW_H
#define FERROWIND_TESTS_GLTESTWINDOW_H

#include <SDL/SDL.h>

#include <gtest/gtest.h>

#include <string>

#include "render_gl/ZoGl.h"

// Gives the process the game's window and its OpenGL context, once; tests that
// need a context call it from their fixture.
inline bool OpenGlTestWindow()
{
    if (SDL_GetVideoSurface())
        return true;
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return false;
    return SDL_SetVideoMode(1024, 768, 0, SDL_OPENGL) != 0;
}

// A fixture whose tests run with a current OpenGL context.
class GlWindowTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(OpenGlTestWindow()) << SDL_GetError(); }
};

// A fixture with a renderer set up on that context; what its set-up printed
// is kept in setupOutput.
class GlRendererTest : public GlWindowTest {
protected:
    void SetUp() override
    {
        GlWindowTest::SetUp();
        testing::internal::CaptureStdout();
        gl = new CZoGl();
        setupOutput = testing::internal::GetCapturedStdout();
    }
    void TearDown() override { delete gl; }

    CZoGl* gl = nullptr;
    std::string setupOutput;
};

#endif
