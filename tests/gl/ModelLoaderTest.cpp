#include <GL/glew.h>

#include <string>

#include "render/ModelCache.h"
#include "render_gl/ZoGl.h"
#include "tests/gl/GlTestWindow.h"
#include "tests/unit/ScratchDir.h"

namespace {

const std::string DATA = FERROWIND_TEST_DATA "/";

GLint BufferSize(GLenum target, unsigned int buffer)
{
    GLint size = -1;
    glBindBuffer(target, buffer);
    glGetBufferParameteriv(target, GL_BUFFER_SIZE, &size);
    glBindBuffer(target, 0);
    return size;
}

// Runs the model loader with the scratch directory as working directory,
// where the cache files go.
class ModelLoader : public GlRendererTest {
protected:
    void SetUp() override
    {
        GlRendererTest::SetUp();
        ASSERT_TRUE(inDir.Entered());
    }

    int Load(const std::string& list, std::string& out)
    {
        std::string name = list;
        testing::internal::CaptureStdout();
        int result = gl->LoadObjects(&name[0]);
        out = testing::internal::GetCapturedStdout();
        return result;
    }

    void ExpectTwoQuadsUploaded()
    {
        ASSERT_EQ(gl->ModelCount(), 2);
        EXPECT_EQ(gl->GetVertices(), gl->m_store.vertexArray.data());
        EXPECT_EQ(gl->m_store.vertexArray.size(), 12u);
        EXPECT_EQ(BufferSize(GL_ARRAY_BUFFER, gl->m_vertexBuffer), 12 * 12);
        EXPECT_EQ(BufferSize(GL_ARRAY_BUFFER, gl->m_texCoordBuffer), 12 * 8);
        EXPECT_EQ(BufferSize(GL_ARRAY_BUFFER, gl->m_normalBuffer), 12 * 12);
        EXPECT_EQ(BufferSize(GL_ARRAY_BUFFER, gl->m_tangentBuffer), 12 * 12);
        const SGraphicObject* second = gl->GetObject(1);
        ASSERT_NE(second, nullptr);
        EXPECT_EQ(second->indices[0], 6u);
        EXPECT_EQ(second->shader, 3);
        EXPECT_EQ(second->edgeCount, 5);
        EXPECT_TRUE(glIsBuffer(second->indexBuffer));
        EXPECT_EQ(BufferSize(GL_ELEMENT_ARRAY_BUFFER, second->indexBuffer), 6 * 4);
        GLint boundVertices = 0;
        glGetIntegerv(GL_VERTEX_ARRAY_BUFFER_BINDING, &boundVertices);
        EXPECT_EQ((unsigned int)boundVertices, gl->m_vertexBuffer);
    }

    ScratchDir dir;
    ScopedWorkingDir inDir{dir.Path()};
};

}  // namespace

#ifndef FERROWIND_CACHE_READER

TEST_F(ModelLoader, LoadsTheListUploadsAndWritesTheCache)
{
    std::string quad = DATA + "two_triangles.dae";
    dir.Write("models.lof", "2\n" + quad + " 0 1 0 1 1 1 1 0.5 8\n" + quad + " 1 2 3 1 1 1 1 0.5 8\n");
    std::string out;
    ASSERT_EQ(Load("models.lof", out), 1) << out;
    EXPECT_EQ(out, "   Loading " + quad + "\n   Loading " + quad + "\n\t\tGenerating Normals\nmodels loaded\n");
    ExpectTwoQuadsUploaded();

    EXPECT_EQ(dir.Read("vaf.blob").size(), 12u * 12);
    EXPECT_EQ(dir.Read("oaf.blob").size(), 2u * sizeof(SGraphicObject));
    EXPECT_EQ(dir.Read("i1.blob").size(), 6u * 4);
    EXPECT_EQ(dir.Read("e1.blob").size(), 5u * 56);
}

TEST_F(ModelLoader, UnopenableListLoadsNothing)
{
    std::string out;
    EXPECT_EQ(Load("models.lof", out), 0);
    EXPECT_EQ(out, "Error: Couldn't open models.lof\n");
    EXPECT_EQ(gl->ModelCount(), 0);
}

#else

TEST_F(ModelLoader, ReadsTheCacheInsteadOfTheList)
{
    // The cache of two quads, as a build with the COLLADA reader writes it.
    CZoModelStore written;
    std::string quad = DATA + "two_triangles.dae";
    testing::internal::CaptureStdout();
    written.AddColladaModel(&quad[0], 0, 0);
    written.AddColladaModel(&quad[0], 6, 1);
    testing::internal::GetCapturedStdout();
    written.m_models[1].shader = 3;
    written.Finish();
    std::string error;
    ASSERT_TRUE(WriteModelCache(written, "", error)) << error;

    std::string out;
    ASSERT_EQ(Load("models.lof", out), 1) << out;
    EXPECT_EQ(out, "Basic stuff done\nmodels loaded\n");
    ExpectTwoQuadsUploaded();
}

TEST_F(ModelLoader, MissingCacheFileLoadsNothing)
{
    std::string out;
    EXPECT_EQ(Load("models.lof", out), 0);
    EXPECT_EQ(out, "Error: model cache: couldn't open vaf.blob\n");
}

#endif
