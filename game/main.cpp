#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>

#include "game/Ferrowind.h"
#include "net/ZoSockets.h"

int main(int argc, char** argv)
{
#ifdef _WIN32
    // Output reaches a pipe or file at once, as it reaches a console.
    std::setvbuf(stdout, 0, _IONBF, 0);
    // The Windows build greets first, takes no arguments and always logs to "output.txt".
    std::printf("Hellow World\n");
    char* outputPath = (char*)"output.txt";
    (void)argc;
    (void)argv;
#else
    char* outputPath = argc >= 2 ? argv[1] : (char*)"output.txt";
#endif
    setip(0);
    ZOSocketInit();
    CFerrowind* game = new CFerrowind((char*)"", outputPath);

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
