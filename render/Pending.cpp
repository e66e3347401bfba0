// PLACEHOLDER (work in progress): the renderer's OpenGL side is being written;
// this file goes away when it lands.
#include "render/ZoGl.h"

void CZoGl::PrepairObjectForDrawing(int) {}
void CZoGl::PrepairShader(unsigned int) {}
void CZoGl::PrepairShader(char*, int) {}
void CZoGl::DrawMinimap() {}
void CZoGl::RenderLights() {}
void CZoGl::Draw() {}
void CZoGl::DrawDeath() {}
void CZoGl::DrawBlend() {}
void CZoGl::TestDraw() {}
void CZoGl::DrawBoxEnv() {}
void CZoGl::DrawImage(float, float, float, float, float, float, float, float, int, int) {}
void CZoGl::Splash() {}
void CZoGl::GetEdges(int) {}
void CZoGl::DrawMenu(int) {}
