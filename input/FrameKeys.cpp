#include "input/FrameKeys.h"

#include <cstring>

CFrameKeys::CFrameKeys()
{
    Begin();
    std::memset(m_down, 0, sizeof m_down);
}

void CFrameKeys::Begin()
{
    std::memset(m_pressed, 0, sizeof m_pressed);
}

void CFrameKeys::Pressed(SDLKey key)
{
    if (key > SDLK_UNKNOWN && key < SDLK_LAST)
        m_pressed[key] = 1;
}

const Uint8* CFrameKeys::Down(const Uint8* held)
{
    for (int key = 0; key < SDLK_LAST; ++key)
        m_down[key] = held[key] || m_pressed[key];
    return m_down;
}
