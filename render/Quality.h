#ifndef FERROWIND_QUALITY_H
#define FERROWIND_QUALITY_H

#include <string>

// How textures are filtered: from the mipmap level of the pixel's size,
// linearly from the full-size image, or the nearest texel of it.
enum ETextureFilter { FILTER_NEAREST, FILTER_LINEAR, FILTER_MIPMAPS };

// The drawing switches that cost a renderer its time, one by one.
struct SQuality {
    bool bumpMaps;
    bool shadows;
    bool glow;
    int renderScale;  // the scene drawn at this percentage of the window (50 to 100)
    ETextureFilter filter;
    int minimapPeriodMs;  // game time between two minimap pictures

    bool operator==(const SQuality& other) const;
    bool operator!=(const SQuality& other) const { return !(*this == other); }
};

enum EPreset { PRESET_LOW, PRESET_MEDIUM, PRESET_HIGH, PRESET_CUSTOM };

const int kMinRenderScale = 50;
const int kMaxRenderScale = 100;

// The quality steps from the full picture down, each one switch away from
// the one before, which the frame-rate guard walks one at a time. The
// presets are three of them: High is the first, Low the last.
int QualityStepCount();
const SQuality& QualityStep(int step);
// The step a preset is; the step of a quality, or -1 when it is none.
int PresetStep(EPreset preset);
int StepOf(const SQuality& quality);

SQuality PresetQuality(EPreset preset);
// The preset whose switches these are, else PRESET_CUSTOM.
EPreset PresetOf(const SQuality& quality);
const char* PresetName(EPreset preset);  // "low", "medium", "high", "custom"
bool PresetFromName(const std::string& name, EPreset& preset);
const char* FilterName(ETextureFilter filter);
bool FilterFromName(const std::string& name, ETextureFilter& filter);

// Mesa's rasterizers on the processor and Windows' own OpenGL without a
// driver, by their GL_RENDERER names.
bool IsSoftwareRasterizer(const std::string& renderer);

// What differs from `from` in `to`, in words ("shadows off, render scale 75 %").
std::string DescribeChange(const SQuality& from, const SQuality& to);

#endif
