#include "controls/Controls.h"

const std::vector<SControl>& Controls()
{
    static const std::vector<SControl> rows = {
        {"I / K", "DRIVE FORWARD / BACK"},  {"J / L", "TURN LEFT / RIGHT"},
        {"SPACE", "FIRE / RESPAWN"},        {"TAB", "SCOREBOARD (HOLD)"},
        {"C", "CHASE / FREE CAMERA"},
        {"ARROWS", "FLY THE FREE CAMERA"},  {"MOUSE", "TURN THE FREE CAMERA"},
        {"F", "COUNT: FPS / FRAGS"},        {"A D W S", "MOVE THE LIGHT"},
        {"M", "SHADOWS ON / OFF"},          {"P", "MUSIC ON / OFF"},
        {"Q / E", "ADD / REMOVE LAG"},      {"Z", "TIMING PROBE"},
        {"G", "PRINT STATE DIGEST"},        {"N", "NETWORK FIGURES"},
        {"R", "SELF-DESTRUCT"},             {"B", "COMPUTER TANKS HOLD / PLAY"},
        {"ESC", "BACK TO THE MENU"}};
    return rows;
}
