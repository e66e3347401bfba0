// The window, its OpenGL context and the end of each frame.
#include <cstdio>
#include <cstdlib>

#include "game/Numbers.h"
#include "game/Log.h"
#include "input/ZoSDL.h"

namespace {

void Fail(const char* what)
{
    LogOut("%s failed: %s\n", what, SDL_GetError());
    SDL_Quit();
    std::exit(1);
}

void RequestMultisampling(int samples)
{
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples);
}

}  // namespace

CZoSDL::CZoSDL(char* title, char* iconTitle) : CZoSDL(SDLDevice())
{
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) < 0)
        Fail("SDL_Init");
    RequestMultisampling(4);
    SDL_WM_SetCaption(title, iconTitle);
    if (!SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, 8, SDL_OPENGL)) {
        // Some drivers offer no multisampled visual; a plain one still plays.
        LogOut("No multisampled video mode (%s): trying without multisampling\n", SDL_GetError());
        RequestMultisampling(0);
        if (!SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, 8, SDL_OPENGL))
            Fail("SDL_SetVideoMode");
    }
    SDL_ShowCursor(SDL_ENABLE);
    SDL_WM_GrabInput(SDL_GRAB_OFF);
    LogOut("Init: SDL\n");
    m_lastTicks = SDL_GetTicks();
    m_timeOffset = 0;
    m_frameEndTicks = m_lastTicks;
}

void CZoSDL::EndCyrcle()
{
    m_device->SwapBuffers();
    unsigned int spent = m_device->GetTicks() - m_frameEndTicks;
    if (spent < MIN_FRAME_MS)
        m_device->Delay(MIN_FRAME_MS - spent);
    m_frameEndTicks = m_device->GetTicks();
}
