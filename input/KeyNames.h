#ifndef FERROWIND_KEYNAMES_H
#define FERROWIND_KEYNAMES_H

#include <SDL/SDL.h>

#include <string>

// The keys a player may bind, by the names the settings file and the options
// screen use ("a", "7", "space", "left shift", "up"); SDLK_UNKNOWN and ""
// for anything else.
SDLKey KeyFromName(const std::string& name);
std::string KeyName(SDLKey key);

#endif
