#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>

#include "game/CommandLine.h"
#include "game/KeyGuide.h"
#include "game/Settings.h"
#include "model/Log.h"
#include "game/Ferrowind.h"
#include "game/Places.h"
#include "net/PlayerNames.h"
#include "net/ZoSockets.h"
#include "render_gl/ZoGl.h"

namespace {

// The settings file, the automatic choice for this renderer (written back
// when it was made), and the command line over both for this run.
void UsePlayersSettings(CFerrowind& game, const std::string& path, const SSettingsOverrides& overrides)
{
    SSettings settings = LoadSettings(path);
    std::string renderer = game.m_gl->RendererName();
    if (ChooseForRenderer(settings, renderer)) {
        LogOut("Renderer %s: the %s preset, the frame-rate guard on\n", renderer.c_str(),
               PresetName(PresetOf(settings.quality)));
        SaveSettings(settings, path);
    }
    ApplyOverrides(overrides, settings);
    game.m_settingsPath = path;
    game.UseSettings(settings);
}

}  // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
    // Output reaches a pipe or file at once, as it reaches a console.
    std::setvbuf(stdout, 0, _IONBF, 0);
    // The Windows build greets first, takes no arguments and always logs to
    // "output.txt" in the folder it runs in, beside its battlefield.
    LogOut("Hellow World\n");
    (void)argc;
    (void)argv;
    SPlaces places;
    places.logPath = "output.txt";
    places.settingsPath = "settings";
    SSettingsOverrides overrides;
#else
    SCommandLine line = ReadCommandLine(argc, argv);
    if (line.action == SCommandLine::HELP) {
        // The keys as the player bound them in the settings file.
        SSettings settings = LoadSettings(ChoosePlaces(LookAround(), line.logPath).settingsPath);
        LogOut("%s", HelpText(KeyGuide(settings.keys, KeyLayoutFor(NATIVE_FLAVOUR))).c_str());
        return 0;
    }
    if (line.action == SCommandLine::VERSION) {
        LogOut("ferrowind %s\n", FERROWIND_VERSION);
        return 0;
    }
    if (line.action == SCommandLine::MISTAKE) {
        LogErr("ferrowind: %s (see ferrowind --help)\n", line.error.c_str());
        return 2;
    }
    const SSettingsOverrides& overrides = line.overrides;
    SPlaces places = ChoosePlaces(LookAround(), line.logPath);
    if (!SettleIn(places))
        return 1;
#endif
    setip(0);
    ZOSocketInit();
    CFerrowind* game = new CFerrowind((char*)"", (char*)places.logPath.c_str());
    game->m_gl->SetCacheFolder(places.cacheFolder);
#ifndef _WIN32
    game->SeedBots(line.bots);
    game->m_playerName = CleanPlayerName(line.name ? line.name : LoginName());
#else
    game->SeedBots(SBotSettings());
    const char* user = std::getenv("USERNAME");
    game->m_playerName = CleanPlayerName(user ? user : "");
#endif
    UsePlayersSettings(*game, places.settingsPath, overrides);

    // A battlefield that cannot be loaded is not played: the game would run on garbage.
    bool loaded = game->LoadTextures((char*)"textures.lof") && game->LoadShaders((char*)"shaders.lof") &&
                  game->LoadModels((char*)"models.lof") && game->LoadObjects((char*)"objects.lof") &&
                  game->CheckBattlefield("objects.lof");
    if (!loaded) {
        game->Close();
        SDL_Quit();
        return 1;
    }
    game->LoadSounds((char*)"sounds.lof");
    game->Run();
    game->Close();
    SDL_WM_GrabInput(SDL_GRAB_OFF);
    return 0;
}
