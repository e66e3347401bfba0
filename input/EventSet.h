#ifndef FERROWIND_EVENTSET_H
#define FERROWIND_EVENTSET_H

#include <SDL/SDL.h>

// Ten slots of stored key events, each a heap copy of the event or null.
class set {
public:
    enum { SLOTS = 10 };
    set();
    ~set();
    set(const set&) = delete;
    set& operator=(const set&) = delete;

    // Stores a copy in the first free slot and returns 1; 0 when all are taken.
    int add(SDL_Event* event);
    // Drops the first stored key press with the same key symbol.
    void remove(SDL_Event event);

    SDL_Event* slots[SLOTS];
};

#endif
