#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/CommandLine.h"
#include "game/Places.h"

#include <vector>

namespace {

SHostFacts Installed()
{
    SHostFacts facts;
    facts.battlefieldHere = false;
    facts.installedData = "/usr/share/games/ferrowind";
    facts.workingFolder = "/home/ann/maps";
    facts.home = "/home/ann";
    return facts;
}

}  // namespace

TEST(CommandLine, OnlyHelpAndVersionAreOptionsAnythingElseIsTheLog)
{
    char program[] = "ferrowind", help[] = "--help", version[] = "--version", log[] = "-v", extra[] = "x";
    char* none[] = {program};
    char* asksHelp[] = {program, help, extra};
    char* asksVersion[] = {program, version};
    char* names[] = {program, log, help};
    EXPECT_EQ(ReadCommandLine(1, none).action, SCommandLine::PLAY);
    EXPECT_EQ(ReadCommandLine(1, none).logPath, nullptr);
    EXPECT_EQ(ReadCommandLine(3, asksHelp).action, SCommandLine::HELP);
    EXPECT_EQ(ReadCommandLine(2, asksVersion).action, SCommandLine::VERSION);
    SCommandLine named = ReadCommandLine(3, names);
    EXPECT_EQ(named.action, SCommandLine::PLAY);
    EXPECT_STREQ(named.logPath, "-v");
}

// The options go anywhere on the line; a bad value is a mistake, never a
// silently different game.
TEST(CommandLine, ComputerTankOptionsAndTheirMistakes)
{
    struct {
        std::vector<std::string> words;
        bool mistake;
        int bots;
        EBotLevel level;
        bool fromStart, hosted;
        const char* log;
    } cases[] = {
        {{}, false, 3, BOT_NORMAL, false, false, nullptr},
        {{"--bots", "8", "game.log", "--bot-level", "hard"}, false, 8, BOT_HARD, true, false, "game.log"},
        {{"game.log", "--host-bots", "--bots", "1"}, false, 1, BOT_NORMAL, true, true, "game.log"},
        {{"--bots", "0"}, true, 0, BOT_NORMAL, true, false, nullptr},
        {{"--bots", "9"}, true, 9, BOT_NORMAL, true, false, nullptr},
        {{"--bots", "3x"}, true, 3, BOT_NORMAL, true, false, nullptr},
        {{"--bots"}, true, 3, BOT_NORMAL, false, false, nullptr},
        {{"--bot-level", "insane"}, true, 3, BOT_NORMAL, false, false, nullptr},
        {{"--seed", "-1"}, true, 3, BOT_NORMAL, false, false, nullptr},
        {{"--name"}, true, 3, BOT_NORMAL, false, false, nullptr},
    };
    for (const auto& c : cases) {
        std::vector<std::string> words = c.words;
        words.insert(words.begin(), "ferrowind");
        std::vector<char*> argv;
        for (std::string& w : words)
            argv.push_back(&w[0]);
        SCommandLine line = ReadCommandLine((int)argv.size(), argv.data());
        std::string said = words.size() > 1 ? words[1] : "(nothing)";
        EXPECT_EQ(line.action == SCommandLine::MISTAKE, c.mistake) << said << ": " << line.error;
        if (c.mistake)
            continue;
        EXPECT_EQ(line.bots.count, c.bots) << said;
        EXPECT_EQ(line.bots.level, c.level) << said;
        EXPECT_EQ(line.bots.fromStart, c.fromStart) << said;
        EXPECT_EQ(line.bots.hosted, c.hosted) << said;
        EXPECT_STREQ(line.logPath, c.log) << said;
    }
    char program[] = "ferrowind", seed[] = "--seed", value[] = "4000000000", name[] = "--name", who[] = "Ann";
    char* seeded[] = {program, seed, value, name, who};
    SCommandLine line = ReadCommandLine(5, seeded);
    EXPECT_TRUE(line.bots.seeded);
    EXPECT_EQ(line.bots.seed, 4000000000u);
    EXPECT_STREQ(line.name, "Ann");
}

TEST(CommandLine, SettingsOptionsStandAnywhereAroundTheLog)
{
    struct {
        std::vector<const char*> args;
        SCommandLine::EAction action;
        const char* log;
        const char* preset;  // null: none named
        int width;           // 0: none named
        bool fullscreen;
    } cases[] = {
        {{"--preset", "low"}, SCommandLine::PLAY, nullptr, "low", 0, false},
        {{"w.txt", "--window", "1280x720", "--fullscreen"}, SCommandLine::PLAY, "w.txt", nullptr, 1280, true},
        {{"--fullscreen", "w.txt", "--preset", "medium", "x"}, SCommandLine::PLAY, "w.txt", "medium", 0, true},
        {{"--preset", "custom"}, SCommandLine::MISTAKE, nullptr, nullptr, 0, false},
        {{"--preset"}, SCommandLine::MISTAKE, nullptr, nullptr, 0, false},
        {{"--window", "1024"}, SCommandLine::MISTAKE, nullptr, nullptr, 0, false},
    };
    for (const auto& c : cases) {
        std::vector<char*> argv = {(char*)"ferrowind"};
        for (const char* a : c.args)
            argv.push_back((char*)a);
        SCommandLine line = ReadCommandLine((int)argv.size(), argv.data());
        std::string what = c.args[0];
        EXPECT_EQ(line.action, c.action) << what;
        EXPECT_EQ(line.error.empty(), c.action != SCommandLine::MISTAKE) << what;
        if (c.action == SCommandLine::MISTAKE)
            continue;
        EXPECT_EQ(line.logPath ? std::string(line.logPath) : "", c.log ? c.log : "") << what;
        EXPECT_EQ(line.overrides.preset, c.preset != nullptr) << what;
        if (c.preset) {
            EXPECT_STREQ(PresetName(line.overrides.presetValue), c.preset);
        }
        EXPECT_EQ(line.overrides.width, c.width) << what;
        EXPECT_EQ(line.overrides.fullscreen, c.fullscreen) << what;
    }
    // A preset from the command line is the player's choice: no guard.
    SCommandLine line = ReadCommandLine(3, std::vector<char*>{(char*)"f", (char*)"--preset", (char*)"low"}.data());
    SSettings settings;
    ApplyOverrides(line.overrides, settings);
    EXPECT_TRUE(settings.quality == PresetQuality(PRESET_LOW));
    EXPECT_FALSE(settings.guard);
    EXPECT_NE(HelpText({}).find("~/.config/ferrowind/settings"), std::string::npos);
}

TEST(Places, ABattlefieldInTheWorkingFolderIsPlayedThereAsBefore)
{
    SHostFacts facts = Installed();
    facts.battlefieldHere = true;
    for (bool installed : {true, false}) {
        if (!installed) {
            facts.battlefieldHere = false;
            facts.installedData.clear();
        }
        SPlaces places = ChoosePlaces(facts, 0);
        EXPECT_EQ(places.dataFolder, "");
        EXPECT_EQ(places.cacheFolder, "");
        EXPECT_EQ(places.stateFolder, "");
        EXPECT_EQ(places.logPath, "output.txt");
        EXPECT_EQ(places.settingsPath, "/home/ann/.config/ferrowind/settings");
        EXPECT_EQ(ChoosePlaces(facts, "runs/a.txt").logPath, "runs/a.txt");
    }
}

TEST(Places, TheInstalledGameWritesIntoTheUsersFolders)
{
    SHostFacts facts = Installed();
    SPlaces places = ChoosePlaces(facts, 0);
    EXPECT_EQ(places.dataFolder, "/usr/share/games/ferrowind");
    EXPECT_EQ(places.cacheFolder, "/home/ann/.cache/ferrowind/");
    EXPECT_EQ(places.stateFolder, "/home/ann/.local/state/ferrowind/");
    EXPECT_EQ(places.logPath, "/home/ann/.local/state/ferrowind/output.txt");

    facts.cacheHome = "/var/cache/ann";
    facts.stateHome = "relative/is/ignored";
    facts.configHome = "/etc/ann";
    places = ChoosePlaces(facts, 0);
    EXPECT_EQ(places.settingsPath, "/etc/ann/ferrowind/settings");
    EXPECT_EQ(places.cacheFolder, "/var/cache/ann/ferrowind/");
    EXPECT_EQ(places.logPath, "/home/ann/.local/state/ferrowind/output.txt");

    // Without a home the files stay where the player started the game.
    facts.cacheHome.clear();
    facts.home.clear();
    EXPECT_EQ(ChoosePlaces(facts, 0).cacheFolder, "/home/ann/maps/ferrowind/");
}

TEST(Places, ANamedLogIsFoundFromWhereThePlayerStartedTheGame)
{
    SPlaces relative = ChoosePlaces(Installed(), "logs/warps.txt");
    EXPECT_EQ(relative.logPath, "/home/ann/maps/logs/warps.txt");
    EXPECT_EQ(relative.stateFolder, "") << "a named log's folder is not made";
    EXPECT_EQ(ChoosePlaces(Installed(), "/tmp/w.txt").logPath, "/tmp/w.txt");
}
