#include <GL/glew.h>

#include <string>

#include "render_gl/ZoGl.h"
#include "tests/gl/GlTestWindow.h"
#include "tests/unit/ScratchDir.h"

namespace {

const char* VERTEX = "void main() { gl_Position = ftransform(); }\n";
const char* FRAGMENT = "uniform vec4 clr1;\nvoid main() { gl_FragColor = clr1; }\n";
const char* BROKEN = "void main() { gl_Position = undeclared; }\n";
// Compiles, but calls a function that no shader defines.
const char* UNLINKABLE = "vec4 elsewhere();\nvoid main() { gl_FragColor = elsewhere(); }\n";

class ShaderLoader : public GlRendererTest {
protected:
    void SetUp() override
    {
        GlRendererTest::SetUp();
        dir.Write("ok.vert", VERTEX);
        dir.Write("ok.frag", FRAGMENT);
        dir.Write("broken.vert", BROKEN);
        dir.Write("unlinkable.frag", UNLINKABLE);
    }

    // Loads a list of "fragment vertex" name pairs from the scratch directory.
    int LoadList(const std::string& entries, int count, std::string& out)
    {
        std::string list = dir.Write("shaders.lof", std::to_string(count) + "\n" + entries);
        ScopedWorkingDir inDir(dir.Path());
        EXPECT_TRUE(inDir.Entered());
        testing::internal::CaptureStdout();
        int result = gl->LoadShaders(&list[0]);
        out = testing::internal::GetCapturedStdout();
        return result;
    }

    ScratchDir dir;
};

}  // namespace

TEST_F(ShaderLoader, EntryLinesComeInOrderAndTheProgramLinks)
{
    std::string out;
    ASSERT_EQ(LoadList("ok.frag ok.vert\nok.frag ok.vert\n", 2, out), 1) << out;
    std::string::size_type vertex = out.find("   Loading file: ok.vert\n");
    std::string::size_type fragment = out.find("      Loading file: ok.frag\n");
    std::string::size_type linking = out.find("         Linking\n");
    EXPECT_EQ(vertex, 0u) << out;
    ASSERT_NE(fragment, std::string::npos) << out;
    ASSERT_NE(linking, std::string::npos) << out;
    EXPECT_LT(vertex, fragment);
    EXPECT_LT(fragment, linking);
    EXPECT_EQ(out.find("Error"), std::string::npos) << out;

    ASSERT_EQ(gl->m_programCount, 2);
    GLint linked = 0;
    glGetObjectParameterivARB(gl->m_programs[1], GL_OBJECT_LINK_STATUS_ARB, &linked);
    EXPECT_TRUE(linked);
    EXPECT_NE(gl->m_programs[0], gl->m_programs[1]);
}

TEST_F(ShaderLoader, MissingVertexFileStopsBeforeTheFragmentFile)
{
    std::string out;
    EXPECT_EQ(LoadList("missing.frag missing.vert\nok.frag ok.vert\n", 2, out), 0);
    EXPECT_EQ(out, "Failed to open file: missing.vert\n");
}

TEST_F(ShaderLoader, MissingFragmentFileStopsTheList)
{
    std::string out;
    EXPECT_EQ(LoadList("missing.frag ok.vert\nok.frag ok.vert\n", 2, out), 0);
    EXPECT_EQ(out.find("   Loading file: ok.vert\n"), 0u) << out;
    EXPECT_NE(out.find("Failed to open file: missing.frag\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("Linking"), std::string::npos) << out;
    EXPECT_EQ(gl->m_programs[1], 0u);
}

TEST_F(ShaderLoader, CompileErrorPrintsTheLogAndStops)
{
    std::string out;
    EXPECT_EQ(LoadList("ok.frag broken.vert\nok.frag ok.vert\n", 2, out), 0);
    std::string first = "   Loading file: broken.vert\n";
    ASSERT_EQ(out.find(first), 0u) << out;
    EXPECT_GT(out.size(), first.size()) << "the compiler's log is written";
    EXPECT_EQ(out.find("Loading file: ok"), std::string::npos) << out;
    EXPECT_EQ(gl->m_programs[1], 0u);
}

TEST_F(ShaderLoader, LinkFailureIsReportedNotTakenForSuccess)
{
    std::string out;
    EXPECT_EQ(LoadList("unlinkable.frag ok.vert\n", 1, out), 0);
    std::string::size_type linking = out.find("         Linking\n");
    ASSERT_NE(linking, std::string::npos) << out;
    EXPECT_NE(out.find("Link Error\n", linking), std::string::npos) << out;
}

TEST_F(ShaderLoader, EmptySourceIsHandedOverAsAnEmptyString)
{
    dir.Write("empty.vert", "");
    std::string out;
    LoadList("ok.frag empty.vert\n", 1, out);
    EXPECT_EQ(out.find("   Loading file: empty.vert\n"), 0u) << out;
}
