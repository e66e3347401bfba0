#ifndef FERROWIND_TESTS_GLTESTWINDOW_H
#define FERROWIND_TESTS_GLTESTWINDOW_H

#include <SDL/SDL.h>

#include <gtest/gtest.h>

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

#endif
