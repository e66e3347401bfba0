// Shadow volumes counted in the stencil buffer that shares depth2 with the
// scene. Side faces are built on the host from the silhouette as the light
// sees it, those of all objects drawn together at the end; the object's own
// mesh is drawn as the caps. Where a volume face lies behind the scene (fails
// the depth test) it adds one seen from behind and subtracts one seen from
// the front: a pixel with a count other than 0 is in shadow. A volume that
// surely holds neither the camera nor any of its near plane gives the same
// count from the faces in front of the scene (one added seen from the front,
// one taken seen from behind), and needs no caps: most volumes are counted
// that way. The volume programs push their geometry 0.2 % further from the
// camera, so that the object's own lit surface still counts.
#include <cstdio>

#include "render_gl/ZoGlPasses.h"

namespace {

void DisableTangentArrays(CZoGl& gl)
{
    for (int location = 0; location < 32; ++location) {
        if (gl.m_tangentArrays & (1u << location))
            glDisableVertexAttribArray(location);
    }
    gl.m_tangentArrays = 0;
}

void DrawSideFaces(CZoGl& gl, const std::vector<SHomVertex>& faces)
{
    if (faces.empty())
        return;
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    DisableTangentArrays(gl);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    // Both facings at once: the stencil counts each facing its own way.
    glVertexPointer(4, GL_FLOAT, 0, faces.data());
    char placement[] = "DFail";
    UseProgramSlot(gl, program::Sides);
    gl.PrepairShader(placement, gl.m_sideFacesOwner);
    glDrawArrays(GL_QUADS, 0, (GLsizei)faces.size());
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, gl.m_vertexBuffer);
    glVertexPointer(3, GL_FLOAT, 0, 0);
}

// The model-view matrix of the volume geometry, which is given in world
// coordinates.
void WorldView(CZoGl& gl)
{
    gl.IdentityAll();
    SceneProjection(gl);
    CameraView(gl.m_direction);
    glTranslatef(-gl.m_position.x, -gl.m_position.y, -gl.m_position.z);
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

// The near plane's corners lie this far from the camera (10 along the view,
// 10 to each side), with some room to spare.
const float kNearPlaneReach = 20;

// Counting from behind the scene (with caps) or from in front of it (without).
void CountFacesBehindScene(bool behind)
{
    GLenum fail = behind ? GL_DECR_WRAP : GL_KEEP, pass = behind ? GL_KEEP : GL_INCR_WRAP;
    glStencilOpSeparate(GL_FRONT, GL_KEEP, fail, pass);
    fail = behind ? GL_INCR_WRAP : GL_KEEP;
    pass = behind ? GL_KEEP : GL_DECR_WRAP;
    glStencilOpSeparate(GL_BACK, GL_KEEP, fail, pass);
}

}  // namespace

float ModelReach(CZoGl& gl, int modelNumber)
{
    return ShadowCaster(gl, modelNumber).Reach();
}

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

    // The side faces wait for those of the other objects: one draw for all.
    Vector3f light(m_lightX, kLightHeight, m_lightZ);
    bool capped = MayLieInShadowOf(light, object->pos, caster.Reach(), m_position, kNearPlaneReach);
    caster.AppendSides(SYawPlacement(object->angles.y, object->pos), light, capped ? m_cappedSideFaces : m_sideFaces);
    m_sideFacesOwner = index;
    if (!capped)
        return;

    WorldView(*this);
    CountFacesBehindScene(true);
    UsePassState(*this, PASS_DEPTH_LESS);
    // The near cap with both facings, then the far cap, which counts only
    // where it is seen from behind.
    DrawCap(*this, program::CapBoth, "DFail", index, model);
    UsePassState(*this, PASS_DEPTH_LESS | PASS_CULL_FRONT);
    DrawCap(*this, program::CapFar, "DFailShadowHelp", index, model);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void BeginShadowCounts(CZoGl& gl)
{
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, gl.m_shadowFramebuffer);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, gl.m_sceneTexture, 0);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_TEXTURE_2D, depth2, 0);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_STENCIL_ATTACHMENT_EXT, GL_TEXTURE_2D, depth2, 0);
    // The stencil was cleared with the scene depth, and nothing has counted since.
    gl.m_sideFaces.clear();
    gl.m_cappedSideFaces.clear();
    gl.m_sideFacesOwner = -1;

    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    UsePassState(gl, PASS_DEPTH_LESS);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 0, ~0u);
}

void EndShadowCounts(CZoGl& gl)
{
    // Counts add up in any order: the side faces of all volumes are drawn
    // last, two draws in all.
    WorldView(gl);
    UsePassState(gl, PASS_DEPTH_LESS);
    CountFacesBehindScene(false);
    DrawSideFaces(gl, gl.m_sideFaces);
    CountFacesBehindScene(true);
    DrawSideFaces(gl, gl.m_cappedSideFaces);

    // Pixels with a count other than 0 get alpha 0 in the scene texture, the
    // colour staying as it is; the sky (scene depth 1) never does: the
    // rectangle lies at depth 1.
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
    glStencilFunc(GL_NOTEQUAL, 0, ~0u);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    UsePassState(gl, PASS_DEPTH_GREATER);
    glUseProgram(0);
    for (int unit = 2; unit >= 0; --unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glDisable(GL_TEXTURE_2D);
    }
    gl.IdentityAll();
    glColor4ub(255, 255, 255, 0);
    glBegin(GL_QUADS);
    glVertex3f(-1, -1, 1);
    glVertex3f(1, -1, 1);
    glVertex3f(1, 1, 1);
    glVertex3f(-1, 1, 1);
    glEnd();

    // The images that follow are tinted by the current colour.
    glColor4ub(255, 255, 255, 255);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_STENCIL_TEST);
}
