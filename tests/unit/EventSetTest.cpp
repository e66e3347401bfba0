#include <gtest/gtest.h>

#include <cstring>

#include "tests/unit/LogCapture.h"
#include "input/EventSet.h"

namespace {

SDL_Event KeyEvent(Uint8 type, SDLKey key)
{
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = type;
    e.key.keysym.sym = key;
    return e;
}

}  // namespace

TEST(EventSet, HoldsTenCopies)
{
    set events;
    SDL_Event e = KeyEvent(SDL_KEYDOWN, SDLK_a);
    for (int i = 0; i < set::SLOTS; ++i)
        EXPECT_EQ(events.add(&e), 1);
    SDL_Event extra = KeyEvent(SDL_KEYDOWN, SDLK_b);
    EXPECT_EQ(events.add(&extra), 0);
    for (SDL_Event* slot : events.slots)
        EXPECT_EQ(slot->key.keysym.sym, SDLK_a);
    EXPECT_NE(events.slots[0], &e);
}

TEST(EventSet, RemovesTheFirstKeyPressOfThatKeyOnly)
{
    set events;
    SDL_Event up = KeyEvent(SDL_KEYUP, SDLK_a);
    SDL_Event down = KeyEvent(SDL_KEYDOWN, SDLK_a);
    events.add(&up);
    events.add(&down);
    events.add(&down);
    events.remove(KeyEvent(SDL_KEYDOWN, SDLK_a));
    EXPECT_NE(events.slots[0], nullptr);
    EXPECT_EQ(events.slots[1], nullptr);
    EXPECT_NE(events.slots[2], nullptr);
    SDL_Event b = KeyEvent(SDL_KEYDOWN, SDLK_b);
    events.add(&b);
    EXPECT_EQ(events.slots[1]->key.keysym.sym, SDLK_b);
}

TEST(EventSet, RemovingAMissingKeyReportsIt)
{
    set events;
    SDL_Event up = KeyEvent(SDL_KEYUP, SDLK_x);
    events.add(&up);
    CaptureLog();
    events.remove(KeyEvent(SDL_KEYDOWN, SDLK_x));
    EXPECT_EQ(CapturedOut(), "Error: deleting an unexisting element\n");
    EXPECT_NE(events.slots[0], nullptr);
}
