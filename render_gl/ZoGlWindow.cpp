// The renderer following the window: render targets at its size, and
// everything OpenGL made again when a mode change brought a new context
// (SDL 1.2 on Windows makes one for every video mode it sets).
#include "render_gl/ZoGlPasses.h"

#include "model/Log.h"

namespace {

// A name this renderer made is unknown to a context that did not make it.
bool ContextIsNew(const CZoGl& gl)
{
    return gl.m_sceneTexture != 0 && !glIsTexture(gl.m_sceneTexture);
}

}  // namespace

void CZoGl::FollowWindow(int width, int height)
{
    m_windowWidth = width;
    m_windowHeight = height;
    if (!m_context)
        return;
    if (ContextIsNew(*this)) {
        LoadIntoNewContext();
        return;
    }
    if (width == m_targetWidth && height == m_targetHeight)
        return;
    DeleteRenderTargets();
    MakeRenderTargets(false);
    ClearGlow(*this);
    ForgetPassState();
}

void CZoGl::LoadIntoNewContext()
{
    LogOut("New OpenGL context: loading the textures, programs and models again\n");
    SetUpContext();
    MakeRenderTargets(false);
    SetUpSmoothing();
    ClearGlow(*this);
    // Names and locations of the old context may come back for other objects.
    m_uniforms = CUniformCache();
    m_panelPartsTexture = ~0u;
    m_tangentArrays = 0;
    ForgetPassState();
    std::string textures = m_textureList, shaders = m_shaderList;
    if (!textures.empty())
        LoadTextures(&textures[0]);
    if (!shaders.empty())
        LoadShaders(&shaders[0]);
    if (m_store.VertexCount() > 0)
        UploadModels();
}

void CZoGl::UploadModels()
{
    GenerateVertexBuffers();
    for (SGraphicObject& model : m_store.m_models)
        UploadIndexBuffer(model);
    UploadVertexBuffers();
}
