#include "game/OptionsPage.h"

#include "input/KeyNames.h"
#include "input/ZoSDL.h"
#include "model/Numbers.h"
#include "render/TextLayout.h"

namespace {

const float ROW_LEFT = 0.22f, ROW_RIGHT = 0.78f;
const float FIRST_ROW = 0.80f, ROW_STEP = 0.04f, ROW_HEIGHT = 0.028f;
const float TITLE_BOTTOM = 0.87f, TITLE_HEIGHT = 0.045f;
const float OPENER_LEFT = 0.02f, OPENER_BOTTOM = 0.95f, OPENER_HEIGHT = 0.03f;
const char OPENER[] = "O - OPTIONS";

std::string OnOff(bool on)
{
    return on ? "ON" : "OFF";
}

// The next of `values` after `current` in `direction`, round the end.
int Next(const std::vector<int>& values, int current, int direction)
{
    int at = 0;
    for (int i = 0; i < (int)values.size(); ++i)
        if (values[i] <= current)
            at = i;
    return values[(at + direction + (int)values.size()) % (int)values.size()];
}

struct SRow {
    const char* label;
    std::function<std::string(const SSettings&)> text;
    // Changes the setting one step; true when it is a drawing switch.
    std::function<bool(SSettings&, int)> change;
    SDLKey SKeyBindings::*key;  // a key row: waits for a key instead
};

SRow Switch(const char* label, bool SQuality::*flag)
{
    return {label, [flag](const SSettings& s) { return OnOff(s.quality.*flag); },
            [flag](SSettings& s, int) { return s.quality.*flag = !(s.quality.*flag), true; }, nullptr};
}

SRow KeyRow(const char* label, SDLKey SKeyBindings::*key)
{
    return {label, [key](const SSettings& s) { return KeyName(s.keys.*key); }, nullptr, key};
}

const std::vector<SRow>& Rows()
{
    static const std::vector<SRow> rows = {
        {"PRESET", [](const SSettings& s) { return std::string(PresetName(PresetOf(s.quality))); },
         [](SSettings& s, int d) {
             EPreset p = PresetOf(s.quality);
             int at = p == PRESET_CUSTOM ? PRESET_HIGH : p;
             s.quality = PresetQuality((EPreset)((at + d + 3) % 3));
             return true;
         },
         nullptr},
        Switch("BUMP MAPS", &SQuality::bumpMaps),
        Switch("SHADOWS", &SQuality::shadows),
        Switch("GLOW", &SQuality::glow),
        {"RENDER SCALE", [](const SSettings& s) { return std::to_string(s.quality.renderScale) + " %"; },
         [](SSettings& s, int d) {
             s.quality.renderScale = Next({50, 60, 70, 75, 80, 90, 100}, s.quality.renderScale, d);
             return true;
         },
         nullptr},
        {"TEXTURE FILTER", [](const SSettings& s) { return std::string(FilterName(s.quality.filter)); },
         [](SSettings& s, int d) {
             s.quality.filter = (ETextureFilter)((s.quality.filter + d + 3) % 3);
             return true;
         },
         nullptr},
        {"MINIMAP EVERY", [](const SSettings& s) { return std::to_string(s.quality.minimapPeriodMs) + " MS"; },
         [](SSettings& s, int d) {
             s.quality.minimapPeriodMs = Next({250, 500, 1000}, s.quality.minimapPeriodMs, d);
             return true;
         },
         nullptr},
        {"WINDOW", [](const SSettings& s) {
             return std::to_string(s.windowWidth) + "X" + std::to_string(s.windowHeight);
         },
         [](SSettings& s, int d) {
             std::vector<std::pair<int, int> > sizes = CZoSDL::WindowSizes();
             int at = 0;
             for (int i = 0; i < (int)sizes.size(); ++i)
                 if (sizes[i] <= std::make_pair(s.windowWidth, s.windowHeight))
                     at = i;
             at = (at + d + (int)sizes.size()) % (int)sizes.size();
             s.windowWidth = sizes[at].first, s.windowHeight = sizes[at].second;
             return false;
         },
         nullptr},
        {"FULL SCREEN", [](const SSettings& s) { return OnOff(s.fullscreen); },
         [](SSettings& s, int) { return s.fullscreen = !s.fullscreen, false; }, nullptr},
        {"TARGET FRAME RATE", [](const SSettings& s) { return std::to_string(s.targetFps) + " FPS"; },
         [](SSettings& s, int d) { return s.targetFps = Next({20, 25, 30, 40, 50, 60}, s.targetFps, d), false; },
         nullptr},
        {"FRAME-RATE GUARD", [](const SSettings& s) { return OnOff(s.guard); },
         [](SSettings& s, int) { return s.guard = !s.guard, false; }, nullptr},
        KeyRow("KEY FORWARD", &SKeyBindings::forward),
        KeyRow("KEY BACK", &SKeyBindings::back),
        KeyRow("KEY TURN LEFT", &SKeyBindings::left),
        KeyRow("KEY TURN RIGHT", &SKeyBindings::right),
        KeyRow("KEY FIRE", &SKeyBindings::fire),
        KeyRow("KEY CAMERA", &SKeyBindings::camera),
        {"BACK", [](const SSettings&) { return std::string(); }, nullptr, nullptr},
    };
    return rows;
}

float RowBottom(int row)
{
    return FIRST_ROW - row * ROW_STEP;
}

// Window pixel (x, y from the top) as a fraction of the window from the bottom left.
void Fraction(int x, int y, float& fx, float& fy)
{
    fx = (float)x / SCREEN_WIDTH;
    fy = 1 - (float)y / SCREEN_HEIGHT;
}

}  // namespace

COptionsPage::COptionsPage(std::function<SSettings()> current, std::function<void(const SSettings&)> closed)
    : m_current(std::move(current)), m_closed(std::move(closed))
{
}

void COptionsPage::Open()
{
    if (m_current)
        m_settings = m_current();
    m_open = true;
    m_selected = 0;
    m_waitingForKey = false;
}

bool COptionsPage::OpensAt(int x, int y) const
{
    float fx, fy;
    Fraction(x, y, fx, fy);
    return fx >= OPENER_LEFT && fx <= OPENER_LEFT + TextWidth(OPENER, OPENER_HEIGHT) && fy >= OPENER_BOTTOM &&
           fy <= OPENER_BOTTOM + OPENER_HEIGHT;
}

int COptionsPage::RowCount() const
{
    return (int)Rows().size();
}

std::string COptionsPage::RowText(int row) const
{
    const SRow& r = Rows()[row];
    std::string value = m_waitingForKey && row == m_selected ? "PRESS A KEY" : r.text(m_settings);
    std::string label = r.label;
    label.resize(20, ' ');
    return (row == m_selected ? "> " : "  ") + label + value;
}

void COptionsPage::Change(int row, int direction)
{
    const SRow& r = Rows()[row];
    if (r.key) {
        m_waitingForKey = true;
    } else if (!r.change) {
        Close();
    } else if (r.change(m_settings, direction)) {
        m_settings.guard = false;
    }
}

void COptionsPage::Close()
{
    m_open = false;
    m_waitingForKey = false;
    if (m_closed)
        m_closed(m_settings);
}

void COptionsPage::Key(SDLKey key)
{
    if (m_waitingForKey) {
        m_waitingForKey = false;
        if (key != SDLK_ESCAPE && !KeyName(key).empty())
            m_settings.keys.*(Rows()[m_selected].key) = key;
        return;
    }
    switch (key) {
    case SDLK_UP:
        m_selected = (m_selected + RowCount() - 1) % RowCount();
        break;
    case SDLK_DOWN:
        m_selected = (m_selected + 1) % RowCount();
        break;
    case SDLK_LEFT:
        Change(m_selected, -1);
        break;
    case SDLK_RIGHT:
    case SDLK_RETURN:
    case SDLK_SPACE:
        Change(m_selected, 1);
        break;
    case SDLK_ESCAPE:
        Close();
        break;
    default:
        break;
    }
}

void COptionsPage::Click(int x, int y)
{
    float fx, fy;
    Fraction(x, y, fx, fy);
    if (fx < ROW_LEFT || fx > ROW_RIGHT)
        return;
    for (int row = 0; row < RowCount(); ++row)
        if (fy >= RowBottom(row) && fy <= RowBottom(row) + ROW_STEP) {
            m_selected = row;
            m_waitingForKey = false;
            Change(row, 1);
            return;
        }
}

std::vector<SImageRect> COptionsPage::Images() const
{
    std::vector<SImageRect> images = TextImages("OPTIONS", 0.5f - TextWidth("OPTIONS", TITLE_HEIGHT) / 2,
                                                TITLE_BOTTOM, TITLE_HEIGHT);
    for (int row = 0; row < RowCount(); ++row) {
        std::vector<SImageRect> line = TextImages(RowText(row), ROW_LEFT, RowBottom(row), ROW_HEIGHT);
        images.insert(images.end(), line.begin(), line.end());
    }
    return images;
}

std::vector<SImageRect> COptionsPage::OpenerImages()
{
    return TextImages(OPENER, OPENER_LEFT, OPENER_BOTTOM, OPENER_HEIGHT);
}
