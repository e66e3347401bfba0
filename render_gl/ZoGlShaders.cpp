// The shader loader: "shaders.lof" and the GLSL sources it names, built into
// one program object per entry with the ARB shader-object calls.
#include <GL/glew.h>
#include <GL/glu.h>

#include <cstdio>
#include <string>

#include "model/ListFile.h"
#include "model/Log.h"
#include "render_gl/ZoGl.h"

namespace {

const int INFO_LOG_SIZE = 2000;

// Opens a shader source, writes the progress line and reads it whole.
bool ReadShaderSource(const char* file, const char* progressPrefix, std::string& source)
{
    FILE* in = std::fopen(file, "rb");
    if (!in) {
        LogOut("Failed to open file: %s\n", file);
        return false;
    }
    LogOut("%s%s\n", progressPrefix, file);
    source.clear();
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        source.append(buffer, got);
    std::fclose(in);
    return true;
}

// Hands the source over, compiles it and writes the compiler's log as it is.
bool CompileShader(GLhandleARB shader, const std::string& source)
{
    const GLcharARB* text = source.c_str();
    glShaderSourceARB(shader, 1, &text, 0);
    glCompileShaderARB(shader);
    GLint compiled = 0;
    glGetObjectParameterivARB(shader, GL_OBJECT_COMPILE_STATUS_ARB, &compiled);
    GLcharARB log[INFO_LOG_SIZE] = "";
    GLsizei length = 0;
    glGetInfoLogARB(shader, INFO_LOG_SIZE, &length, log);
    LogOut("%s", log);
    return compiled != 0;
}

// Errors left over from earlier calls must not be blamed on the next one.
void ForgetGlErrors()
{
    for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

bool ReportGlError(const char* what)
{
    GLenum error = glGetError();
    if (error == GL_NO_ERROR)
        return false;
    LogOut("%s\n%s\n", what, (const char*)gluErrorString(error));
    return true;
}

}  // namespace

int CZoGl::LoadShaders(char* listFile)
{
    CListFile list(listFile);
    int count;
    if (!list.StartList(listFile, "program", count))
        return 0;
    m_shaderList = listFile;
    m_programTable.assign((std::size_t)count, 0);
    m_programs = m_programTable.data();
    m_programCount = count;
    for (int i = 0; i < count; ++i) {
        std::string fragmentFile, vertexFile;
        if (!list.ReadWord(fragmentFile) || !list.ReadWord(vertexFile)) {
            LogOut("Error: %s: entry %d is incomplete\n", listFile, i);
            return 0;
        }
        if (!LoadShader(&fragmentFile[0], &vertexFile[0], (unsigned int)i))
            return 0;
    }
    return 1;
}

int CZoGl::LoadShader(char* fragmentFile, char* vertexFile, unsigned int index)
{
    if (index >= (unsigned int)m_programCount) {
        LogOut("Error: no program slot %u\n", index);
        return 0;
    }
    GLhandleARB program = glCreateProgramObjectARB();
    m_programs[index] = program;
    GLhandleARB fragmentShader = glCreateShaderObjectARB(GL_FRAGMENT_SHADER_ARB);
    GLhandleARB vertexShader = glCreateShaderObjectARB(GL_VERTEX_SHADER_ARB);

    std::string source;
    if (!ReadShaderSource(vertexFile, "   Loading file: ", source) || !CompileShader(vertexShader, source))
        return 0;
    ForgetGlErrors();
    glAttachObjectARB(program, vertexShader);
    if (ReportGlError("Attach Error"))
        return 0;

    if (!ReadShaderSource(fragmentFile, "      Loading file: ", source) || !CompileShader(fragmentShader, source))
        return 0;
    glAttachObjectARB(program, fragmentShader);
    LogOut("         Linking\n");
    ForgetGlErrors();
    glLinkProgramARB(program);
    if (ReportGlError("Link Error"))
        return 0;

    // A program that failed to link would draw nothing; say so instead of
    // reporting success.
    GLint linked = 0;
    glGetObjectParameterivARB(program, GL_OBJECT_LINK_STATUS_ARB, &linked);
    if (!linked) {
        GLcharARB log[INFO_LOG_SIZE] = "";
        GLsizei length = 0;
        glGetInfoLogARB(program, INFO_LOG_SIZE, &length, log);
        std::string text(log);
        if (text.empty() || text[text.size() - 1] != '\n')
            text += '\n';
        LogOut("Link Error\n%s", text.c_str());
        return 0;
    }
    return 1;
}
