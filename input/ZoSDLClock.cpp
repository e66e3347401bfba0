// The game clock and the wiring of the input object; no window needed.
#include "input/ZoSDL.h"

CZoSDL::CZoSDL(SNoDevice) : CZoSDL(SDLDevice()) {}

CZoSDL::CZoSDL(ISDLDevice* device)
    : m_game(0), m_graphic(0), m_lastTicks(device->GetTicks()), m_timeOffset(0), m_device(device),
      m_keys(&KeyLayoutFor(NATIVE_FLAVOUR)),
      m_bindings(DefaultKeyBindings(NATIVE_FLAVOUR)), m_boundLayout(*m_keys), m_renderer(0),
      m_frameEndTicks(m_lastTicks)
{
}

void CZoSDL::SetGameInterface(IGameInterface* game)
{
    m_game = game;
}

void CZoSDL::SetGraficInterface(IGraphicInterface* graphic)
{
    m_graphic = graphic;
}

void CZoSDL::SetPeerCalls(const SPeerCalls& peers)
{
    m_peers = peers;
}

void CZoSDL::SetKeyBindings(const SKeyBindings& keys)
{
    m_boundLayout = *m_keys;
    m_boundLayout.faster = keys.forward;
    m_boundLayout.slower = keys.back;
    m_boundLayout.turnLeft = keys.left;
    m_boundLayout.turnRight = keys.right;
    m_keys = &m_boundLayout;
    m_bindings = keys;
}

void CZoSDL::SetRendererSwitches(IRendererSwitches* renderer)
{
    m_renderer = renderer;
}

unsigned long CZoSDL::GetTime()
{
    return (unsigned long)(unsigned int)(m_device->GetTicks() + (unsigned int)m_timeOffset);
}

void CZoSDL::SetTimeOffset(unsigned long offset)
{
    m_timeOffset = (int)(unsigned int)offset;
}
