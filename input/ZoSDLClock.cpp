// The game clock and the wiring of the input object; no window needed.
#include "input/ZoSDL.h"

CZoSDL::CZoSDL(SNoDevice) : m_game(0), m_graphic(0), m_lastTicks(0), m_timeOffset(0) {}

void CZoSDL::SetGameInterface(IGameInterface* game)
{
    m_game = game;
}

void CZoSDL::SetGraficInterface(IGraphicInterface* graphic)
{
    m_graphic = graphic;
}

unsigned long CZoSDL::GetTime()
{
    return (unsigned long)(unsigned int)(SDL_GetTicks() + (unsigned int)m_timeOffset);
}

void CZoSDL::SetTimeOffset(unsigned long offset)
{
    m_timeOffset = (int)(unsigned int)offset;
}
