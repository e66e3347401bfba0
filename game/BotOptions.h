#ifndef FERROWIND_BOTOPTIONS_H
#define FERROWIND_BOTOPTIONS_H

#include <string>

#include "game/BotPlayers.h"

// Reads the computer-tank option at argv[at] ("--bots N", "--bot-level
// LEVEL", "--seed N" with its value, or "--host-bots"); returns how many words it took, 0 when
// argv[at] is none of them. A bad value is named in `error`.
int ReadBotOption(int argc, char** argv, int at, SBotSettings& settings, std::string& error);

// The options' lines for --help.
const char* BotOptionsHelp();

#endif
