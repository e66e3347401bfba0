// Shot effects: for half a second after a tank fires, a flash at its muzzle
// and, once the shell has landed, one at the point of impact, both animated
// through a strip of 14 frames and drawn into the scene texture.
#include "render/EffectTiming.h"
#include "render_gl/ZoGlPasses.h"

namespace {

const float kGunHeight = 56;
const float kMuzzleUp = 24.4f;
const float kMuzzleForward = -37;
const int kFlashFrames = 14;

// The sprite program hides fragments behind the scene depth on unit 1 while
// the current coordinate set of unit 1 has r = 1.
void CompareWithSceneDepth(bool on)
{
    glMultiTexCoord4f(GL_TEXTURE1, 0, 0, on ? 1.0f : 0.0f, 1);
}

void DrawFromHost(const SGraphicObject& model)
{
    if (model.indices && model.indexCount)
        glDrawElements(GL_TRIANGLES, (GLsizei)model.indexCount, GL_UNSIGNED_INT, model.indices);
}

void DrawImpactFlash(CZoGl& gl, float ix, float iz, const SGraphicObject& sprite)
{
    const Vector3f& camera = gl.m_position;
    BindTexture(1, depth2);
    BindTexture(0, TextureName(gl, tex::Impact));
    CameraView(gl.m_direction);
    glTranslatef(ix - camera.x, -camera.y, iz - camera.z);
    SImpactTurn turn = ImpactSpriteTurn(ix, iz, camera);
    glRotatef(turn.yaw, 0, 1, 0);
    glRotatef(turn.tilt, 1, 0, 0);
    CompareWithSceneDepth(true);
    DrawFromHost(sprite);
    CompareWithSceneDepth(false);
}

void DrawMuzzleFlash(CZoGl& gl, const SGameObject& tank, const SGraphicObject& flash)
{
    Vector3f gun = GunDirection(tank.angles);
    Vector3f toCamera = gl.m_position - tank.pos - Vector3f(0, kGunHeight, 0);
    CameraView(gl.m_direction);
    PlaceObject(tank.pos - gl.m_position, tank.angles);
    glTranslatef(0, kMuzzleUp, kMuzzleForward);
    glRotatef(MuzzleRollDegrees(gun, toCamera), 0, 0, 1);
    unsigned int texture = TextureName(gl, tex::MuzzleFlash);
    BindTexture(1, texture);
    BindTexture(0, texture);
    DrawFromHost(flash);
}

}  // namespace

void CZoGl::DrawBlend()
{
    SceneProjection(*this);
    if (!m_game)
        return;
    std::vector<SGameObject*> objects = m_game->GetGameObjects();
    std::vector<int> effects = m_game->GetGameEffectObjects();
    int e = effects.empty() ? -1 : effects[0];
    SGraphicObject* flash = e >= 0 && e < (int)objects.size() && objects[e] ? GetObject(objects[e]->model) : 0;
    if (!flash) {
        SetRenderToScreen();
        return;
    }
    SGraphicObject* impactSprite = GetObject(model::Impact);

    SetRenderToTexture(m_sceneFramebuffer, m_sceneTexture, 0, 0);
    UsePassState(*this, PASS_BLEND | PASS_CULL_BACK);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    unsigned long now = m_game->GetTime();
    for (SGameObject* tank : objects) {
        if (!tank || !tank->active || tank->kind != KIND_TANK || !ShotEffectShown(now, tank->timer))
            continue;
        BindTexture(1, depth2);
        glEnable(GL_TEXTURE_2D);
        BindTexture(0, TextureName(*this, tex::MuzzleFlash));
        glEnable(GL_TEXTURE_2D);
        UseProgramSlot(*this, flash->shader);
        PrepairShader((unsigned int)e);

        glActiveTexture(GL_TEXTURE0);
        glMatrixMode(GL_TEXTURE);
        glLoadIdentity();
        glTranslatef(ShotEffectFrame(now, tank->timer) / (float)kFlashFrames, 0, 0);

        bool impact = tank->state && tank->stateCount > TS_IMPACT_Z &&
                      ImpactKnown(tank->state[TS_IMPACT_X], tank->state[TS_IMPACT_Z]);
        if (impact && impactSprite)
            DrawImpactFlash(*this, tank->state[TS_IMPACT_X], tank->state[TS_IMPACT_Z], *impactSprite);
        DrawMuzzleFlash(*this, *tank, *flash);
    }
    // Later images read the texture matrix of unit 0 as it is.
    glActiveTexture(GL_TEXTURE0);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    SetRenderToScreen();
}
