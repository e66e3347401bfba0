#include "input/SDLDevice.h"

void CZoSDLDevice::PumpEvents()
{
    SDL_PumpEvents();
}

int CZoSDLDevice::PollEvent(SDL_Event* event)
{
    return SDL_PollEvent(event);
}

Uint8* CZoSDLDevice::GetKeyState()
{
    return SDL_GetKeyState(0);
}

void CZoSDLDevice::GetMouseState(int* x, int* y)
{
    SDL_GetMouseState(x, y);
}

Uint32 CZoSDLDevice::GetTicks()
{
    return SDL_GetTicks();
}

void CZoSDLDevice::ShowCursor(int toggle)
{
    SDL_ShowCursor(toggle);
}

void CZoSDLDevice::SwapBuffers()
{
    SDL_GL_SwapBuffers();
}

void CZoSDLDevice::Delay(Uint32 ms)
{
    SDL_Delay(ms);
}

bool CZoSDLDevice::ToggleFullScreen()
{
    return SDL_WM_ToggleFullScreen(SDL_GetVideoSurface()) != 0;
}

bool CZoSDLDevice::SetVideoSize(int width, int height, bool fullScreen)
{
    return SDL_SetVideoMode(width, height, 8, SDL_OPENGL | (fullScreen ? SDL_FULLSCREEN : 0)) != nullptr;
}

ISDLDevice* SDLDevice()
{
    static CZoSDLDevice device;
    return &device;
}
