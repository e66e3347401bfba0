// The uniforms and the "tang" attribute each program receives. Names are
// looked up in the program in use (once per program, then cached), which is
// the program the values go to.
#include <cstdio>
#include <cstring>

#include "render_gl/ZoGlPasses.h"
#include "model/Log.h"

#include <GL/glu.h>

#include "render/EffectTiming.h"

namespace {

const unsigned int kMinimapTank = (unsigned int)-1;
const unsigned int kMinimapScenery = (unsigned int)-2;
const unsigned int kTextured = (unsigned int)-3;

unsigned int ProgramInUse()
{
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    return (unsigned int)program;
}

// Reads the error flag after a uniform call; writes it with `prefix` when one is given.
void CheckError(const char* prefix)
{
    GLenum error = glGetError();
    if (prefix && error != GL_NO_ERROR)
        LogOut("%s%s\n", prefix, gluErrorString(error));
}

// One program's uniforms, set through the cached locations.
class CUniformSetter {
public:
    CUniformSetter(CZoGl& gl) : m_cache(gl.m_uniforms), m_program(ProgramInUse()) {}

    bool Ready() const { return m_program != 0; }
    void Int(int name, int value, const char* errorPrefix = 0)
    {
        glUniform1i(m_cache.Location(m_program, name), value);
        CheckError(errorPrefix);
    }
    void Float(int name, float value)
    {
        glUniform1f(m_cache.Location(m_program, name), value);
        CheckError(0);
    }
    void Vec2(int name, float x, float y)
    {
        glUniform2f(m_cache.Location(m_program, name), x, y);
        CheckError(0);
    }
    void Vec3(int name, float x, float y, float z, const char* errorPrefix = 0)
    {
        glUniform3f(m_cache.Location(m_program, name), x, y, z);
        CheckError(errorPrefix);
    }
    void Vec4(int name, const float* v, const char* errorPrefix = 0)
    {
        glUniform4fv(m_cache.Location(m_program, name), 1, v);
        CheckError(errorPrefix);
    }
    void Mat4(int name, const float* m)
    {
        glUniformMatrix4fv(m_cache.Location(m_program, name), 1, GL_FALSE, m);
        CheckError(0);
    }
    int Location(int name) { return m_cache.Location(m_program, name); }

private:
    CUniformCache& m_cache;
    unsigned int m_program;
};

// The rotation that undoes the object's heading, as OpenGL builds it.
void HeadingInverse(float heading, float matrix[16])
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRotatef(-heading, 0, 1, 0);
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    glPopMatrix();
}

void DrainErrors()
{
    while (glGetError() != GL_NO_ERROR) {
    }
}

}  // namespace

void CZoGl::PrepairShader(unsigned int index)
{
    CUniformSetter uniforms(*this);
    if (!uniforms.Ready())
        return;
    if (index == kMinimapTank || index == kMinimapScenery) {
        uniforms.Int(U_IFTX, index == kMinimapTank ? 1 : 0);
        return;
    }
    if (index == kTextured) {
        uniforms.Int(U_TEXT, 0);
        uniforms.Int(U_BUMP, 1);
        uniforms.Vec2(U_SCRN, (float)m_targetWidth, (float)m_targetHeight);
        return;
    }
    if (!m_game)
        return;
    std::vector<SGameObject*> objects = m_game->GetGameObjects();
    if (index >= objects.size() || !objects[index])
        return;
    SGameObject* object = objects[index];
    SGraphicObject* model = GetObject(object->model);
    if (!model)
        return;
    int s = model->shader;
    bool lit = s == 0 || s == 1;
    if (lit) {
        float rotation[16];
        HeadingInverse(object->angles.y, rotation);
        uniforms.Mat4(U_ROTM, rotation);
        uniforms.Vec3(U_LPOS, m_lightX, kLightHeight, m_lightZ);
        uniforms.Vec3(U_CPOS, m_position.x, m_position.y, m_position.z);
        uniforms.Vec4(U_CLR1, model->colour);
    }
    if (s == 2)
        uniforms.Int(U_DEPT, 1);
    if (lit) {
        uniforms.Float(U_DIFF, model->diffuse);
        uniforms.Float(U_SPEC, model->specular);
        uniforms.Vec4(U_CLR2, object->effect);
        float position[4] = {object->pos.x, object->pos.y, object->pos.z, 0};
        uniforms.Vec4(U_OPOS, position);
    }
    if (lit || s == 3)
        uniforms.Int(U_TEXT, 0);
    if (s == 1) {
        int sinceDeath = object->active ? 10000 : (int)ElapsedSince(m_game->GetTime(), object->timer);
        uniforms.Int(U_LMAP, sinceDeath, "time: ");
    }
    if (s == 0 || s == 3)
        uniforms.Int(U_BUMP, 1);
    if (s == 3)
        uniforms.Vec2(U_SCRN, (float)m_targetWidth, (float)m_targetHeight);
    if (s == 0) {
        int tangent = uniforms.Location(A_TANG);
        if (tangent >= 0) {
            glBindBuffer(GL_ARRAY_BUFFER, m_tangentBuffer);
            glVertexAttribPointer(tangent, 3, GL_FLOAT, GL_FALSE, 0, 0);
            glEnableVertexAttribArray(tangent);
            if (tangent < 32)
                m_tangentArrays |= 1u << tangent;
        }
    }
}

void CZoGl::PrepairShader(char* name, int index)
{
    CUniformSetter uniforms(*this);
    if (!uniforms.Ready() || !name)
        return;
    if (std::strcmp(name, "Splash") == 0) {
        uniforms.Int(U_TEXT, 0);
        uniforms.Int(U_GLOW, 1);
        uniforms.Int(U_SHMD, m_shadowMode);
        return;
    }
    if (!m_game)
        return;
    std::vector<SGameObject*> objects = m_game->GetGameObjects();
    if (index < 0 || index >= (int)objects.size() || !objects[index])
        return;
    SGameObject* object = objects[index];
    SGraphicObject* model = GetObject(object->model);
    if (!model)
        return;

    if (std::strcmp(name, "Shadow") == 0) {
        int type = 0;
        if (object->kind == KIND_TANK && object->state && object->stateCount > TS_POWERUP_KIND) {
            float kind = object->state[TS_POWERUP_KIND];
            type = kind > -1e9f && kind < 1e9f ? (int)kind : 0;
        }
        uniforms.Int(U_TYPE, type, "type: ");
    } else if (std::strcmp(name, "Color") == 0) {
        uniforms.Vec4(U_CLR1, model->colour, "clr1: ");
        uniforms.Vec4(U_CLR2, object->effect, "clr2: ");
    } else {
        bool helper2or3 = std::strcmp(name, "DFailShadowHelp2") == 0 || std::strcmp(name, "DFailShadowHelp3") == 0;
        if (!helper2or3 && std::strcmp(name, "DFail") != 0 && std::strcmp(name, "DFailShadowHelp") != 0)
            return;
        uniforms.Vec3(U_LPOS, m_lightX, kLightHeight, m_lightZ);
        DrainErrors();
        uniforms.Vec3(U_OBJP, object->pos.x, object->pos.y, object->pos.z, helper2or3 ? "opos: " : 0);
        uniforms.Vec3(U_OBRT, object->angles.x, object->angles.y, object->angles.z);
    }
}
