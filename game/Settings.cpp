#include "game/Settings.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <system_error>

#include "input/KeyLayout.h"
#include "input/KeyNames.h"
#include "model/Log.h"

namespace {

// One setting: its name in the file, how it reads a value (false: it cannot,
// with what it wanted in `wanted`) and how it writes its value.
struct SSettingKey {
    const char* name;
    const char* wanted;
    std::function<bool(const std::string&, SSettings&)> read;
    std::function<std::string(const SSettings&)> write;
};

bool ReadOnOff(const std::string& value, bool& flag)
{
    if (value != "on" && value != "off")
        return false;
    flag = value == "on";
    return true;
}

std::string OnOff(bool flag)
{
    return flag ? "on" : "off";
}

bool ReadInt(const std::string& value, int low, int high, int& number)
{
    char* end = 0;
    long n = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || n < low || n > high)
        return false;
    number = (int)n;
    return true;
}

bool ReadKey(const std::string& value, SDLKey& key)
{
    SDLKey read = KeyFromName(value);
    if (read == SDLK_UNKNOWN)
        return false;
    key = read;
    return true;
}

SSettingKey Switch(const char* name, bool SQuality::*flag)
{
    return {name, "on or off",
            [flag](const std::string& v, SSettings& s) { return ReadOnOff(v, s.quality.*flag); },
            [flag](const SSettings& s) { return OnOff(s.quality.*flag); }};
}

SSettingKey Key(const char* name, SDLKey SKeyBindings::*key)
{
    return {name, "a key name such as i, space or left shift",
            [key](const std::string& v, SSettings& s) { return ReadKey(v, s.keys.*key); },
            [key](const SSettings& s) { return KeyName(s.keys.*key); }};
}

// In the order they are written; a preset line sets every switch, so it comes first.
const std::vector<SSettingKey>& SettingKeys()
{
    static const std::vector<SSettingKey> keys = {
        {"preset", "low, medium, high or custom",
         [](const std::string& v, SSettings& s) {
             EPreset preset;
             if (!PresetFromName(v, preset))
                 return false;
             if (preset != PRESET_CUSTOM)
                 s.quality = PresetQuality(preset);
             return true;
         },
         [](const SSettings& s) { return std::string(PresetName(PresetOf(s.quality))); }},
        Switch("bump_maps", &SQuality::bumpMaps),
        Switch("shadows", &SQuality::shadows),
        Switch("glow", &SQuality::glow),
        {"render_scale", "a percentage from 50 to 100",
         [](const std::string& v, SSettings& s) {
             return ReadInt(v, kMinRenderScale, kMaxRenderScale, s.quality.renderScale);
         },
         [](const SSettings& s) { return std::to_string(s.quality.renderScale); }},
        {"texture_filter", "nearest, linear or mipmaps",
         [](const std::string& v, SSettings& s) { return FilterFromName(v, s.quality.filter); },
         [](const SSettings& s) { return std::string(FilterName(s.quality.filter)); }},
        {"minimap_period_ms", "milliseconds from 50 to 5000",
         [](const std::string& v, SSettings& s) { return ReadInt(v, 50, 5000, s.quality.minimapPeriodMs); },
         [](const SSettings& s) { return std::to_string(s.quality.minimapPeriodMs); }},
        {"window", "a size such as 1024x768",
         [](const std::string& v, SSettings& s) { return ReadWindowSize(v, s.windowWidth, s.windowHeight); },
         [](const SSettings& s) { return std::to_string(s.windowWidth) + "x" + std::to_string(s.windowHeight); }},
        {"fullscreen", "on or off", [](const std::string& v, SSettings& s) { return ReadOnOff(v, s.fullscreen); },
         [](const SSettings& s) { return OnOff(s.fullscreen); }},
        {"target_fps", "frames per second from 10 to 240",
         [](const std::string& v, SSettings& s) { return ReadInt(v, 10, 240, s.targetFps); },
         [](const SSettings& s) { return std::to_string(s.targetFps); }},
        {"frame_rate_guard", "on or off", [](const std::string& v, SSettings& s) { return ReadOnOff(v, s.guard); },
         [](const SSettings& s) { return OnOff(s.guard); }},
        {"renderer", "any text", [](const std::string& v, SSettings& s) { s.renderer = v; return true; },
         [](const SSettings& s) { return s.renderer; }},
        Key("key_forward", &SKeyBindings::forward),
        Key("key_back", &SKeyBindings::back),
        Key("key_left", &SKeyBindings::left),
        Key("key_right", &SKeyBindings::right),
        Key("key_fire", &SKeyBindings::fire),
        Key("key_camera", &SKeyBindings::camera),
    };
    return keys;
}

std::string Trimmed(const std::string& text)
{
    size_t begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos)
        return "";
    size_t end = text.find_last_not_of(" \t\r");
    return text.substr(begin, end - begin + 1);
}

}  // namespace

SSettings::SSettings()
    : quality(PresetQuality(PRESET_HIGH)), windowWidth(1024), windowHeight(768), fullscreen(false), targetFps(30),
      guard(true)
{
    keys = DefaultKeyBindings(NATIVE_FLAVOUR);
}

bool ChooseForRenderer(SSettings& settings, const std::string& renderer)
{
    if (renderer == settings.renderer)
        return false;
    settings.renderer = renderer;
    settings.quality = PresetQuality(IsSoftwareRasterizer(renderer) ? PRESET_LOW : PRESET_HIGH);
    settings.guard = true;
    return true;
}

bool ReadWindowSize(const std::string& text, int& width, int& height)
{
    size_t x = text.find('x');
    int w = 0, h = 0;
    if (x == std::string::npos || !ReadInt(text.substr(0, x), 320, 16384, w) ||
        !ReadInt(text.substr(x + 1), 200, 16384, h))
        return false;
    width = w, height = h;
    return true;
}

SSettings ReadSettings(const std::string& text, const std::string& fileName)
{
    SSettings settings;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        line = Trimmed(line);
        if (line.empty() || line[0] == '#')
            continue;
        size_t equals = line.find('=');
        std::string name = Trimmed(line.substr(0, equals));
        const SSettingKey* key = 0;
        for (const SSettingKey& k : SettingKeys())
            if (name == k.name)
                key = &k;
        if (!key || equals == std::string::npos) {
            LogOut("Settings file %s, line %d: \"%s\" is not a setting; ignored\n", fileName.c_str(), number,
                   line.c_str());
            continue;
        }
        std::string value = Trimmed(line.substr(equals + 1));
        // A value that cannot be read changes nothing: the setting keeps its
        // default (or what the preset line before it gave).
        if (!key->read(value, settings))
            LogOut("Settings file %s, line %d: %s wants %s, not \"%s\"; it stays %s\n", fileName.c_str(), number,
                   key->name, key->wanted, value.c_str(), key->write(settings).c_str());
    }
    return settings;
}

std::string WriteSettings(const SSettings& settings)
{
    std::string text = "# Ferrowind settings: one name=value a line; the options screen writes this file.\n";
    for (const SSettingKey& key : SettingKeys())
        text += std::string(key.name) + "=" + key.write(settings) + "\n";
    return text;
}

SSettings LoadSettings(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return SSettings();
    std::ostringstream text;
    text << file.rdbuf();
    return ReadSettings(text.str(), path);
}

bool SaveSettings(const SSettings& settings, const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path folder = fs::path(path).parent_path();
    if (!folder.empty())
        fs::create_directories(folder, error);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << WriteSettings(settings);
    file.close();
    if (!file) {
        LogOut("Cannot write the settings file %s\n", path.c_str());
        return false;
    }
    return true;
}
