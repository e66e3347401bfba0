// Small pieces of OpenGL state that every drawing pass sets the same way.
#include "render/ZoGlPasses.h"

#include <GL/glu.h>


void SceneProjection()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
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
