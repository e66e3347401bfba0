// The texture loader: "textures.lof" and the images it names, through DevIL.
#include <GL/glew.h>
#include <GL/glu.h>
#include <IL/il.h>

#include <cstdio>
#include <string>

#include "model/ListFile.h"
#include "model/Log.h"
#include "render_gl/ZoGl.h"

int CZoGl::LoadTextures(char* listFile)
{
    CListFile list(listFile);
    int count;
    if (!list.StartList(listFile, "texture", count))
        return 0;
    m_textureList = listFile;
    m_textureTable.assign((std::size_t)count, 0);
    m_textureMipmaps.assign((std::size_t)count, false);
    m_textures = m_textureTable.data();
    m_textureCount = count;
    for (int i = 0; i < count; ++i) {
        std::string file;
        int mipmapComponents;
        if (!list.ReadWord(file) || !list.ReadInt(mipmapComponents)) {
            LogOut("Error: %s: entry %d is incomplete\n", listFile, i);
            return 0;
        }
        m_textures[i] = LoadTexture(&file[0], mipmapComponents);
        m_textureMipmaps[i] = mipmapComponents > 0 && m_mipmaps;
        if (m_textures[i] == 0) {
            LogOut("failed\n");
            return 0;
        }
    }
    // The loader's own filters are the full picture's.
    if (m_quality.filter != FILTER_MIPMAPS)
        ApplyTextureFilter();
    LogOut("textures loaded\n");
    return 1;
}

unsigned int CZoGl::LoadTexture(char* file, int mipmapComponents)
{
    LogOut("   Loading: %s\n", file);
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    // Palette images are expanded: OpenGL takes no colour-index textures.
    bool loaded = ilLoadImage(file) &&
                  ilConvertImage(ilGetInteger(IL_IMAGE_FORMAT) == IL_COLOUR_INDEX ? IL_RGBA
                                                                                  : ilGetInteger(IL_IMAGE_FORMAT),
                                 IL_UNSIGNED_BYTE);
    if (!loaded) {
        ilDeleteImages(1, &image);
        return 0;
    }
    GLint bytesPerPixel = ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL);
    GLsizei width = ilGetInteger(IL_IMAGE_WIDTH);
    GLsizei height = ilGetInteger(IL_IMAGE_HEIGHT);
    GLenum format = (GLenum)ilGetInteger(IL_IMAGE_FORMAT);
    const ILubyte* pixels = ilGetData();

    unsigned int texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, m_linearMagFilter ? GL_LINEAR : GL_NEAREST);
    // DevIL rows are packed tightly, whatever the width.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (mipmapComponents > 0 && m_mipmaps) {
        // One level a sample instead of a blend of two: a quarter of the
        // objects' drawing time on a software rasterizer, and the frames
        // stay within a level's blur of the trilinear ones.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
        glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glTexImage2D(GL_TEXTURE_2D, 0, bytesPerPixel, width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
        gluBuild2DMipmaps(GL_TEXTURE_2D, mipmapComponents, width, height, format, GL_UNSIGNED_BYTE, pixels);
    } else {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, bytesPerPixel, width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
    }
    ilDeleteImages(1, &image);
    LogOut("      %s loaded\n", file);
    return texture;
}
