// The window, its OpenGL context and the end of each frame.
#include <SDL/SDL_opengl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/Numbers.h"
#include "model/Log.h"
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

bool SetVideoMode()
{
    return SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, 8, SDL_OPENGL) != nullptr;
}

void OpenWindow(char* title, char* iconTitle, int samples)
{
    RequestMultisampling(samples);
    SDL_WM_SetCaption(title, iconTitle);
    if (SetVideoMode())
        return;
    if (samples == 0)
        Fail("SDL_SetVideoMode");
    // Some drivers offer no multisampled visual; a plain one still plays.
    LogOut("No multisampled video mode (%s): trying without multisampling\n", SDL_GetError());
    RequestMultisampling(0);
    if (!SetVideoMode())
        Fail("SDL_SetVideoMode");
}

// Mesa's rasterizers on the processor.
bool IsSoftwareRenderer()
{
    const char* renderer = (const char*)glGetString(GL_RENDERER);
    return renderer && (std::strstr(renderer, "llvmpipe") || std::strstr(renderer, "softpipe") ||
                        std::strstr(renderer, "Software Rasterizer"));
}

bool Multisampled()
{
    int buffers = 0;
    SDL_GL_GetAttribute(SDL_GL_MULTISAMPLEBUFFERS, &buffers);
    return buffers > 0;
}

}  // namespace

CZoSDL::CZoSDL(char* title, char* iconTitle) : CZoSDL(SDLDevice())
{
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) < 0)
        Fail("SDL_Init");
    OpenWindow(title, iconTitle, 4);
    if (Multisampled() && IsSoftwareRenderer()) {
        // The scene is drawn into plain textures; the window only gets the
        // composite and the overlays, so its samples add almost nothing to
        // the picture, while a processor resolves them every frame. SDL keeps
        // the context when a mode is set again: only a new video subsystem
        // gives a new one. Nothing has used this context yet.
        LogOut("Software renderer: multisampling off\n");
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) < 0)
            Fail("SDL_InitSubSystem");
        OpenWindow(title, iconTitle, 0);
    }
    SDL_ShowCursor(SDL_ENABLE);
    SDL_WM_GrabInput(SDL_GRAB_OFF);
    LogOut("Init: SDL\n");
    m_lastTicks = SDL_GetTicks();
    m_timeOffset = 0;
    m_frameEndTicks = m_lastTicks;
}

std::vector<std::pair<int, int> > CZoSDL::WindowSizes()
{
    std::vector<std::pair<int, int> > sizes;
    SDL_Rect** modes = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_ListModes(0, SDL_OPENGL | SDL_FULLSCREEN) : 0;
    if (modes && modes != (SDL_Rect**)-1)
        for (int i = 0; modes[i]; ++i)
            if (modes[i]->w >= 640 && modes[i]->h >= 480)
                sizes.push_back({modes[i]->w, modes[i]->h});
    if (sizes.size() <= 1)
        sizes = {{800, 600}, {1024, 768}, {1280, 720}, {1280, 960}, {1600, 900}, {1920, 1080}};
    sizes.push_back({SCREEN_WIDTH, SCREEN_HEIGHT});
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    return sizes;
}

// The renderer follows through WindowChanges: SDL keeps the OpenGL context
// when the mode is set again on X11, and makes a new one on Windows.
bool CZoSDL::SetWindowSize(int width, int height)
{
    if (width == m_windowWidth && height == m_windowHeight)
        return true;
    if (!m_device->SetVideoSize(width, height, m_fullScreen)) {
        LogOut("Window size %dx%d not available: %s\n", width, height, SDL_GetError());
        return false;
    }
    m_windowWidth = width;
    m_windowHeight = height;
    WindowChanged();
    LogOut("Window size %dx%d\n", width, height);
    return true;
}

void CZoSDL::SetFullScreen(bool on)
{
    if (on == m_fullScreen)
        return;
    if (!m_device->ToggleFullScreen() && !m_device->SetVideoSize(m_windowWidth, m_windowHeight, on)) {
        LogOut("Full screen cannot be switched on this system\n");
        return;
    }
    m_fullScreen = on;
    WindowChanged();
    LogOut("Full screen %s\n", on ? "on" : "off");
}

void CZoSDL::WindowChanged()
{
    ++m_windowChanges;
    // The menu is drawn again on the new window, twice: the first picture
    // after a change of size may still go to buffers of the old size, which
    // the driver learns of only at the swap.
    m_menuRedraws = 2;
}

bool CZoSDL::HandleAltEnter(const SDL_Event& event)
{
    if (event.type != SDL_KEYDOWN || event.key.keysym.sym != SDLK_RETURN || !(event.key.keysym.mod & KMOD_ALT))
        return false;
    SetFullScreen(!m_fullScreen);
    return true;
}

void CZoSDL::EndCyrcle()
{
    m_device->SwapBuffers();
    EndIdleCyrcle();
}

void CZoSDL::EndIdleCyrcle()
{
    unsigned int spent = m_device->GetTicks() - m_frameEndTicks;
    if (spent < MIN_FRAME_MS)
        m_device->Delay(MIN_FRAME_MS - spent);
    m_frameEndTicks = m_device->GetTicks();
}
