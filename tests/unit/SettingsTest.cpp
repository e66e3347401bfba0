#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "game/Settings.h"
#include "tests/unit/LogCapture.h"

namespace {

int Lines(const std::string& text)
{
    return (int)std::count(text.begin(), text.end(), '\n');
}

}  // namespace

// Each text over the defaults: what it sets, and how many lines it gets on
// the log (one per line that cannot be read, none for the rest).
TEST(Settings, EachLineSetsOneThingAndABadLineKeepsTheDefaultWithOneLogLine)
{
    struct {
        const char* text;
        std::function<bool(const SSettings&)> holds;
        int logLines;
    } cases[] = {
        {"", [](const SSettings& s) { return s.quality == PresetQuality(PRESET_HIGH) && s.guard; }, 0},
        {"preset=low\n", [](const SSettings& s) { return s.quality == PresetQuality(PRESET_LOW); }, 0},
        {"preset=medium\nglow=off\n",
         [](const SSettings& s) { return !s.quality.glow && s.quality.renderScale == 75; }, 0},
        {"# a comment\n\n  shadows = off \r\n", [](const SSettings& s) { return !s.quality.shadows; }, 0},
        {"render_scale=60\ntexture_filter=nearest\nminimap_period_ms=1000\nbump_maps=off\n",
         [](const SSettings& s) {
             return s.quality.renderScale == 60 && s.quality.filter == FILTER_NEAREST &&
                    s.quality.minimapPeriodMs == 1000 && !s.quality.bumpMaps;
         },
         0},
        {"window=1280x720\nfullscreen=on\ntarget_fps=45\nframe_rate_guard=off\nrenderer=llvmpipe (LLVM 15.0.6)\n",
         [](const SSettings& s) {
             return s.windowWidth == 1280 && s.windowHeight == 720 && s.fullscreen && s.targetFps == 45 &&
                    !s.guard && s.renderer == "llvmpipe (LLVM 15.0.6)";
         },
         0},
        {"key_forward=up\nkey_fire=left ctrl\nkey_camera=v\n",
         [](const SSettings& s) {
             return s.keys.forward == SDLK_UP && s.keys.fire == SDLK_LCTRL && s.keys.camera == SDLK_v &&
                    s.keys.back == SDLK_k;
         },
         0},
        // Damaged lines: each keeps its setting as it was and says so once.
        {"shadows=maybe\nrender_scale=30\nrender_scale=75x\nwindow=1024*768\nwindow=10x10\n",
         [](const SSettings& s) { return s == SSettings(); }, 5},
        {"preset=low\nrender_scale=\n", [](const SSettings& s) { return s.quality.renderScale == 50; }, 1},
        {"key_fire=hyper\nkey_back\ncolour=blue\n=on\n\x01\xff\n",
         [](const SSettings& s) { return s.keys.fire == SDLK_SPACE && s.keys.back == SDLK_k; }, 5},
        {"preset=ultra\nshadows=off\n",
         [](const SSettings& s) { return s.quality.glow && !s.quality.shadows; }, 1},
    };
    for (const auto& c : cases) {
        CaptureLog();
        SSettings s = ReadSettings(c.text, "settings");
        std::string log = CapturedOut();
        EXPECT_TRUE(c.holds(s)) << c.text;
        EXPECT_EQ(Lines(log), c.logLines) << c.text << log;
    }
}

TEST(Settings, ABadLineIsNamedWithWhatItWantsAndWhatStays)
{
    CaptureLog();
    ReadSettings("\nshadows=maybe\n", "/home/p/.config/ferrowind/settings");
    EXPECT_EQ(CapturedOut(), "Settings file /home/p/.config/ferrowind/settings, line 2: shadows wants on or off, "
                             "not \"maybe\"; it stays on\n");
}

TEST(Settings, WhatIsWrittenReadsBackTheSameAndSurvivesTheFile)
{
    SSettings s;
    s.quality = PresetQuality(PRESET_MEDIUM);
    s.quality.filter = FILTER_NEAREST;
    s.windowWidth = 800, s.windowHeight = 600;
    s.fullscreen = true;
    s.targetFps = 60;
    s.guard = false;
    s.renderer = "Mesa Intel(R) UHD Graphics 620 (KBL GT2)";
    s.keys.fire = SDLK_RCTRL;
    s.keys.left = SDLK_LEFT;
    EXPECT_TRUE(ReadSettings(WriteSettings(s), "settings") == s);

    std::string folder = ::testing::TempDir() + "ferrowind-settings-test/nested";
    std::filesystem::remove_all(folder);
    std::string path = folder + "/settings";
    CaptureLog();
    EXPECT_TRUE(LoadSettings(path) == SSettings());
    EXPECT_TRUE(SaveSettings(s, path));
    EXPECT_TRUE(LoadSettings(path) == s);
    EXPECT_EQ(CapturedOut(), "");
    std::filesystem::remove_all(folder);
}

// The choice is made on the first start and again only on another renderer;
// until then a player's own settings stay.
TEST(Settings, TheAutomaticChoiceFollowsTheRendererOnly)
{
    struct {
        const char* renderer;
        bool software;
    } cases[] = {
        {"llvmpipe (LLVM 15.0.6, 256 bits)", true},
        {"softpipe", true},
        {"Mesa DRI Intel(R) Software Rasterizer", true},
        {"GDI Generic", true},
        {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
        {"NVIDIA GeForce GTX 1060/PCIe/SSE2", false},
    };
    for (const auto& c : cases) {
        SSettings s;
        s.guard = false;
        ASSERT_TRUE(ChooseForRenderer(s, c.renderer)) << c.renderer;
        EXPECT_TRUE(s.quality == PresetQuality(c.software ? PRESET_LOW : PRESET_HIGH)) << c.renderer;
        EXPECT_TRUE(s.guard);
        EXPECT_EQ(s.renderer, c.renderer);
        s.quality.glow = !s.quality.glow, s.guard = false;
        SSettings own = s;
        EXPECT_FALSE(ChooseForRenderer(s, c.renderer)) << c.renderer;
        EXPECT_TRUE(s == own) << c.renderer;
    }
}
