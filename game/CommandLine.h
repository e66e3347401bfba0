#ifndef FERROWIND_COMMANDLINE_H
#define FERROWIND_COMMANDLINE_H

#include <string>

#include <vector>

#include "game/BotPlayers.h"
#include "game/KeyGuide.h"
#include "game/SettingsOptions.h"

// What the command line asks for: --help or --version as the first word, or
// play, with the options anywhere; the first other word names the log file
// of time warps. An option with a bad value is a mistake.
struct SCommandLine {
    enum EAction { PLAY, HELP, VERSION, MISTAKE } action;
    const char* logPath;  // null: the default place
    SBotSettings bots;
    const char* name;  // --name; null: the login name
    SSettingsOverrides overrides;
    std::string error;  // what is wrong with the line, for MISTAKE
};

SCommandLine ReadCommandLine(int argc, char** argv);

// The usage, every key of `guide` and the environment variables the program reads.
std::string HelpText(const std::vector<SGuideLine>& guide);

#endif
