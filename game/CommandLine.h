#ifndef FERROWIND_COMMANDLINE_H
#define FERROWIND_COMMANDLINE_H

#include <string>

#include "game/SettingsOptions.h"

// What the command line asks for. A first argument --help or --version asks
// for that; otherwise the settings options are read wherever they stand, and
// the first other argument names the log file of time warps.
struct SCommandLine {
    enum EAction { PLAY, HELP, VERSION, WRONG } action;
    const char* logPath;  // null: the default place
    SSettingsOverrides overrides;
    std::string error;    // what is wrong, when the action is WRONG
};

SCommandLine ReadCommandLine(int argc, char** argv);

// The usage, every key and the environment variables the program reads.
std::string HelpText();

#endif
