#include "game/Places.h"
#include "model/Log.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const char* const LIST_FILES[] = {"textures.lof", "shaders.lof", "models.lof", "objects.lof", "sounds.lof"};

// An XDG base folder: the variable when it holds an absolute path, else its
// default under the home folder, else the working folder.
std::string BaseFolder(const std::string& variable, const std::string& home, const char* underHome,
                       const std::string& working)
{
    if (!variable.empty() && variable[0] == '/')
        return variable;
    if (!home.empty())
        return home + "/" + underHome;
    return working;
}

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool HasBattlefield(const fs::path& folder)
{
    std::error_code error;
    for (const char* name : LIST_FILES)
        if (fs::exists(folder / name, error))
            return true;
    return false;
}

}  // namespace

std::string LoginName()
{
    std::string name = Environment("USER");
    return name.empty() ? Environment("LOGNAME") : name;
}

SPlaces ChoosePlaces(const SHostFacts& facts, const char* logArgument)
{
    SPlaces places;
    places.settingsPath =
        BaseFolder(facts.configHome, facts.home, ".config", facts.workingFolder) + "/ferrowind/settings";
    if (facts.battlefieldHere || facts.installedData.empty()) {
        places.logPath = logArgument ? logArgument : "output.txt";
        return places;
    }
    places.dataFolder = facts.installedData;
    places.cacheFolder = BaseFolder(facts.cacheHome, facts.home, ".cache", facts.workingFolder) + "/ferrowind/";
    if (!logArgument) {
        places.stateFolder = BaseFolder(facts.stateHome, facts.home, ".local/state", facts.workingFolder) +
                             "/ferrowind/";
        places.logPath = places.stateFolder + "output.txt";
    } else if (logArgument[0] == '/')
        places.logPath = logArgument;
    else  // named from where the player stands, not from the data folder
        places.logPath = facts.workingFolder + "/" + logArgument;
    return places;
}

SHostFacts LookAround()
{
    SHostFacts facts;
    std::error_code error;
    facts.workingFolder = fs::current_path(error).string();
    facts.battlefieldHere = HasBattlefield(".");
    fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        fs::path data = program.parent_path() / FERROWIND_DATA_FROM_PROGRAM;
        if (HasBattlefield(data))
            facts.installedData = data.lexically_normal().string();
    }
    facts.cacheHome = Environment("XDG_CACHE_HOME");
    facts.stateHome = Environment("XDG_STATE_HOME");
    facts.home = Environment("HOME");
    facts.configHome = Environment("XDG_CONFIG_HOME");
    return facts;
}

bool SettleIn(const SPlaces& places)
{
    std::error_code error;
    for (const std::string& folder : {places.cacheFolder, places.stateFolder}) {
        if (folder.empty() || fs::is_directory(folder, error))
            continue;
        fs::create_directories(folder, error);
        if (error)
            LogErr("Cannot create the folder %s: %s\n", folder.c_str(),
                         error.message().c_str());
    }
    if (places.dataFolder.empty())
        return true;
    fs::current_path(places.dataFolder, error);
    if (error) {
        LogErr("Cannot change to the data folder %s: %s\n", places.dataFolder.c_str(),
                     error.message().c_str());
        return false;
    }
    return true;
}
