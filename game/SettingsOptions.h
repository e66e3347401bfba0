#ifndef FERROWIND_SETTINGSOPTIONS_H
#define FERROWIND_SETTINGSOPTIONS_H

#include <string>

#include "game/Settings.h"

// What the command line sets over the settings file, for this run.
struct SSettingsOverrides {
    bool preset = false;
    EPreset presetValue = PRESET_HIGH;
    bool window = false;
    int width = 0, height = 0;
    bool fullscreen = false;
};

// Reads the settings option at argv[at] (--preset NAME, --window WxH,
// --fullscreen): returns how many arguments it took, 0 when argv[at] is none
// of them, or -1 with `error` saying what is wrong.
int ReadSettingsOption(int argc, char** argv, int at, SSettingsOverrides& overrides, std::string& error);

// A preset named on the command line is the player's own choice: the
// frame-rate guard leaves it alone.
void ApplyOverrides(const SSettingsOverrides& overrides, SSettings& settings);

// The options and the settings file, for --help.
std::string SettingsHelpText();

#endif
