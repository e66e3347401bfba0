#ifndef FERROWIND_COMMANDLINE_H
#define FERROWIND_COMMANDLINE_H

#include <string>

// What the command line asks for. Any first argument other than --help and
// --version names the log file of time warps.
struct SCommandLine {
    enum EAction { PLAY, HELP, VERSION } action;
    const char* logPath;  // null: the default place
};

SCommandLine ReadCommandLine(int argc, char** argv);

// The usage, every key and the environment variables the program reads.
std::string HelpText();

#endif
