#include "controls/Controls.h"

#include <algorithm>

const std::vector<SControl>& Controls()
{
    static const std::vector<SControl> rows = {
        {"I / K", "DRIVE FORWARD / BACK", KEYS_DRIVE},  {"J / L", "TURN LEFT / RIGHT", KEYS_TURN},
        {"SPACE", "FIRE / RESPAWN", KEYS_FIRE},         {"TAB", "SCOREBOARD (HOLD)", KEYS_FIXED},
        {"C", "CHASE / FREE CAMERA", KEYS_CAMERA},
        {"ARROWS", "FLY THE FREE CAMERA", KEYS_FIXED},  {"MOUSE", "TURN THE FREE CAMERA", KEYS_FIXED},
        {"F", "COUNT: FPS / FRAGS", KEYS_FIXED},        {"A D W S", "MOVE THE LIGHT", KEYS_LIGHT},
        {"M", "SHADOWS ON / OFF", KEYS_FIXED},          {"P", "MUSIC ON / OFF", KEYS_FIXED},
        {"Q / E", "ADD / REMOVE LAG", KEYS_FIXED},      {"Z", "TIMING PROBE", KEYS_FIXED},
        {"G", "PRINT STATE DIGEST", KEYS_FIXED},        {"N", "NETWORK FIGURES", KEYS_FIXED},
        {"R", "SELF-DESTRUCT", KEYS_FIXED},             {"B", "COMPUTER TANKS HOLD / PLAY", KEYS_FIXED},
        {"ESC", "BACK TO THE MENU", KEYS_FIXED}};
    return rows;
}

// Two columns below the buttons; rows close up as the list grows.
SControlPlace ControlsPanelPlace(std::size_t line)
{
    const std::size_t perColumn = (Controls().size() + 1) / 2;
    const float spacing = std::min(34.0f, 212.0f / static_cast<float>(perColumn));
    const bool right = line >= perColumn;
    return {right ? 540.0f : 60.0f, 532.0f + static_cast<float>(right ? line - perColumn : line) * spacing};
}
