#ifndef FERROWIND_PLACES_H
#define FERROWIND_PLACES_H

#include <string>

// What the host says about where the game may find its data and keep its files.
struct SHostFacts {
    bool battlefieldHere;       // a list file of a battlefield in the working folder
    std::string installedData;  // the data folder installed beside the program; empty when there is none
    std::string workingFolder;
    std::string cacheHome, stateHome, home;  // XDG_CACHE_HOME, XDG_STATE_HOME, HOME; empty when unset
    std::string configHome;                  // XDG_CONFIG_HOME; empty when unset
};

// Where the game reads and writes. Empty folders mean the working folder.
struct SPlaces {
    std::string dataFolder;   // changed to before loading; the list files name paths within it
    std::string cacheFolder;  // model cache files, with a trailing slash
    std::string stateFolder;  // holds the default log; empty when the log was named
    std::string logPath;
    // The player's settings: the user's, wherever the battlefield is.
    std::string settingsPath;
};

// A battlefield in the working folder is played there, with the log and the
// cache beside it. Otherwise the installed battlefield is played and what the
// game writes goes to the user's cache and state folders, since the data
// folder is not the user's to write.
SPlaces ChoosePlaces(const SHostFacts& facts, const char* logArgument);

// Reads the facts from the file system and the environment.
SHostFacts LookAround();

// The login name from the environment ($USER, else $LOGNAME); empty when neither is set.
std::string LoginName();

// Creates the folders the game writes into and changes to the data folder.
// Names what failed on standard error and returns false.
bool SettleIn(const SPlaces& places);

#endif
