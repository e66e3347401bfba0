#ifndef FERROWIND_TESTS_FRAMESCENE_H
#define FERROWIND_TESTS_FRAMESCENE_H

// Drawing tests: the default battlefield's textures, programs and models,
// loaded once per process into one renderer, and a small battlefield set up
// by hand in place of the game.
#include <GL/glew.h>

#include <cmath>
#include <string>
#include <vector>

#include <unistd.h>

#include "render_gl/ZoGl.h"
#include "tests/gl/GlTestWindow.h"
#include "tests/unit/ObjectBuilder.h"
#include "tests/unit/ScratchDir.h"

// Asset numbers of the default battlefield.
enum {
    MODEL_GROUND = 0,
    MODEL_TANK = 1,
    MODEL_MUZZLE_FLASH = 2,
    MODEL_BUNKER = 20,
    TEXTURE_GROUND = 0,
    TEXTURE_GROUND_BUMP = 1,
    TEXTURE_CONCRETE = 2,
    TEXTURE_CONCRETE_BUMP = 31,
    TEXTURE_CAMO = 17,
    TEXTURE_TANK_BUMP = 39
};

// The game as the renderer sees it, with a clock that stands still.
class CSceneGame : public IGameInterface {
public:
    ~CSceneGame()
    {
        for (SGameObject* o : objects)
            DestroyObject(o);
    }
    void ShutDown() override {}
    std::vector<SGameObject*> GetGameObjects() override { return objects; }
    std::vector<int> GetGameEffectObjects() override { return effects; }
    int AddGameObject(SGameObject* o) override
    {
        objects.push_back(o);
        return (int)objects.size() - 1;
    }
    void AddMsg(SGameMsg) override {}
    void Publish(SGameMsg msg, bool) override { AddMsg(msg); }
    unsigned long GetTime() override { return now; }
    void SetTimeOffset(unsigned long) override {}

    SGameObject* Add(int kind, int model, int texture0, int texture1, Vector3f pos)
    {
        SGameObject* o = NewObject(kind, pos, 0, model);
        o->texture0 = texture0;
        o->texture1 = texture1;
        if (kind == KIND_TANK) {
            o->state[TS_IMPACT_X] = o->state[TS_IMPACT_Z] = -1;  // no hit to mark
            o->timer = now - 100000;  // last shot long ago
        }
        AddGameObject(o);
        return o;
    }

    // Ground (0), the local tank (1) and the muzzle-flash effect object (2).
    void Battlefield(Vector3f tankPos)
    {
        Add(KIND_GROUND, MODEL_GROUND, TEXTURE_GROUND, TEXTURE_GROUND_BUMP, Vector3f(500, 0, 500));
        Add(KIND_TANK, MODEL_TANK, TEXTURE_CAMO, TEXTURE_TANK_BUMP, tankPos);
        Add(KIND_EFFECT, MODEL_MUZZLE_FLASH, 3, 3, Vector3f(0, 0, 0))->active = 0;
        effects.push_back(2);
    }

    std::vector<SGameObject*> objects;
    std::vector<int> effects;
    unsigned long now = 1000000;
};

// The window's pixels after a frame, rows from the top.
class CFrame {
public:
    static CFrame Read()
    {
        CFrame frame;
        frame.m_rgb.resize(1024 * 768 * 3);
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, 1024, 768, GL_RGB, GL_UNSIGNED_BYTE, frame.m_rgb.data());
        return frame;
    }
    const unsigned char* At(int x, int yFromTop) const { return &m_rgb[((767 - yFromTop) * 1024 + x) * 3]; }
    float Brightness(int x, int yFromTop) const
    {
        const unsigned char* p = At(x, yFromTop);
        return (p[0] + p[1] + p[2]) / 3.0f;
    }
    // Mean brightness of the box around (x, y), `radius` pixels each way.
    float MeanBrightness(int x, int y, int radius) const
    {
        float sum = 0;
        int n = 0;
        for (int j = y - radius; j <= y + radius; ++j)
            for (int i = x - radius; i <= x + radius; ++i)
                if (i >= 0 && i < 1024 && j >= 0 && j < 768) {
                    sum += Brightness(i, j);
                    ++n;
                }
        return n ? sum / n : 0;
    }
    // Pixels in [x0, x1) x [y0, y1) that differ from `other` by more than `tolerance` in a channel.
    int Differences(const CFrame& other, int x0, int y0, int x1, int y1, int tolerance = 24) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                for (int c = 0; c < 3; ++c)
                    if (std::abs(At(x, y)[c] - other.At(x, y)[c]) > tolerance) {
                        ++n;
                        break;
                    }
        return n;
    }
    // Writes the frame as a PPM picture, for looking at a failure.
    void Save(const std::string& path) const
    {
        FILE* f = fopen(path.c_str(), "wb");
        if (!f)
            return;
        fprintf(f, "P6 1024 768 255\n");
        for (int y = 0; y < 768; ++y)
            fwrite(At(0, y), 1, 1024 * 3, f);
        fclose(f);
    }

private:
    std::vector<unsigned char> m_rgb;
};

// Window pixel (x, y from the top) where the camera of `gl` shows a world point.
struct SPixel {
    int x, y;
    bool visible;
};

inline SPixel WindowPixel(const CZoGl& gl, const Vector3f& world)
{
    Vector3f f = gl.m_direction;
    f.Rescale(1);
    Vector3f s = f.CrossProduct(Vector3f(0, 1, 0));
    s.Rescale(1);
    Vector3f u = s.CrossProduct(f);
    Vector3f p = world - gl.m_position;
    float w = f.Dot(p);
    SPixel pixel = {0, 0, false};
    if (w <= 10)
        return pixel;
    float nx = s.Dot(p) / w, ny = u.Dot(p) / w;
    pixel.x = (int)((nx + 1) / 2 * 1024);
    pixel.y = 767 - (int)((ny + 1) / 2 * 768);
    pixel.visible = pixel.x >= 0 && pixel.x < 1024 && pixel.y >= 0 && pixel.y < 768;
    return pixel;
}

// The renderer with the default battlefield's assets, made once per process.
// The loaders run in a scratch directory that links to the assets, so that
// the model cache files they write stay out of the source tree.
inline ScratchDir& AssetsDir()
{
    static ScratchDir* dir = 0;
    if (!dir) {
        dir = new ScratchDir();
        const std::string assets = FERROWIND_ASSETS;
        for (const char* sub : {"textures", "models", "shaders"})
            EXPECT_EQ(symlink((assets + "/" + sub).c_str(), dir->File(sub).c_str()), 0) << sub;
    }
    return *dir;
}

inline CZoGl* LoadedRenderer()
{
    static CZoGl* gl = 0;
    if (gl || !OpenGlTestWindow())
        return gl;
    const std::string assets = FERROWIND_ASSETS;
    ScopedWorkingDir inDir(AssetsDir().Path());
    if (!inDir.Entered())
        return 0;
    testing::internal::CaptureStdout();
    gl = new CZoGl();
    std::string textures = assets + "/textures.lof", shaders = assets + "/shaders.lof",
                models = assets + "/models.lof";
    bool loaded = gl->LoadTextures(&textures[0]) && gl->LoadShaders(&shaders[0]) && gl->LoadObjects(&models[0]);
    std::string log = testing::internal::GetCapturedStdout();
    if (!loaded) {
        fprintf(stderr, "%s", log.c_str());
        gl = 0;
    }
    return gl;
}

// A fixture drawing frames of a CSceneGame with the loaded renderer.
class FrameTest : public testing::Test {
protected:
    void SetUp() override
    {
        gl = LoadedRenderer();
        ASSERT_TRUE(gl) << "the default battlefield could not be loaded";
        // Tests that load models into renderers of their own leave the vertex
        // arrays pointing at those renderers' buffers.
        glBindBuffer(GL_ARRAY_BUFFER, gl->m_vertexBuffer);
        glVertexPointer(3, GL_FLOAT, 0, 0);
        glBindBuffer(GL_ARRAY_BUFFER, gl->m_texCoordBuffer);
        glTexCoordPointer(2, GL_FLOAT, 0, 0);
        glBindBuffer(GL_ARRAY_BUFFER, gl->m_normalBuffer);
        glNormalPointer(GL_FLOAT, 0, 0);
        glBindBuffer(GL_ARRAY_BUFFER, gl->m_vertexBuffer);
        gl->SetGameInterface(&game);
        gl->m_minimapPeriod = 0;  // the clock stands still: a fresh minimap every frame
        gl->m_shadowMode = 1;
        gl->m_shadows = true;  // a test before may have switched them off
        gl->m_lightX = gl->m_lightZ = 10;
        Look(Vector3f(500, 60, 640), 15, 180);
    }
    void TearDown() override { gl->SetGameInterface(0); }

    // Camera at `position`, pitched down by `down` degrees, heading `yaw` (180: towards -z).
    void Look(Vector3f position, float down, float yaw)
    {
        gl->SetPos(position);
        gl->m_pitch = 0;
        gl->m_yaw = 180;
        gl->AddToAngles(down, 180 - yaw);
    }

    CFrame Draw()
    {
        gl->Draw();
        return CFrame::Read();
    }

    CZoGl* gl = 0;
    CSceneGame game;
};

#endif
