#include <GL/glew.h>

#include <string>
#include <vector>

#include "render_gl/ZoGl.h"
#include "tests/gl/GlTestWindow.h"
#include "tests/unit/ScratchDir.h"

namespace {

// An uncompressed TGA image, rows bottom-up; pixels given as RGB or RGBA.
std::string Tga(int width, int height, int channels, const std::vector<unsigned char>& pixels)
{
    std::string file(18, '\0');
    file[2] = 2;
    file[12] = (char)(width & 255);
    file[13] = (char)(width >> 8);
    file[14] = (char)(height & 255);
    file[15] = (char)(height >> 8);
    file[16] = (char)(channels * 8);
    file[17] = channels == 4 ? 8 : 0;
    for (std::size_t p = 0; p + channels <= pixels.size(); p += channels) {
        file += (char)pixels[p + 2];
        file += (char)pixels[p + 1];
        file += (char)pixels[p];
        if (channels == 4)
            file += (char)pixels[p + 3];
    }
    return file;
}

GLint MinFilter(unsigned int texture)
{
    GLint filter = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    return filter;
}

class TextureLoader : public GlRendererTest {
protected:
    void SetUp() override
    {
        GlRendererTest::SetUp();
    }

    unsigned int Load(const std::string& name, int mipmapComponents, std::string& out)
    {
        std::string file = dir.File(name);
        testing::internal::CaptureStdout();
        unsigned int texture = gl->LoadTexture(&file[0], mipmapComponents);
        out = testing::internal::GetCapturedStdout();
        return texture;
    }

    std::vector<unsigned char> Level(unsigned int texture, int level, GLenum format, std::size_t size)
    {
        std::vector<unsigned char> pixels(size);
        glBindTexture(GL_TEXTURE_2D, texture);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    ScratchDir dir;
};

}  // namespace

TEST_F(TextureLoader, ListStopsAtTheFirstImageThatDoesNotLoad)
{
    std::vector<unsigned char> grey(2 * 2 * 3, 128);
    dir.Write("a.tga", Tga(2, 2, 3, grey));
    dir.Write("c.tga", Tga(2, 2, 3, grey));
    std::string a = dir.File("a.tga"), missing = dir.File("missing.tga"), c = dir.File("c.tga");
    std::string list = dir.Write("textures.lof", "3\n" + a + " 1\n" + missing + " 1\n" + c + " 1\n");

    testing::internal::CaptureStdout();
    EXPECT_EQ(gl->LoadTextures(&list[0]), 0);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "   Loading: " + a + "\n      " + a + " loaded\n   Loading: " + missing + "\nfailed\n");
    ASSERT_EQ(gl->m_textureCount, 3);
    EXPECT_TRUE(glIsTexture(gl->m_textures[0]));
    EXPECT_EQ(gl->m_textures[1], 0u);
    EXPECT_EQ(gl->m_textures[2], 0u);
}

TEST_F(TextureLoader, WholeListLoads)
{
    std::vector<unsigned char> grey(2 * 2 * 3, 128);
    dir.Write("a.tga", Tga(2, 2, 3, grey));
    std::string a = dir.File("a.tga");
    std::string list = dir.Write("textures.lof", "2 " + a + " 0 " + a + " 3");
    testing::internal::CaptureStdout();
    EXPECT_EQ(gl->LoadTextures(&list[0]), 1);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.substr(out.size() - 16), "textures loaded\n");
    EXPECT_NE(gl->m_textures[0], gl->m_textures[1]);
}

TEST_F(TextureLoader, MipmapsKeepTheColoursOfAnImageWithAlpha)
{
    std::vector<unsigned char> pixels;
    for (int i = 0; i < 16; ++i)
        pixels.insert(pixels.end(), {10, 200, 30, 128});
    dir.Write("alpha.tga", Tga(4, 4, 4, pixels));
    std::string out;
    unsigned int texture = Load("alpha.tga", 4, out);
    ASSERT_NE(texture, 0u) << out;
    EXPECT_EQ(MinFilter(texture), GL_LINEAR_MIPMAP_NEAREST);
    for (int level = 1; level <= 2; ++level) {
        std::vector<unsigned char> p = Level(texture, level, GL_RGBA, 4);
        EXPECT_NEAR(p[0], 10, 1) << level;
        EXPECT_NEAR(p[1], 200, 1) << level;
        EXPECT_NEAR(p[2], 30, 1) << level;
        EXPECT_NEAR(p[3], 128, 1) << level;
    }
}

TEST_F(TextureLoader, OddWidthImagesUploadRowByRow)
{
    // Three pixels a row, the same in both rows, so the row order does not matter.
    std::vector<unsigned char> row = {255, 0, 0, 0, 255, 0, 0, 0, 255};
    std::vector<unsigned char> pixels = row;
    pixels.insert(pixels.end(), row.begin(), row.end());
    dir.Write("odd.tga", Tga(3, 2, 3, pixels));
    std::string out;
    unsigned int texture = Load("odd.tga", 0, out);
    ASSERT_NE(texture, 0u) << out;
    EXPECT_EQ(out, "   Loading: " + dir.File("odd.tga") + "\n      " + dir.File("odd.tga") + " loaded\n");
    EXPECT_EQ(MinFilter(texture), GL_LINEAR);
    EXPECT_EQ(Level(texture, 0, GL_RGB, pixels.size()), pixels);
}

TEST_F(TextureLoader, UnreadableImageGivesZero)
{
    dir.Write("junk.tga", "this is no image");
    std::string out;
    EXPECT_EQ(Load("junk.tga", 1, out), 0u);
    EXPECT_EQ(out, "   Loading: " + dir.File("junk.tga") + "\n");
}

TEST_F(TextureLoader, SwitchedOffFiltersGiveNearestMagnificationAndNoMipmaps)
{
    std::vector<unsigned char> grey(2 * 2 * 3, 128);
    dir.Write("grey.tga", Tga(2, 2, 3, grey));
    gl->m_mipmaps = false;
    gl->m_linearMagFilter = false;
    std::string out;
    unsigned int texture = Load("grey.tga", 3, out);
    ASSERT_NE(texture, 0u) << out;
    EXPECT_EQ(MinFilter(texture), GL_LINEAR);
    GLint magFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    EXPECT_EQ(magFilter, GL_NEAREST);
}
