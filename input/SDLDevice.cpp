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

ISDLDevice* SDLDevice()
{
    static CZoSDLDevice device;
    return &device;
}
