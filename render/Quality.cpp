#include "render/Quality.h"

#include <iterator>

namespace {

// High is the picture the reference frames hold. On a renderer that shades
// pixels on the processor, the order puts the switches that save the most for
// the least change to the picture first.
const SQuality STEPS[] = {
    {true, true, true, 100, FILTER_MIPMAPS, 250},    // High
    {true, true, true, 100, FILTER_MIPMAPS, 500},
    {true, false, true, 100, FILTER_MIPMAPS, 500},
    {true, false, true, 75, FILTER_MIPMAPS, 500},    // Medium
    {true, false, false, 75, FILTER_MIPMAPS, 500},
    {true, false, false, 75, FILTER_LINEAR, 500},
    {false, false, false, 75, FILTER_LINEAR, 500},
    {false, false, false, 50, FILTER_LINEAR, 500},
    {false, false, false, 50, FILTER_LINEAR, 1000},  // Low
};
const int STEP_COUNT = (int)std::size(STEPS);

const int PRESET_STEPS[] = {STEP_COUNT - 1, 3, 0};
const char* const PRESET_NAMES[] = {"low", "medium", "high", "custom"};
const char* const FILTER_NAMES[] = {"nearest", "linear", "mipmaps"};

std::string OnOff(const char* what, bool on)
{
    return std::string(what) + (on ? " on" : " off");
}

}  // namespace

bool SQuality::operator==(const SQuality& o) const
{
    return bumpMaps == o.bumpMaps && shadows == o.shadows && glow == o.glow && renderScale == o.renderScale &&
           filter == o.filter && minimapPeriodMs == o.minimapPeriodMs;
}

int QualityStepCount()
{
    return STEP_COUNT;
}

const SQuality& QualityStep(int step)
{
    return STEPS[step < 0 ? 0 : step >= STEP_COUNT ? STEP_COUNT - 1 : step];
}

int PresetStep(EPreset preset)
{
    return preset == PRESET_CUSTOM ? -1 : PRESET_STEPS[preset];
}

int StepOf(const SQuality& quality)
{
    for (int step = 0; step < STEP_COUNT; ++step)
        if (STEPS[step] == quality)
            return step;
    return -1;
}

// Custom names no switches of its own: it starts from the full picture.
SQuality PresetQuality(EPreset preset)
{
    return QualityStep(preset == PRESET_CUSTOM ? 0 : PresetStep(preset));
}

EPreset PresetOf(const SQuality& quality)
{
    for (EPreset preset : {PRESET_LOW, PRESET_MEDIUM, PRESET_HIGH})
        if (PresetQuality(preset) == quality)
            return preset;
    return PRESET_CUSTOM;
}

const char* PresetName(EPreset preset)
{
    return PRESET_NAMES[preset];
}

bool PresetFromName(const std::string& name, EPreset& preset)
{
    for (EPreset p : {PRESET_LOW, PRESET_MEDIUM, PRESET_HIGH, PRESET_CUSTOM})
        if (name == PRESET_NAMES[p]) {
            preset = p;
            return true;
        }
    return false;
}

const char* FilterName(ETextureFilter filter)
{
    return FILTER_NAMES[filter];
}

bool FilterFromName(const std::string& name, ETextureFilter& filter)
{
    for (ETextureFilter f : {FILTER_NEAREST, FILTER_LINEAR, FILTER_MIPMAPS})
        if (name == FILTER_NAMES[f]) {
            filter = f;
            return true;
        }
    return false;
}

bool IsSoftwareRasterizer(const std::string& renderer)
{
    for (const char* name : {"llvmpipe", "softpipe", "Software Rasterizer", "GDI Generic"})
        if (renderer.find(name) != std::string::npos)
            return true;
    return false;
}

std::string DescribeChange(const SQuality& from, const SQuality& to)
{
    std::string text;
    auto add = [&text](const std::string& part) { text += (text.empty() ? "" : ", ") + part; };
    if (from.bumpMaps != to.bumpMaps)
        add(OnOff("bump maps", to.bumpMaps));
    if (from.shadows != to.shadows)
        add(OnOff("shadows", to.shadows));
    if (from.glow != to.glow)
        add(OnOff("glow", to.glow));
    if (from.renderScale != to.renderScale)
        add("render scale " + std::to_string(to.renderScale) + " %");
    if (from.filter != to.filter)
        add(std::string("texture filtering ") + FilterName(to.filter));
    if (from.minimapPeriodMs != to.minimapPeriodMs)
        add("minimap every " + std::to_string(to.minimapPeriodMs) + " ms");
    return text;
}
