// Shadow volumes counted per pixel into the floating-point shadow texture.
// Side faces are built on the host from the silhouette as the light sees it;
// the object's own mesh is drawn three times as the caps. The programs read
// the scene depth from depth2 themselves and add +1 for volume faces seen
// from behind, -1 for those seen from the front, where they lie behind the
// scene: a pixel with a count other than 0 is in shadow.
#include <cstdio>

#include "render/ZoGlPasses.h"

namespace {

void DisableTangentArrays(CZoGl& gl)
{
    for (int location = 0; location < 32; ++location) {
        if (gl.m_tangentArrays & (1u << location))
            glDisableVertexAttribArray(location);
    }
    gl.m_tangentArrays = 0;
}

void DrawSideFaces(CZoGl& gl)
{
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    DisableTangentArrays(gl);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (!gl.m_sideFaces.empty()) {
        GLsizei count = (GLsizei)gl.m_sideFaces.size();
        glVertexPointer(4, GL_FLOAT, 0, gl.m_sideFaces.data());
        UseProgramSlot(gl, PROGRAM_SIDES_FRONT);
        glFrontFace(GL_CCW);
        glDrawArrays(GL_QUADS, 0, count);
        UseProgramSlot(gl, PROGRAM_SIDES_BACK);
        glFrontFace(GL_CW);
        glDrawArrays(GL_QUADS, 0, count);
    }
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, gl.m_vertexBuffer);
    glVertexPointer(3, GL_FLOAT, 0, 0);
}

// The model's triangles as a shadow caster, built on first use.
const CShadowCaster& ShadowCaster(CZoGl& gl, int modelNumber)
{
    if (gl.m_shadowCasterVertices != gl.m_store.m_vertices || (int)gl.m_shadowCasters.size() != gl.ModelCount()) {
        gl.m_shadowCasters.clear();
        gl.m_shadowCasters.resize(gl.ModelCount());
        gl.m_shadowCasterVertices = gl.m_store.m_vertices;
    }
    std::unique_ptr<CShadowCaster>& caster = gl.m_shadowCasters[modelNumber];
    if (!caster) {
        const SGraphicObject& model = *gl.GetObject(modelNumber);
        caster.reset(new CShadowCaster(gl.m_store.m_vertices, gl.m_store.VertexCount(), model.indices,
                                       model.indexCount));
    }
    return *caster;
}

void DrawCap(CZoGl& gl, int slot, const char* name, int index, const SGraphicObject& model)
{
    char programName[32];
    snprintf(programName, sizeof programName, "%s", name);
    UseProgramSlot(gl, slot);
    gl.PrepairShader(programName, index);
    DrawModelElements(model);
}

}  // namespace

void CZoGl::GetEdges(int index)
{
    if (!m_game)
        return;
    std::vector<SGameObject*> objects = m_game->GetGameObjects();
    SGameObject* object = DrawableObject(*this, objects, index);
    if (!object)
        return;
    const SGraphicObject& model = *GetObject(object->model);
    // An open model cannot enclose a volume: it would shade everything behind
    // the gaps in its surface, so it casts no shadow.
    const CShadowCaster& caster = ShadowCaster(*this, object->model);
    if (!caster.Closed())
        return;

    SceneProjection();
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, model.indexBuffer);
    IdentityAll();
    SceneProjection();
    CameraView(m_direction);
    glTranslatef(-m_position.x, -m_position.y, -m_position.z);
    glDisable(GL_DEPTH_TEST);

    // Every counting program reads the scene depth on unit 0.
    BindTexture(0, depth2);
    m_sideFaces.clear();
    caster.AppendSides(SYawPlacement(object->angles.y, object->pos), Vector3f(m_lightX, kLightHeight, m_lightZ),
                       m_sideFaces);

    // Counting adds up: the shadow texture holds values beyond 0..1.
    glBlendFunc(GL_ONE, GL_ONE);
    DrawSideFaces(*this);

    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CW);
    DrawCap(*this, PROGRAM_CAP_BACK, "DFail", index, model);
    DrawCap(*this, PROGRAM_CAP_FAR, "DFailShadowHelp", index, model);
    glFrontFace(GL_CCW);
    DrawCap(*this, PROGRAM_CAP_FRONT, "DFailShadowHelp2", index, model);

    glFrontFace(GL_CCW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}
