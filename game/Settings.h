#ifndef FERROWIND_SETTINGS_H
#define FERROWIND_SETTINGS_H

#include <SDL/SDL.h>

#include <string>

#include "input/KeyLayout.h"
#include "render/Quality.h"

// What a player sets and the game keeps between runs.
struct SSettings {
    SSettings();

    SQuality quality;          // the switches; a preset is a set of them
    int windowWidth, windowHeight;
    bool fullscreen;
    int targetFps;             // what the frame-rate guard holds
    bool guard;                // the frame-rate guard on; a choice made by hand turns it off
    std::string renderer;      // GL_RENDERER the automatic choice was made for; empty: none yet
    SKeyBindings keys;

    bool operator==(const SSettings& o) const
    {
        return quality == o.quality && windowWidth == o.windowWidth && windowHeight == o.windowHeight &&
               fullscreen == o.fullscreen && targetFps == o.targetFps && guard == o.guard &&
               renderer == o.renderer && keys == o.keys;
    }
};

// Reads the settings file's text ("key=value" lines; blank lines and lines
// starting with # are skipped) over the defaults. A line that cannot be read
// or names no setting is reported in one line through the log and leaves
// that setting at its default; nothing in the text stops the game.
SSettings ReadSettings(const std::string& text, const std::string& fileName);
std::string WriteSettings(const SSettings& settings);

// The file: missing, it gives the defaults silently.
SSettings LoadSettings(const std::string& path);
// Creates the folder it lies in; says on the log when it cannot.
bool SaveSettings(const SSettings& settings, const std::string& path);

// The automatic choice, made again only when the renderer is not the one it
// was made for: a software rasterizer gets the Low preset, any other renderer
// High, each with the frame-rate guard on. Returns true when it chose.
bool ChooseForRenderer(SSettings& settings, const std::string& renderer);

// A "WxH" size such as "1024x768", 320 x 200 at the least.
bool ReadWindowSize(const std::string& text, int& width, int& height);

#endif
