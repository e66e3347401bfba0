#include <string>

#include "tests/unit/LogCapture.h"
#include "tests/unit/InputFixture.h"
#include "tests/unit/ScratchDir.h"

namespace {

class WindowsKeys : public InputFixture {
protected:
    WindowsKeys() { sdl->SetKeyLayout(FLAVOUR_WINDOWS); }

    // Presses `key` once and returns what that printed.
    std::string Press(SDLKey key)
    {
        device.Push(SDL_KEYDOWN, key);
        CaptureLog();
        Frame(10);
        return CapturedOut();
    }
};

}  // namespace

TEST_F(WindowsKeys, TankAndLightKeysAreSwapped)
{
    AddLocalTank();
    device.keys[SDLK_w] = device.keys[SDLK_a] = device.keys[SDLK_j] = device.keys[SDLK_i] = 1;
    Frame(20);
    device.keys[SDLK_w] = device.keys[SDLK_a] = device.keys[SDLK_j] = device.keys[SDLK_i] = 0;
    device.keys[SDLK_s] = device.keys[SDLK_d] = device.keys[SDLK_l] = device.keys[SDLK_k] = 1;
    Frame(50);
    ASSERT_EQ(game.m_messages.size(), 4u);
    EXPECT_EQ(game.m_messages[0].type, GMSG_ACCELERATE);
    EXPECT_FLOAT_EQ(game.m_messages[0].data[0], 0.22f);
    EXPECT_EQ(game.m_messages[1].type, GMSG_CHANGE_ANGLES);
    EXPECT_FLOAT_EQ(game.m_messages[1].data[1], 31.8f);
    EXPECT_FLOAT_EQ(game.m_messages[2].data[0], -0.55f);
    EXPECT_FLOAT_EQ(game.m_messages[3].data[1], 25.5f);
    EXPECT_EQ(sent.size(), 2u);
    // Light: +20 on both axes, then -50.
    EXPECT_FLOAT_EQ(gl->m_lightX, -20);
    EXPECT_FLOAT_EQ(gl->m_lightZ, -20);
}

TEST_F(WindowsKeys, LagAndShadowKeysBelongToTheOtherLayoutAndFunctionKeysToThisOne)
{
    device.Push(SDL_KEYDOWN, SDLK_q);
    device.Push(SDL_KEYDOWN, SDLK_e);
    device.Push(SDL_KEYDOWN, SDLK_e);
    EXPECT_EQ(Press(SDLK_m), "");
    EXPECT_EQ(lagChanges, 0);
    EXPECT_EQ(gl->m_shadowMode, 1);
    EXPECT_EQ(Press(SDLK_F4), "");
    EXPECT_EQ(gl->m_shadowMode, 0);

    sdl->SetKeyLayout(FLAVOUR_LINUX);
    EXPECT_EQ(Press(SDLK_F1), "");
    Press(SDLK_F4);
    EXPECT_EQ(gl->m_shadowMode, 0);
}

TEST_F(WindowsKeys, FunctionKeysPrintAndFlipTheirSwitches)
{
    EXPECT_EQ(Press(SDLK_F1),
              "Help:\nF1 - show this menu\nF2 - show frame rate\nF3 - Toggle Blending\n"
              "F4 - Toggle show shadow geometry\nF5 Toggle MipMaps ON/OFF\nF6 Toggle Texture Mag Filter\n"
              "F7 Toggle Frustum Culling\nF8 Toggle Blending\nF9 ToggleShadows\n");

    EXPECT_EQ(Press(SDLK_F2), "Switching Show_Framerate\n");
    EXPECT_EQ(game.m_play.showFramerate, -1);
    Press(SDLK_F2);
    EXPECT_EQ(game.m_play.showFramerate, 0);
    game.m_play.showFramerate = 1;  // cleared by a frame: frags shown
    Press(SDLK_F2);
    EXPECT_EQ(game.m_play.showFramerate, 0);

    struct {
        SDLKey key;
        bool CZoGl::*flag;
        const char* text;
    } switches[] = {
        {SDLK_F3, &CZoGl::m_wireframe, "Switching glPolyMode\n"},
        {SDLK_F7, &CZoGl::m_drawOffView, "Switching Frustrum Culling\n"},
        {SDLK_F8, &CZoGl::m_blending,
         "Switching GL_BLEND\n \tNote that this also affect the blending used for shadows\n"},
        {SDLK_F9, &CZoGl::m_shadows, "Toggling shadows on/off\n"},
    };
    for (const auto& s : switches) {
        bool before = renderer.*s.flag;
        EXPECT_EQ(Press(s.key), s.text);
        EXPECT_NE(renderer.*s.flag, before) << s.text;
        Press(s.key);
        EXPECT_EQ(renderer.*s.flag, before) << s.text;
    }
}

TEST_F(WindowsKeys, FilterKeysReloadTheTextureList)
{
    ScratchDir dir;
    dir.Write("textures.lof", "0\n");
    ScopedWorkingDir inDir(dir.Path());
    ASSERT_TRUE(inDir.Entered());
    EXPECT_EQ(Press(SDLK_F5), "MipMaps on/off\ntextures loaded\n");
    EXPECT_FALSE(gl->m_mipmaps);
    EXPECT_EQ(Press(SDLK_F6), "Texture MAG filter NEAREST/LINEAR\ntextures loaded\n");
    EXPECT_FALSE(gl->m_linearMagFilter);
}
