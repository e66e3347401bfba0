#include "game/BotOptions.h"

#include <cstdlib>
#include <cstring>

namespace {

bool ReadNumber(const char* text, long long low, long long high, long long& value)
{
    char* end = 0;
    value = std::strtoll(text, &end, 10);
    return *text && end && !*end && value >= low && value <= high;
}

}  // namespace

int ReadBotOption(int argc, char** argv, int at, SBotSettings& settings, std::string& error)
{
    const char* name = argv[at];
    if (std::strcmp(name, "--host-bots") == 0) {
        settings.hosted = true;
        return 1;
    }
    if (std::strcmp(name, "--bots") != 0 && std::strcmp(name, "--bot-level") != 0 && std::strcmp(name, "--seed") != 0)
        return 0;
    if (at + 1 >= argc) {
        error = std::string(name) + " needs a value";
        return 1;
    }
    const char* value = argv[at + 1];
    long long number = 0;
    if (std::strcmp(name, "--bots") == 0) {
        if (!ReadNumber(value, SBotSettings::MIN_COUNT, SBotSettings::MAX_COUNT, number))
            error = "--bots takes a number from 1 to 8";
        settings.count = (int)number;
        settings.fromStart = true;
    } else if (std::strcmp(name, "--bot-level") == 0) {
        if (!ParseBotLevel(value, settings.level))
            error = "--bot-level takes easy, normal or hard";
    } else {
        if (!ReadNumber(value, 0, 4294967295LL, number))
            error = "--seed takes a whole number from 0 to 4294967295";
        settings.seed = (unsigned int)number;
        settings.seeded = true;
    }
    return 2;
}

const char* BotOptionsHelp()
{
    return "  --bots N        practice against N computer tanks (1 to 8; the menu's\n"
           "                  Practice starts 3, or N when given)\n"
           "  --bot-level L   how well they play: easy, normal (default) or hard\n"
           "  --host-bots     show the computer tanks to the peers of a LAN game (copies\n"
           "                  that know them; they leave when this copy does)\n"
           "  --seed N        seed of their choices and of the game's dice, to play a\n"
           "                  match again (default: from the clock, printed at the start)\n";
}
