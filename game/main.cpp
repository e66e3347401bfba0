#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>

#include "game/Ferrowind.h"
#include "net/ZoSockets.h"

int main(int argc, char** argv)
{
    setip(0);
    ZOSocketInit();
    CFerrowind* game = new CFerrowind((char*)"", argc >= 2 ? argv[1] : (char*)"output.txt");

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
