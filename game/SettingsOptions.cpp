#include "game/SettingsOptions.h"

#include <cstring>

int ReadSettingsOption(int argc, char** argv, int at, SSettingsOverrides& overrides, std::string& error)
{
    const char* option = argv[at];
    if (std::strcmp(option, "--fullscreen") == 0) {
        overrides.fullscreen = true;
        return 1;
    }
    bool preset = std::strcmp(option, "--preset") == 0;
    if (!preset && std::strcmp(option, "--window") != 0)
        return 0;
    if (at + 1 >= argc) {
        error = std::string(option) + " wants a value";
        return -1;
    }
    std::string value = argv[at + 1];
    if (preset) {
        if (!PresetFromName(value, overrides.presetValue) || overrides.presetValue == PRESET_CUSTOM) {
            error = "--preset wants low, medium or high, not \"" + value + "\"";
            return -1;
        }
        overrides.preset = true;
    } else {
        if (!ReadWindowSize(value, overrides.width, overrides.height)) {
            error = "--window wants a size such as 1024x768, not \"" + value + "\"";
            return -1;
        }
        overrides.window = true;
    }
    return 2;
}

void ApplyOverrides(const SSettingsOverrides& overrides, SSettings& settings)
{
    if (overrides.preset) {
        settings.quality = PresetQuality(overrides.presetValue);
        settings.guard = false;
    }
    if (overrides.window) {
        settings.windowWidth = overrides.width;
        settings.windowHeight = overrides.height;
    }
    if (overrides.fullscreen)
        settings.fullscreen = true;
}

std::string SettingsHelpText()
{
    return "Options (for this run, over the settings file):\n"
           "  --preset NAME        low, medium or high: the drawing switches of that\n"
           "                       preset; the frame-rate guard stays off\n"
           "  --window WxH         window size, such as 1280x720 (default 1024x768)\n"
           "  --fullscreen         full screen\n"
           "\n"
           "Settings: $XDG_CONFIG_HOME/ferrowind/settings (default\n"
           "~/.config/ferrowind/settings), one name=value a line: preset, bump_maps,\n"
           "shadows, glow, render_scale, texture_filter, minimap_period_ms, window,\n"
           "fullscreen, target_fps, frame_rate_guard, key_forward, key_back, key_left,\n"
           "key_right, key_fire, key_camera. A line that cannot be read is named on\n"
           "standard output and its setting keeps its default.\n";
}
