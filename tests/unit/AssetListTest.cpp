// The list-file side of the asset loaders: how entries are read, and where a
// list stops. The per-asset loading is replaced, so no OpenGL is needed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/LogCapture.h"
#include "render/ModelList.h"
#include "render_gl/ZoGl.h"
#include "tests/unit/ScratchDir.h"

namespace {

// A renderer whose per-file loaders only record their calls; a name
// containing "missing" fails.
class RecordingGl : public CZoGl {
public:
    RecordingGl() : CZoGl(SNoDevice()) {}

    unsigned int LoadTexture(char* file, int mipmapComponents) override
    {
        calls.push_back(std::string(file) + " " + std::to_string(mipmapComponents));
        return std::string(file).find("missing") == std::string::npos ? 100 + (unsigned int)calls.size() : 0;
    }

    int LoadShader(char* fragmentFile, char* vertexFile, unsigned int index) override
    {
        calls.push_back(std::to_string(index) + " " + fragmentFile + " " + vertexFile);
        return std::string(vertexFile).find("missing") == std::string::npos;
    }

    std::vector<std::string> calls;
};

int LoadTextureList(RecordingGl& gl, const std::string& content, std::string& out)
{
    ScratchDir dir;
    std::string list = dir.Write("textures.lof", content);
    CaptureLog();
    int result = gl.LoadTextures(&list[0]);
    out = CapturedOut();
    return result;
}

std::vector<std::string> ModelNames(const std::string& content, bool& ok, CZoModelStore& store, std::string& out)
{
    ScratchDir dir;
    std::string list = dir.Write("models.lof", content);
    std::vector<std::string> calls;
    CaptureLog();
    ok = ReadModelList(list.c_str(), store, [&](char* file, unsigned int base, int makeNormals) {
        calls.push_back(std::string(file) + " " + std::to_string(base) + " " + std::to_string(makeNormals));
        store.AddModel({Vector3f(0, 0, 0), Vector3f(1, 0, 0), Vector3f(0, 1, 0)}, {}, {});
    });
    out = CapturedOut();
    return calls;
}

}  // namespace

TEST(TextureList, EntriesMayBeSpreadOverLinesInAnyWay)
{
    RecordingGl byLine, oneLine;
    std::string out;
    ASSERT_EQ(LoadTextureList(byLine, "3\ngrass.png\n4\nsky.tga 0\n\n  rock.bmp\t-2\n", out), 1);
    EXPECT_EQ(out, "textures loaded\n");
    ASSERT_EQ(LoadTextureList(oneLine, "3 grass.png 4 sky.tga 0 rock.bmp -2", out), 1);
    EXPECT_EQ(byLine.calls, oneLine.calls);
    ASSERT_EQ(oneLine.calls.size(), 3u);
    EXPECT_EQ(oneLine.calls[2], "rock.bmp -2");
    EXPECT_EQ(oneLine.m_textureCount, 3);
    EXPECT_EQ(oneLine.m_textures[0], 101u);
    EXPECT_EQ(oneLine.m_textures[2], 103u);
}

// An empty list loads nothing; the first file that fails, an entry without
// its count or a count that is no number stops the list. A count beyond the
// file's size is refused before the table is made for it.
TEST(TextureList, ListsEndAtTheirCountOrTheFirstProblem)
{
    struct {
        const char* content;
        int result;
        const char* printed;  // a part of what is printed
        size_t calls;
    } cases[] = {
        {"0\nnot_read.png 1\n", 1, "textures loaded\n", 0}, {"3 a.png 1 missing.png 1 c.png 1", 0, "failed\n", 2},
        {"2 a.png 1 b.png", 0, "entry 1 is incomplete", 1},   {"-1", 0, "", 0},
        {"two a.png 1", 0, "", 0},
        {"1000000 a.png 1", 0, "counts 1000000 textures, more than the file can hold", 0},
    };
    for (const auto& c : cases) {
        RecordingGl gl;
        std::string out;
        EXPECT_EQ(LoadTextureList(gl, c.content, out), c.result) << c.content;
        EXPECT_NE(out.find(c.printed), std::string::npos) << c.content << ": " << out;
        EXPECT_EQ(gl.calls.size(), c.calls) << c.content;
        EXPECT_LE(gl.m_textureTable.size(), 3u) << c.content;
    }
    RecordingGl gl;
    CaptureLog();
    EXPECT_EQ(gl.LoadTextures((char*)"/nonexistent/textures.lof"), 0);
    EXPECT_EQ(CapturedOut(), "Error: Couldn't open /nonexistent/textures.lof\n");
}

TEST(ShaderList, EntriesGiveFragmentThenVertexFileInSlotOrder)
{
    RecordingGl gl;
    ScratchDir dir;
    std::string list = dir.Write("shaders.lof", "2\nf0.frag v0.vert\nf1.frag\nv1.vert\n");
    CaptureLog();
    EXPECT_EQ(gl.LoadShaders(&list[0]), 1);
    EXPECT_EQ(CapturedOut(), "");
    ASSERT_EQ(gl.calls.size(), 2u);
    EXPECT_EQ(gl.calls[0], "0 f0.frag v0.vert");
    EXPECT_EQ(gl.calls[1], "1 f1.frag v1.vert");
    EXPECT_EQ(gl.m_programCount, 2);
}

TEST(ShaderList, FirstFailureStopsTheList)
{
    RecordingGl gl;
    ScratchDir dir;
    std::string list = dir.Write("shaders.lof", "3 a.frag a.vert b.frag missing.vert c.frag c.vert");
    EXPECT_EQ(gl.LoadShaders(&list[0]), 0);
    EXPECT_EQ(gl.calls.size(), 2u);

    CaptureLog();
    EXPECT_EQ(gl.LoadShaders((char*)"/nonexistent/shaders.lof"), 0);
    EXPECT_EQ(CapturedOut(), "Error: Couldn't open /nonexistent/shaders.lof\n");
}

TEST(ModelList, EntriesFillTheModelJustLoaded)
{
    CZoModelStore store;
    bool ok = false;
    std::string out;
    std::vector<std::string> calls = ModelNames(
        "2\n"
        "hull.dae 1 5 2 0.1 0.2 0.3 1.0 0.5 16\n"
        "turret.dae\n0\n-1\n3\n1 1 1 0.5\n2e-1 4\n",
        ok, store, out);
    ASSERT_TRUE(ok) << out;
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], "hull.dae 0 1");
    EXPECT_EQ(calls[1], "turret.dae 3 0");  // base: the first model's vertex count
    const SGraphicObject& hull = store.m_models[0];
    EXPECT_EQ(hull.modelParam, 5);
    EXPECT_EQ(hull.shader, 2);
    EXPECT_FLOAT_EQ(hull.colour[2], 0.3f);
    EXPECT_FLOAT_EQ(hull.specular, 16);
    const SGraphicObject& turret = store.m_models[1];
    EXPECT_EQ(turret.modelParam, -1);
    EXPECT_EQ(turret.shader, 3);
    EXPECT_FLOAT_EQ(turret.colour[3], 0.5f);
    EXPECT_FLOAT_EQ(turret.diffuse, 0.2f);
}

TEST(ModelList, EmptyAndBrokenLists)
{
    CZoModelStore store;
    bool ok = false;
    std::string out;
    EXPECT_TRUE(ModelNames("0 ignored.dae 1", ok, store, out).empty());
    EXPECT_TRUE(ok);

    EXPECT_EQ(ModelNames("2 a.dae 0 0 0 1 1 1 1 1 1 b.dae 0 0 0 1 1", ok, store, out).size(), 2u);
    EXPECT_FALSE(ok);
    EXPECT_NE(out.find("entry 1 is incomplete"), std::string::npos) << out;

    CaptureLog();
    EXPECT_FALSE(ReadModelList("/nonexistent/models.lof", store, [](char*, unsigned int, int) {}));
    EXPECT_EQ(CapturedOut(), "Error: Couldn't open /nonexistent/models.lof\n");
}

TEST(ModelList, LongNamesArriveWhole)
{
    CZoModelStore store;
    bool ok = false;
    std::string out;
    std::string name(300, 'm');
    std::vector<std::string> calls = ModelNames("1 " + name + " 0 0 0 1 1 1 1 1 1", ok, store, out);
    ASSERT_TRUE(ok);
    EXPECT_EQ(calls[0], name + " 0 0");
}
