// The function keys: a help text on standard output (there is no on-screen
// help) and switches of drawing features, each announced by a line.
#include <cstdio>

#include "input/ZoSDL.h"
#include "render/ZoGl.h"

namespace {

const char HELP[] =
    "Help:\nF1 - show this menu\nF2 - show frame rate\nF3 - Toggle Blending\nF4 - Toggle show shadow geometry\n"
    "F5 Toggle MipMaps ON/OFF\nF6 Toggle Texture Mag Filter\nF7 Toggle Frustum Culling\nF8 Toggle Blending\n"
    "F9 ToggleShadows";

void Say(const char* text)
{
    std::printf("%s\n", text);
    std::fflush(stdout);
}

void Flip(bool& value)
{
    value = !value;
}

}  // namespace

void CZoSDL::HandleFunctionKey(SDLKey key)
{
    CZoGl* gl = m_renderer;
    switch (key) {
    case SDLK_F1:
        Say(HELP);
        break;
    case SDLK_F2:
        Say("Switching Show_Framerate");
        ToggleFramerate();
        break;
    case SDLK_F3:
        Say("Switching glPolyMode");
        if (gl)
            Flip(gl->m_wireframe);
        break;
    case SDLK_F4:
        if (gl)
            gl->m_shadowMode = gl->m_shadowMode ? 0 : 1;
        break;
    case SDLK_F5:
        Say("MipMaps on/off");
        if (gl) {
            Flip(gl->m_mipmaps);
            ReloadTextures();
        }
        break;
    case SDLK_F6:
        Say("Texture MAG filter NEAREST/LINEAR");
        if (gl) {
            Flip(gl->m_linearMagFilter);
            ReloadTextures();
        }
        break;
    case SDLK_F7:
        Say("Switching Frustrum Culling");
        if (gl)
            Flip(gl->m_drawOffView);
        break;
    case SDLK_F8:
        Say("Switching GL_BLEND\n \tNote that this also affect the blending used for shadows");
        if (gl)
            Flip(gl->m_blending);
        break;
    case SDLK_F9:
        Say("Toggling shadows on/off");
        if (gl)
            Flip(gl->m_shadows);
        break;
    default:
        break;
    }
}

// The texture loader reads the filter switches: new textures take them up.
void CZoSDL::ReloadTextures()
{
    char list[] = "textures.lof";
    m_renderer->LoadTextures(list);
}
