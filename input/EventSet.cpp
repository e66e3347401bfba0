#include "input/EventSet.h"
#include "model/Log.h"

#include <cstdio>

set::set()
{
    for (int i = 0; i < SLOTS; ++i)
        slots[i] = 0;
}

set::~set()
{
    for (int i = 0; i < SLOTS; ++i)
        delete slots[i];
}

int set::add(SDL_Event* event)
{
    for (int i = 0; i < SLOTS; ++i) {
        if (!slots[i]) {
            slots[i] = new SDL_Event(*event);
            return 1;
        }
    }
    return 0;
}

void set::remove(SDL_Event event)
{
    for (int i = 0; i < SLOTS; ++i) {
        if (slots[i] && slots[i]->type == SDL_KEYDOWN && slots[i]->key.keysym.sym == event.key.keysym.sym) {
            delete slots[i];
            slots[i] = 0;
            return;
        }
    }
    LogOut("Error: deleting an unexisting element\n");
}
