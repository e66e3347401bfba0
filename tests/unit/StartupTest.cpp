#include <gtest/gtest.h>

#include "game/CommandLine.h"
#include "game/Places.h"

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
    places = ChoosePlaces(facts, 0);
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
