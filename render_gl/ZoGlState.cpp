// The renderer's plain state: members, camera and model look-ups. Nothing here
// touches OpenGL, so the game logic can run on a renderer without a context.
#include <cmath>

#include "render_gl/ZoGl.h"

CZoGl::CZoGl(SNoDevice)
    : m_lightX(10), m_lightZ(10), m_shadowMode(1),
      m_vertexBuffer(0), m_texCoordBuffer(0), m_normalBuffer(0), m_tangentBuffer(0),
      m_programs(0), m_programCount(0), m_textures(0), m_textureCount(0),
      m_sceneFramebuffer(0), m_sceneTexture(0), m_minimapTexture(0), m_minimapFramebuffer(0),
      m_glowFramebuffer1(0), m_glowFramebuffer2(0), m_glowFramebuffer3(0),
      m_glowTexture1(0), m_glowTexture2(0), m_glowTexture3(0),
      m_glowDepthTexture1(0), m_glowDepthTexture2(0), m_glowDepthTexture3(0),
      m_shadowFramebuffer(0), m_game(0),
      m_position(0, 40, 25), m_pitch(0), m_yaw(180), m_direction(0, 0, -1)
{
}

void CZoGl::SetPos(Vector3f pos)
{
    m_position = pos;
}

void CZoGl::AddToPos(Vector3f delta)
{
    m_position.x += delta.x;
    m_position.y += delta.y;
    m_position.z += delta.z;
}

void CZoGl::AddToAngles(float dPitch, float dYaw)
{
    m_pitch -= dPitch;
    m_yaw -= dYaw;
    if (m_pitch >= 90)
        m_pitch = 89;
    else if (m_pitch <= -90)
        m_pitch = -89;
    float p = m_pitch / 180 * 3.14f;
    float y = m_yaw / 180 * 3.14f;
    m_direction.z = std::cos(p) * std::cos(y);
    m_direction.y = std::sin(p);
    m_direction.x = (float)(std::sin((double)y) * std::cos((double)p));
}

void CZoGl::SetAngles(float pitch, float yaw)
{
    m_pitch = pitch;
    m_yaw = yaw;
    m_direction.x = (float)(std::cos((double)pitch) * std::sin((double)yaw));
    m_direction.y = (float)(std::sin((double)pitch) * std::cos((double)yaw));
    m_direction.z = (float)(std::cos((double)pitch) * std::cos((double)yaw));
}

// SetAngles leaves radians in the angle members and AddToAngles reads
// degrees: the free camera takes its angles from the direction instead, so
// that its first turn starts from the view it was handed.
void CZoGl::TurnFromDirection()
{
    float y = m_direction.y < -1 ? -1 : m_direction.y > 1 ? 1 : m_direction.y;
    m_pitch = std::asin(y) * 180 / 3.14f;
    m_yaw = std::atan2(m_direction.x, m_direction.z) * 180 / 3.14f;
    AddToAngles(0, 0);
}

Vector3f CZoGl::GetDirection()
{
    return m_direction;
}

void CZoGl::SetGameInterface(IGameInterface* game)
{
    m_game = game;
}

SGraphicObject* CZoGl::GetObject(int index)
{
    return const_cast<SGraphicObject*>(m_store.Model(index));
}

Vector3f* CZoGl::GetVertices()
{
    return m_store.m_vertices;
}
