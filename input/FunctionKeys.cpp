// The function keys: a help text on standard output (there is no on-screen
// help) and switches of drawing features, each announced by a line.
#include <cstdio>

#include "input/ZoSDL.h"
#include "model/Log.h"

namespace {

const char HELP[] =
    "Help:\nF1 - show this menu\nF2 - show frame rate\nF3 - Toggle Blending\nF4 - Toggle show shadow geometry\n"
    "F5 Toggle MipMaps ON/OFF\nF6 Toggle Texture Mag Filter\nF7 Toggle Frustum Culling\nF8 Toggle Blending\n"
    "F9 ToggleShadows";

void Say(const char* text)
{
    LogOut("%s\n", text);
}

// The keys that flip one of the renderer's drawing switches.
struct SSwitchKey {
    SDLKey key;
    const char* text;
    IRendererSwitches::ESwitch flag;
};

const SSwitchKey SWITCH_KEYS[] = {
    {SDLK_F3, "Switching glPolyMode", IRendererSwitches::WIREFRAME},
    {SDLK_F5, "MipMaps on/off", IRendererSwitches::MIPMAPS},
    {SDLK_F6, "Texture MAG filter NEAREST/LINEAR", IRendererSwitches::LINEAR_MAG_FILTER},
    {SDLK_F7, "Switching Frustrum Culling", IRendererSwitches::DRAW_OFF_VIEW},
    {SDLK_F8, "Switching GL_BLEND\n \tNote that this also affect the blending used for shadows",
     IRendererSwitches::BLENDING},
    {SDLK_F9, "Toggling shadows on/off", IRendererSwitches::SHADOWS},
};

}  // namespace

void CZoSDL::HandleFunctionKey(SDLKey key)
{
    switch (key) {
    case SDLK_F1:
        Say(HELP);
        return;
    case SDLK_F2:
        Say("Switching Show_Framerate");
        ToggleFramerate();
        return;
    case SDLK_F4:
        if (m_renderer)
            m_renderer->FlipShadowMode();
        return;
    default:
        break;
    }
    for (const SSwitchKey& entry : SWITCH_KEYS) {
        if (entry.key != key)
            continue;
        Say(entry.text);
        if (m_renderer)
            m_renderer->FlipSwitch(entry.flag);
        return;
    }
}
