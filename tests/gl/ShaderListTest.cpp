// Every program of the shader list compiles and links under the GL the game runs on, and
// declares (and uses) the uniforms and attribute that the renderer hands its slot.
#include <GL/glew.h>
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "model/Numbers.h"

namespace {

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class ShaderList : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_NE(SDL_SetVideoMode(64, 64, 0, SDL_OPENGL), nullptr) << SDL_GetError();
    ASSERT_EQ(glewInit(), static_cast<GLenum>(GLEW_OK));
  }
  static void TearDownTestSuite() { SDL_Quit(); }

  // Compiles one shader object; returns 0 and records the log on failure.
  static GLhandleARB compile(GLenum kind, const std::string& file, std::string& log) {
    const std::string source = readFile(std::string(FERROWIND_ASSETS) + "/" + file);
    if (source.empty()) {
      log = file + ": missing or empty";
      return 0;
    }
    GLhandleARB shader = glCreateShaderObjectARB(kind);
    const GLcharARB* text = source.c_str();
    glShaderSourceARB(shader, 1, &text, nullptr);
    glCompileShaderARB(shader);
    GLint ok = 0;
    glGetObjectParameterivARB(shader, GL_OBJECT_COMPILE_STATUS_ARB, &ok);
    char buffer[2000] = "";
    glGetInfoLogARB(shader, sizeof buffer, nullptr, buffer);
    log = file + ": " + buffer;
    return ok ? shader : 0;
  }
};

TEST_F(ShaderList, EverySlotBuildsWithTheUniformsItIsGiven) {
  std::istringstream list(readFile(std::string(FERROWIND_ASSETS) + "/shaders.lof"));
  int count = 0;
  ASSERT_TRUE(list >> count);
  // The shadow caps are the last programs the renderer uses.
  ASSERT_EQ(count, program::CapBoth + 1) << "the list should hold the renderer's programs and no others";

  // Uniforms each slot must use (an unused uniform would be dropped and silently ignored).
  const std::map<int, std::vector<const char*>> uniforms = {
      {0, {"rotm", "lpos", "cpos", "clr1", "diff", "spec", "clr2", "opos", "text", "bump"}},
      {1, {"rotm", "lpos", "cpos", "clr1", "diff", "spec", "clr2", "opos", "text", "lmap"}},
      {2, {"dept", "text"}},
      {3, {"text"}},
      {4, {"type"}},
      {5, {"iftx", "text"}},
      {6, {"clr1", "clr2"}},
      {7, {"text", "glow", "shmd"}},
      {8, {"text"}}, {9, {"text"}}, {10, {"text"}}, {11, {"text"}},
      {program::CapFar, {"lpos", "objp", "obrt"}}, {program::CapBoth, {"lpos", "objp", "obrt"}}};

  for (int slot = 0; slot < count; ++slot) {
    std::string fragmentFile, vertexFile, log;
    ASSERT_TRUE(list >> fragmentFile >> vertexFile) << "entry " << slot;
    GLhandleARB vertex = compile(GL_VERTEX_SHADER_ARB, vertexFile, log);
    ASSERT_NE(vertex, 0u) << "slot " << slot << " " << log;
    GLhandleARB fragment = compile(GL_FRAGMENT_SHADER_ARB, fragmentFile, log);
    ASSERT_NE(fragment, 0u) << "slot " << slot << " " << log;
    GLhandleARB program = glCreateProgramObjectARB();
    glAttachObjectARB(program, vertex);
    glAttachObjectARB(program, fragment);
    glLinkProgramARB(program);
    GLint linked = 0;
    glGetObjectParameterivARB(program, GL_OBJECT_LINK_STATUS_ARB, &linked);
    char buffer[2000] = "";
    glGetInfoLogARB(program, sizeof buffer, nullptr, buffer);
    ASSERT_TRUE(linked) << "slot " << slot << ": " << buffer;
    auto wanted = uniforms.find(slot);
    if (wanted != uniforms.end()) {
      for (const char* name : wanted->second)
        EXPECT_NE(glGetUniformLocationARB(program, name), -1) << "slot " << slot << " uniform " << name;
    }
    if (slot == 0) {
      EXPECT_GE(glGetAttribLocationARB(program, "tang"), 0) << "the tangent attribute";
    }
  }
}

}  // namespace
