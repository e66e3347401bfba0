// PLACEHOLDER (work in progress): the window and input are being written;
// this file goes away when they land.
#include <cstdio>

#include "input/ZoSDL.h"

Uint8* keystate = 0;

set::set()
{
    for (int i = 0; i < SLOTS; ++i)
        slots[i] = 0;
}
int set::add(SDL_Event*) { return 0; }
void set::remove(SDL_Event) {}

CZoSDL::CZoSDL(char*, char*) : CZoSDL(SNoDevice())
{
    std::printf("The game window is not built yet.\n");
}
void CZoSDL::CheckInput() {}
void CZoSDL::CheckMenuInput() {}
void CZoSDL::EndCyrcle() {}
