// One frame of the battlefield: the scene into its texture, the shot effects,
// the shadow counts, the glow, the composite and the heads-up display.
#include "render_gl/ZoGlPasses.h"

#include <GL/glu.h>

#include "render/EffectTiming.h"
#include "render/HudLayout.h"
#include "render/ViewCulling.h"

namespace {

const GLubyte kWhite[4] = {255, 255, 255, 255};

// Sky box faces: texture number of each face, six indices a face.
const int kSkyFaceTextures[6] = {tex::SkyNorth, tex::SkyEast, tex::SkySouth, tex::SkyWest, tex::SkyTop, tex::SkyBottom};

// Back faces are pushed out by up to this much (a power-up's aura).
const float kBackFaceGrowth = 1.4f;

// Objects wholly outside the view cost the driver their vertices and nothing
// else: they are left out of the object passes.
bool InSight(CZoGl& gl, const SGameObject& object, float growth)
{
    return !OutOfSight(object.pos, ModelReach(gl, object.model) + growth, gl.m_position, gl.m_direction);
}

// The second texture of the bump-mapped program is its normal map; with bump
// maps off every surface gets the flat one, a single normal that the
// texture cache holds.
int SecondTexture(const CZoGl& gl, const SGraphicObject& model, const SGameObject& object)
{
    return model.shader == program::LitBump && !gl.Quality().bumpMaps ? tex::FlatBump : object.texture1;
}

void DrawObjectWithItsProgram(CZoGl& gl, int index, const SGameObject& object)
{
    SGraphicObject* model = gl.GetObject(object.model);
    // Only the flashes' program has see-through pixels.
    UsePassState(gl, model->shader == program::Textured ? PASS_SOLID : PASS_OPAQUE);
    glLineWidth(1);
    gl.PrepairObjectForDrawing(index);
    BindTexture(1, TextureName(gl, SecondTexture(gl, *model, object)));
    BindTexture(0, TextureName(gl, object.texture0));
    UseProgramSlot(gl, model->shader);
    gl.PrepairShader((unsigned int)index);
    DrawModelElements(*model);
}

// Power-up auras and outlines: the back faces of every object but the
// ground, drawn with culling turned round and without depth writes.
void DrawBackFaces(CZoGl& gl, const std::vector<SGameObject*>& objects)
{
    char shadowName[] = "Shadow";
    UseProgramSlot(gl, program::BackFace);
    glDisable(GL_TEXTURE_2D);
    UsePassState(gl, PASS_BLEND | PASS_DEPTH_LESS | PASS_CULL_BACK | PASS_FRONT_CW);
    for (int i = 1; i < (int)objects.size(); ++i) {
        SGameObject* object = DrawableObject(gl, objects, i);
        if (!object || !object->active || !InSight(gl, *object, kBackFaceGrowth))
            continue;
        gl.PrepairObjectForDrawing(i);
        gl.PrepairShader(shadowName, i);
        DrawModelElements(*gl.GetObject(object->model));
    }
    glEnable(GL_TEXTURE_2D);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

// With shadows switched off the counts stay cleared: nothing is in shadow.
void CountShadows(CZoGl& gl, const std::vector<SGameObject*>& objects)
{
    BeginShadowCounts(gl);
    for (int i = (int)objects.size() - 1; gl.m_shadows && i >= 1; --i) {
        SGameObject* object = DrawableObject(gl, objects, i);
        if (!object || !object->active)
            continue;
        gl.GetEdges(i);
    }
    EndShadowCounts(gl);
}

}  // namespace

void CZoGl::Draw()
{
    if (!m_game)
        return;
    ForgetPassState();
    if (m_wireframe)
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    // The minimap may be a few frames old; a clock that went back redraws it.
    unsigned long now = m_game->GetTime();
    if (!m_minimapShown || now - m_minimapTime >= m_minimapPeriod) {
        DrawMinimap();
        m_minimapShown = true;
        m_minimapTime = now;
    }

    SetRenderToTexture(m_sceneFramebuffer, m_sceneTexture, depth2, 0);
    UsePassState(*this, PASS_SOLID);
    // Alpha 1 everywhere, which blending over it keeps above one half: the
    // shadow counts mark shadowed pixels with alpha 0. The stencil half of
    // depth2 is cleared with the depth, for the counts: one plain fill of the
    // texture instead of two that each keep the other half.
    glClearColor(0, 0, 0, 1);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_STENCIL_ATTACHMENT_EXT, GL_TEXTURE_2D, depth2, 0);
    Clear();
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_STENCIL_ATTACHMENT_EXT, GL_TEXTURE_2D, 0, 0);
    glColor4ubv(kWhite);
    glEnable(GL_TEXTURE_2D);
    std::vector<SGameObject*> objects = m_game->GetGameObjects();
    SceneProjection(*this);

    for (int i = (int)objects.size() - 1; i >= 0; --i) {
        SGameObject* object = DrawableObject(*this, objects, i);
        if (object && object->active && InSight(*this, *object, 0) &&
            (m_drawOffView || !OffView(i, object->pos, m_position, m_direction)))
            DrawObjectWithItsProgram(*this, i, *object);
    }
    DrawDeath();
    // The sky fills what the objects left empty; the rims of the back faces
    // blend over it.
    SceneProjection(*this);
    DrawBoxEnv();
    // Outlines are for the scene only: everything after it is filled, with or
    // without the back faces.
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    if (m_drawOffView)
        DrawBackFaces(*this, objects);

    // The shot effects are drawn before the counts mark the shadowed pixels,
    // so that they are darkened where they lie in shadow, and the glow and
    // the composite are made once after both; the window shows nothing of the
    // scene before that. With shadows off the composite darkens nothing.
    DrawBlend();
    if (m_shadowMode != 0)
        CountShadows(*this, objects);

    SetRenderToScreen();
    RenderLights();
    Splash();

    IdentityAll();
    DrawHeadsUpDisplay(*this);
}

void CZoGl::PrepairObjectForDrawing(int index)
{
    SceneProjection(*this);
    CameraView(m_direction);
    if (m_game) {
        std::vector<SGameObject*> objects = m_game->GetGameObjects();
        if (index >= 0 && index < (int)objects.size() && objects[index]) {
            const SGameObject& object = *objects[index];
            PlaceObject(object.pos - m_position, object.angles);
        }
    }
    // The programs read the texture matrix of unit 0.
    glActiveTexture(GL_TEXTURE0);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
}

// The box lies at the far end of the depth range, where nothing has been
// drawn yet: it shows only where the target is still empty. Its faces are
// opaque; the plain image program, which never discards, lets the depth test
// reject the covered pixels before they are shaded.
void CZoGl::DrawBoxEnv()
{
    UsePassState(*this, PASS_DEPTH_LEQUAL | PASS_AT_FAR_END | PASS_CULL_BACK);
    UseProgramSlot(*this, program::Image);
    PrepairShader((unsigned int)-3);
    glActiveTexture(GL_TEXTURE0);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    CameraView(m_direction);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    BindTexture(1, TextureName(*this, 0));
    SGraphicObject* box = GetObject(model::SkyBox);
    if (box && box->indices) {
        for (int face = 0; face < 6 && (unsigned long)(face + 1) * 6 <= box->indexCount; ++face) {
            BindTexture(0, TextureName(*this, kSkyFaceTextures[face]));
            glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_INT, box->indices + face * 6);
        }
    }
}

void CZoGl::DrawDeath()
{
    if (!m_game)
        return;
    std::vector<SGameObject*> objects = m_game->GetGameObjects();
    SGameObject* local = DrawableObject(*this, objects, 1);
    if (!local || local->active || !DeathEffectShown(m_game->GetTime(), local->timer))
        return;
    DrawObjectWithItsProgram(*this, 1, *local);
}

void CZoGl::TestDraw()
{
    static const GLubyte colours[8][4] = {
        {255, 0, 0, 255},   {0, 255, 0, 255},     {0, 0, 255, 255},   {255, 255, 255, 255},
        {0, 0, 0, 255},     {255, 255, 0, 255},   {0, 255, 255, 255}, {255, 0, 255, 0},
    };
    static const GLfloat corners[8][3] = {
        {-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}, {-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, -1, 1},
    };
    static const int triangles[12][3] = {
        {0, 1, 2}, {0, 2, 3}, {5, 4, 7}, {5, 7, 6}, {4, 0, 3}, {4, 3, 7},
        {1, 5, 6}, {1, 6, 2}, {3, 2, 6}, {3, 6, 7}, {4, 5, 1}, {4, 1, 0},
    };
    Clear();
    UseProgramSlot(*this, program::Textured);
    PrepairShader((unsigned int)-3);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    set_frustum();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_TRIANGLES);
    for (int t = 0; t < 12; ++t) {
        for (int k = 0; k < 3; ++k) {
            int v = triangles[t][k];
            glColor4ubv(colours[v]);
            glVertex3fv(corners[v]);
        }
    }
    glEnd();

    if (!m_game)
        return;
    std::vector<SGameObject*> objects = m_game->GetGameObjects();
    if (objects.size() <= LOCAL_TANK || !objects[LOCAL_TANK] || !objects[LOCAL_TANK]->state ||
        objects[LOCAL_TANK]->stateCount <= TS_DISPLAY)
        return;
    for (SImageRect glyph : CounterImages(objects[LOCAL_TANK]->state[TS_DISPLAY])) {
        DrawImage(glyph.x1, glyph.y1, glyph.x2, glyph.y2, glyph.s1, glyph.t2, glyph.s2, glyph.t1, glyph.image, 1);
    }
}
