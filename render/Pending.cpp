// PLACEHOLDER (work in progress): the renderer's OpenGL side is being written;
// this file goes away when it lands.
#include "render/ZoGl.h"

CZoGl::CZoGl() : CZoGl(SNoDevice()) {}
void CZoGl::Clear() {}
void CZoGl::PrepairObjectForDrawing(int) {}
int CZoGl::LoadShader(char*, char*, unsigned int) { return 0; }
void CZoGl::PrepairShader(unsigned int) {}
void CZoGl::PrepairShader(char*, int) {}
int CZoGl::LoadObject(char*, unsigned int, int) { return 0; }
void CZoGl::DrawMinimap() {}
void CZoGl::SetRenderToTexture(unsigned int, unsigned int, unsigned int, unsigned int) {}
void CZoGl::SetRenderToScreen() {}
int CZoGl::LoadObjectsOld(char*) { return 0; }
int CZoGl::LoadObjects(char*) { return 0; }
int CZoGl::LoadShaders(char*) { return 0; }
int CZoGl::LoadTextures(char*) { return 0; }
unsigned int CZoGl::LoadTexture(char*, int) { return 0; }
void CZoGl::RenderLights() {}
void CZoGl::Draw() {}
void CZoGl::DrawDeath() {}
void CZoGl::DrawBlend() {}
void CZoGl::TestDraw() {}
void CZoGl::DrawBoxEnv() {}
void CZoGl::SaveMatrixState() {}
void CZoGl::LoadMatrixState() {}
void CZoGl::IdentityAll() {}
void CZoGl::DrawImage(float, float, float, float, float, float, float, float, int, int) {}
void CZoGl::Splash() {}
void CZoGl::GetEdges(int) {}
void CZoGl::DrawMenu(int) {}
