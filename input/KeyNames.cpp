#include "input/KeyNames.h"

namespace {

struct SNamedKey {
    SDLKey key;
    const char* name;
};

// Letters and digits are named by themselves.
const SNamedKey NAMED[] = {
    {SDLK_SPACE, "space"},       {SDLK_RETURN, "return"},     {SDLK_TAB, "tab"},
    {SDLK_BACKSPACE, "backspace"}, {SDLK_UP, "up"},           {SDLK_DOWN, "down"},
    {SDLK_LEFT, "left"},         {SDLK_RIGHT, "right"},       {SDLK_LSHIFT, "left shift"},
    {SDLK_RSHIFT, "right shift"}, {SDLK_LCTRL, "left ctrl"},  {SDLK_RCTRL, "right ctrl"},
    {SDLK_LALT, "left alt"},     {SDLK_RALT, "right alt"},    {SDLK_INSERT, "insert"},
    {SDLK_DELETE, "delete"},     {SDLK_HOME, "home"},         {SDLK_END, "end"},
    {SDLK_PAGEUP, "page up"},    {SDLK_PAGEDOWN, "page down"}, {SDLK_COMMA, ","},
    {SDLK_PERIOD, "."},          {SDLK_SLASH, "/"},           {SDLK_SEMICOLON, ";"},
    {SDLK_MINUS, "-"},           {SDLK_EQUALS, "="},          {SDLK_LEFTBRACKET, "["},
    {SDLK_RIGHTBRACKET, "]"},
};

bool Plain(SDLKey key)
{
    return (key >= SDLK_a && key <= SDLK_z) || (key >= SDLK_0 && key <= SDLK_9);
}

}  // namespace

SDLKey KeyFromName(const std::string& name)
{
    if (name.size() == 1 && Plain((SDLKey)(unsigned char)name[0]))
        return (SDLKey)(unsigned char)name[0];
    for (const SNamedKey& k : NAMED)
        if (name == k.name)
            return k.key;
    return SDLK_UNKNOWN;
}

std::string KeyName(SDLKey key)
{
    if (Plain(key))
        return std::string(1, (char)key);
    for (const SNamedKey& k : NAMED)
        if (key == k.key)
            return k.name;
    return "";
}
