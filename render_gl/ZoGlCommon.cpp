// Small pieces of OpenGL state that every drawing pass sets the same way.
#include "render_gl/ZoGlPasses.h"

#include <GL/glu.h>


namespace {

void Switch(GLenum capability, bool on)
{
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

const unsigned kDepthTests = PASS_DEPTH_LESS | PASS_DEPTH_LEQUAL | PASS_DEPTH_GREATER;
const unsigned kCulling = PASS_CULL_BACK | PASS_CULL_FRONT;

}  // namespace

void UsePassState(CZoGl& gl, unsigned state)
{
    if (!gl.m_blending)
        state &= ~PASS_BLEND;
    unsigned changed = gl.m_passStateKnown ? state ^ gl.m_passState : ~0u;
    gl.m_passState = state;
    gl.m_passStateKnown = true;
    if (changed & PASS_BLEND)
        Switch(GL_BLEND, state & PASS_BLEND);
    if (changed & kDepthTests) {
        Switch(GL_DEPTH_TEST, state & kDepthTests);
        if (state & kDepthTests)
            glDepthFunc(state & PASS_DEPTH_LESS ? GL_LESS : state & PASS_DEPTH_LEQUAL ? GL_LEQUAL : GL_GREATER);
    }
    if (changed & PASS_DEPTH_WRITE)
        glDepthMask(state & PASS_DEPTH_WRITE ? GL_TRUE : GL_FALSE);
    if (changed & PASS_AT_FAR_END)
        glDepthRange(state & PASS_AT_FAR_END ? 1 : 0, 1);
    if (changed & kCulling) {
        Switch(GL_CULL_FACE, state & kCulling);
        if (state & kCulling)
            glCullFace(state & PASS_CULL_FRONT ? GL_FRONT : GL_BACK);
    }
    if (changed & PASS_FRONT_CW)
        glFrontFace(state & PASS_FRONT_CW ? GL_CW : GL_CCW);
}

void SceneProjection(const CZoGl& gl)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, gl.SceneWidth(), gl.SceneHeight());
    set_frustum();
}

void CameraView(const Vector3f& direction)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, 0, direction.x, direction.y, direction.z, 0, 1, 0);
}

void PlaceObject(const Vector3f& offset, const Vector3f& angles)
{
    glTranslatef(offset.x, offset.y, offset.z);
    glRotatef(angles.x, 1, 0, 0);
    glRotatef(angles.y, 0, 1, 0);
    glRotatef(angles.z, 0, 0, 1);
}

unsigned int TextureName(const CZoGl& gl, int number)
{
    if (!gl.m_textures || number < 0 || number >= gl.m_textureCount)
        return 0;
    return gl.m_textures[number];
}

void BindTexture(int unit, unsigned int name)
{
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, name);
}

void UseProgramSlot(const CZoGl& gl, int slot)
{
    bool loaded = gl.m_programs && slot >= 0 && slot < gl.m_programCount;
    glUseProgram(loaded ? gl.m_programs[slot] : 0);
}

SGameObject* DrawableObject(CZoGl& gl, const std::vector<SGameObject*>& objects, int index)
{
    if (index < 0 || index >= (int)objects.size() || !objects[index])
        return 0;
    SGameObject* object = objects[index];
    SGraphicObject* model = gl.GetObject(object->model);
    if (!model || model->shader < 0 || model->shader >= gl.m_programCount)
        return 0;
    if (object->texture0 < 0 || object->texture0 >= gl.m_textureCount)
        return 0;
    if (object->texture1 < 0 || object->texture1 >= gl.m_textureCount)
        return 0;
    return object;
}

void DrawModelElements(const SGraphicObject& model)
{
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, model.indexBuffer);
    glDrawElements(GL_TRIANGLES, (GLsizei)model.indexCount, GL_UNSIGNED_INT, 0);
}
