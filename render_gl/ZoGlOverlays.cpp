// Flat images on the current target: the composite, the heads-up display,
// the menu and the minimap view behind it.
#include "render_gl/ZoGlPasses.h"

#include <GL/glu.h>
#include <SDL/SDL.h>

#include "render/HudLayout.h"
#include "render/ImageCover.h"

namespace {

void DrawRect(CZoGl& gl, const SImageRect& r, int mode = 1)
{
    gl.DrawImage(r.x1, r.y1, r.x2, r.y2, r.s1, r.t1, r.s2, r.t2, r.image, mode);
}

// The glow stages cover the same share of their targets as the scene does of
// its own, so that the composite reads both at the same coordinates.
void GlowViewport(const CZoGl& gl)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, (int)(gl.GlowWidth() * gl.SceneShare()), (int)(gl.GlowHeight() * gl.SceneShare()));
}

// Filtering of the texture bound on the active unit. The composite reads the
// scene pixel for pixel under the window, where filtering changes nothing but
// costs a software renderer much; the glow stages shrink and blur, and filter.
void Filter(GLint filter)
{
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}

// Binds the image and the program of one DrawImage mode.
void PrepareImageMode(CZoGl& gl, int image, int mode)
{
    char splash[] = "Splash";
    switch (mode) {
    case 1:
        BindTexture(0, TextureName(gl, image));
        UseProgramSlot(gl, program::Textured);
        gl.PrepairShader((unsigned int)-3);
        break;
    case 0:
        BindTexture(0, (unsigned int)image);
        // A scene drawn smaller than the window is scaled up smoothly.
        Filter(gl.SceneShare() < 1 ? GL_LINEAR : GL_NEAREST);
        UseProgramSlot(gl, program::Composite);
        gl.PrepairShader(splash, 0);
        BindTexture(1, gl.m_glowTexture3);
        break;
    case -1:
        BindTexture(0, (unsigned int)image);
        UseProgramSlot(gl, program::Image);
        gl.PrepairShader(splash, 0);
        GlowViewport(gl);
        break;
    case -2:
    case -4:
        BindTexture(0, (unsigned int)image);
        UseProgramSlot(gl, program::Textured);
        gl.PrepairShader((unsigned int)-3);
        if (mode == -4)
            BindTexture(1, 0);
        break;
    case -3:
    case -10:
    case -11:
        BindTexture(0, (unsigned int)image);
        Filter(GL_LINEAR);
        UseProgramSlot(gl, mode == -3 ? program::BrightPass : mode == -10 ? program::BlurAcross : program::BlurDown);
        gl.PrepairShader((unsigned int)-3);
        GlowViewport(gl);
        break;
    default:
        break;
    }
}

// Images of one texture drawn in one go: the set-up once, then every
// rectangle as two triangles, in the order given.
void DrawImageBatch(CZoGl& gl, const SImageRect* rects, size_t count, int mode)
{
    // The composite and the glow stages write opaque pixels over their whole target.
    bool opaque = mode == 0 || mode == -3 || mode == -10 || mode == -11;
    UsePassState(gl, opaque ? 0 : PASS_FLAT);
    glEnable(GL_TEXTURE_2D);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluOrtho2D(0, 1, 0, 1);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, gl.m_windowWidth, gl.m_windowHeight);
    BindTexture(1, gl.m_glowTexture1);
    PrepareImageMode(gl, rects[0].image, mode);
    glGetError();
    // The corners of the two triangles: right of x1, above y1 (t runs against y).
    const bool corners[6][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 0}, {1, 1}, {0, 1}};
    glBegin(GL_TRIANGLES);
    for (size_t i = 0; i < count; ++i) {
        const SImageRect& r = rects[i];
        for (const bool* c : corners) {
            glTexCoord2f(c[0] ? r.s2 : r.s1, c[1] ? r.t1 : r.t2);
            glVertex3f(c[0] ? r.x2 : r.x1, c[1] ? r.y2 : r.y1, 1);
        }
    }
    glEnd();
    BindTexture(2, 0);
}

// A run of rectangles that share a texture costs one draw: the counter's
// digits and the network overlay's hundreds of glyphs would otherwise pay
// the whole set-up each.
void DrawRects(CZoGl& gl, const std::vector<SImageRect>& rects)
{
    size_t at = 0;
    while (at < rects.size()) {
        size_t end = at + 1;
        while (end < rects.size() && rects[end].image == rects[at].image)
            ++end;
        DrawImageBatch(gl, &rects[at], end - at, 1);
        at = end;
    }
}

// More than half of the panel is see-through: only its visible parts are
// drawn, worked out once from the texture's alpha.
const std::vector<SImageRect>& PanelParts(CZoGl& gl)
{
    unsigned int texture = TextureName(gl, tex::Panel);
    if (texture != gl.m_panelPartsTexture) {
        gl.m_panelPartsTexture = texture;
        gl.m_panelParts.assign(1, TopPanelImage());
        GLint width = 0, height = 0;
        BindTexture(0, texture);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        if (texture != 0 && width > 0 && height > 0) {
            std::vector<unsigned char> alpha((size_t)width * height);
            GLint packing = 4;
            glGetIntegerv(GL_PACK_ALIGNMENT, &packing);
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glGetTexImage(GL_TEXTURE_2D, 0, GL_ALPHA, GL_UNSIGNED_BYTE, alpha.data());
            glPixelStorei(GL_PACK_ALIGNMENT, packing);
            gl.m_panelParts = VisibleParts(TopPanelImage(), alpha.data(), width, height);
        }
    }
    return gl.m_panelParts;
}

}  // namespace

void CZoGl::DrawImage(float x1, float y1, float x2, float y2, float s1, float t1, float s2, float t2, int image,
                      int mode)
{
    SImageRect r{x1, y1, x2, y2, s1, t1, s2, t2, image};
    DrawImageBatch(*this, &r, 1, mode);
}

void CZoGl::Splash()
{
    IdentityAll();
    float share = SceneShare();
    DrawImage(0, 0, 1, 1, 0, share, share, 0, (int)m_sceneTexture, 0);
}

void CZoGl::DrawMinimap()
{
    Vector3f savedPosition = m_position;
    Vector3f savedDirection = m_direction;
    glBindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
    if (!m_game)
        return;
    std::vector<SGameObject*> objects = m_game->GetGameObjects();
    if (objects.size() <= LOCAL_TANK || !objects[LOCAL_TANK])
        return;
    // A dead tank leaves the last picture in place. Before the first spawn
    // there is none yet: the battlefield is shown around where the tank stands
    // in the data, so that the corner never shows an undefined texture.
    if (!objects[LOCAL_TANK]->active && m_minimapDrawn)
        return;

    // Drawn straight into the minimap texture, which it fills (the corner
    // shows it smaller still), opaque black where nothing lies, as a copy of
    // the window would be.
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, m_minimapFramebuffer);
    UsePassState(*this, PASS_OPAQUE);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
    glColor4ub(255, 255, 255, 255);
    glEnable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, MinimapWidth(), MinimapHeight());
    set_frustum();
    UseProgramSlot(*this, program::Minimap);
    m_position = objects[LOCAL_TANK]->pos;
    m_position.y += 500;
    m_direction = Vector3f(0.01f, -0.95f, 0);
    for (int i = (int)objects.size() - 1; i >= 0; --i) {
        SGameObject* object = DrawableObject(*this, objects, i);
        if (!object || !object->active)
            continue;
        const SGraphicObject& model = *GetObject(object->model);
        CameraView(m_direction);
        PlaceObject(object->pos - m_position, object->angles);
        glActiveTexture(GL_TEXTURE0);
        glMatrixMode(GL_TEXTURE);
        glLoadIdentity();
        BindTexture(1, TextureName(*this, object->texture0));
        BindTexture(0, TextureName(*this, object->texture0));
        PrepairShader((unsigned int)i);
        PrepairShader(model.shader == 1 ? (unsigned int)-1 : (unsigned int)-2);
        DrawModelElements(model);
    }
    SetRenderToScreen();
    m_minimapDrawn = true;
    m_position = savedPosition;
    m_direction = savedDirection;
}

void DrawHeadsUpDisplay(CZoGl& gl)
{
    DrawRects(gl, PanelParts(gl));
    std::vector<SGameObject*> objects = gl.m_game->GetGameObjects();
    const SGameObject* local = objects.size() > LOCAL_TANK ? objects[LOCAL_TANK] : 0;
    if (local && local->state && local->stateCount > TS_DISPLAY) {
        const int slots[3] = {TS_DRIVE, TS_ARMOUR, TS_GUN};
        for (int bar = 0; bar < 3; ++bar)
            DrawRects(gl, StatBarImages(bar, local->state[slots[bar]]));
        DrawRects(gl, CounterImages(local->state[TS_DISPLAY]));
    }
    DrawRects(gl, gl.m_netOverlay);
    DrawRects(gl, gl.m_scoreboard);
    if (!gl.m_notice.empty() && (long)(unsigned int)(gl.m_noticeUntil - gl.m_game->GetTime()) > 0)
        DrawRects(gl, gl.m_notice);
    gl.DrawImage(0.995f, 0.9975f, 0.785f, 0.755f, 1, 0, 0, 1, (int)gl.m_minimapTexture, -4);
}

void CZoGl::DrawMenu(int state)
{
    ForgetPassState();
    DrawRect(*this, MenuBackgroundImage());
    if (!MenuShowsButtons(state))
        return;
    int mx = 0, my = 0;
    SDL_GetMouseState(&mx, &my);
    mx = mx * SCREEN_WIDTH / m_windowWidth;
    my = my * SCREEN_HEIGHT / m_windowHeight;
    for (int button = 0; button < MENU_BUTTON_COUNT; ++button)
        DrawRect(*this, MenuButtonImage(button, MenuButtonUnderMouse(button, mx, my), state));
    DrawRects(*this, m_menuNote);
    // The panel's amber (the image program takes the current colour).
    glColor4ub(255, 189, 56, 255);
    DrawRects(*this, m_menuKeys);
    glColor4ub(255, 255, 255, 255);
}

void CZoGl::DrawMenuPage(const std::vector<SImageRect>& page)
{
    ForgetPassState();
    // The menu's picture darkened (the image program takes the current
    // colour), so that the rows read over any part of it.
    glColor4ub(48, 48, 48, 255);
    DrawRect(*this, MenuBackgroundImage());
    glColor4ub(255, 255, 255, 255);
    DrawRects(*this, page);
}
