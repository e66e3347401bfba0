// PLACEHOLDER (work in progress): the renderer's OpenGL side is being written;
// this file goes away when it lands.
#include "render/ZoGl.h"

CZoGl::CZoGl() : CZoGl(SNoDevice()) {}
void CZoGl::Clear() {}
int CZoGl::LoadShader(char*, char*, unsigned int) { return 0; }
int CZoGl::LoadObject(char*, unsigned int, int) { return 0; }
void CZoGl::SetRenderToTexture(unsigned int, unsigned int, unsigned int, unsigned int) {}
void CZoGl::SetRenderToScreen() {}
int CZoGl::LoadObjectsOld(char*) { return 0; }
int CZoGl::LoadObjects(char*) { return 0; }
int CZoGl::LoadShaders(char*) { return 0; }
int CZoGl::LoadTextures(char*) { return 0; }
unsigned int CZoGl::LoadTexture(char*, int) { return 0; }
void CZoGl::SaveMatrixState() {}
void CZoGl::LoadMatrixState() {}
void CZoGl::IdentityAll() {}
// Set-up state of the renderer.
unsigned int depth2 = 0;
void set_frustum() {}
