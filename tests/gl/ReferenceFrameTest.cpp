// Whole frames against stored pictures: a change to how frames are drawn must
// keep the picture. The references are kept at half size (2 x 2 averaged) in
// tests/data/frames. To make new ones on purpose, run the test with
// FERROWIND_WRITE_REFERENCE_FRAMES=1; nothing else ever writes them.
#include <IL/il.h>
#include <IL/ilu.h>

#include <cstdlib>

#include "game/KeyGuide.h"
#include "tests/gl/FrameScene.h"
#include "model/Numbers.h"
#include "render/Quality.h"

namespace {

const int kWidth = 512, kHeight = 384;

// RGB rows from the bottom, as OpenGL reads them.
typedef std::vector<unsigned char> SPicture;

SPicture HalfSize(const CFrame& frame)
{
    SPicture half(kWidth * kHeight * 3);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < 3; ++c) {
                int top = 767 - 2 * y;
                int sum = frame.At(2 * x, top)[c] + frame.At(2 * x + 1, top)[c] + frame.At(2 * x, top - 1)[c] +
                          frame.At(2 * x + 1, top - 1)[c];
                half[(y * kWidth + x) * 3 + c] = (unsigned char)((sum + 2) / 4);
            }
    return half;
}

bool SavePng(const std::string& path, SPicture picture)
{
    ILuint image;
    ilGenImages(1, &image);
    ilBindImage(image);
    bool saved = ilTexImage(kWidth, kHeight, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, picture.data());
    if (saved && ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_UPPER_LEFT)
        iluFlipImage();
    ilEnable(IL_FILE_OVERWRITE);
    saved = saved && ilSave(IL_PNG, path.c_str());
    ilDeleteImages(1, &image);
    return saved;
}

// Empty when the file is missing or not a picture of the reference size.
SPicture LoadPng(const std::string& path)
{
    ILuint image;
    ilGenImages(1, &image);
    ilBindImage(image);
    SPicture picture;
    if (ilLoad(IL_PNG, path.c_str()) && ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE) &&
        ilGetInteger(IL_IMAGE_WIDTH) == kWidth && ilGetInteger(IL_IMAGE_HEIGHT) == kHeight) {
        if (ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_UPPER_LEFT)
            iluFlipImage();
        picture.resize(kWidth * kHeight * 3);
        ilCopyPixels(0, 0, 0, kWidth, kHeight, 1, IL_RGB, IL_UNSIGNED_BYTE, picture.data());
    }
    ilDeleteImages(1, &image);
    return picture;
}

struct SDifference {
    double meanPerChannel[3];
    double shareOver24;
};

SDifference Compare(const SPicture& a, const SPicture& b)
{
    SDifference d = {{0, 0, 0}, 0};
    long over = 0;
    for (size_t p = 0; p < a.size(); p += 3) {
        bool large = false;
        for (int c = 0; c < 3; ++c) {
            int delta = std::abs(a[p + c] - b[p + c]);
            d.meanPerChannel[c] += delta;
            large = large || delta > 24;
        }
        over += large;
    }
    double pixels = a.size() / 3.0;
    for (double& m : d.meanPerChannel)
        m /= pixels;
    d.shareOver24 = over / pixels;
    return d;
}

class ReferenceFrames : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        game.Battlefield(Vector3f(500, 0, 500));
        Place(KIND_TANK, model::Tank, tex::CamoDesert, Vector3f(560, 0, 470), 40);
        Place(KIND_TANK, model::Tank, tex::CamoWinter, Vector3f(430, 0, 520), 200);
        Place(KIND_SCENERY, model::Bunker, tex::Concrete, Vector3f(620, 0, 380), 35)->texture1 = tex::ConcreteBump;
        Place(KIND_SCENERY, model::Tower, tex::Metal, Vector3f(380, 0, 380), 0)->texture1 = tex::MetalBump;
        Place(KIND_SCENERY, model::Pine, tex::Pine, Vector3f(470, 0, 420), 0)->texture1 = tex::FlatBump;
        Place(KIND_SCENERY, model::BoulderA, tex::Rock, Vector3f(540, 0, 560), 20)->texture1 = tex::RockBump;
    }

    SGameObject* Place(int kind, int modelNumber, int texture, Vector3f pos, float heading)
    {
        SGameObject* o = game.Add(kind, modelNumber, texture, tex::TankBump, pos);
        o->angles.y = heading;
        return o;
    }

    // Draws the frame and holds it against the reference `name`.
    void Expect(const std::string& name) { ExpectFrame(name, Draw()); }
    void ExpectFrame(const std::string& name, const CFrame& drawn)
    {
        SPicture frame = HalfSize(drawn);
        std::string path = std::string(FERROWIND_TEST_DATA) + "/frames/" + name + ".png";
        const char* write = std::getenv("FERROWIND_WRITE_REFERENCE_FRAMES");
        if (write && *write == '1') {
            ASSERT_TRUE(SavePng(path, frame)) << path;
            GTEST_SKIP() << "wrote the reference " << path;
        }
        SPicture reference = LoadPng(path);
        ASSERT_FALSE(reference.empty()) << "no reference picture " << path;
        SDifference d = Compare(frame, reference);
        std::printf("%s: mean difference %.3f %.3f %.3f, %.3f %% of pixels off by more than 24\n", name.c_str(),
                    d.meanPerChannel[0], d.meanPerChannel[1], d.meanPerChannel[2], 100 * d.shareOver24);
        bool off = d.shareOver24 > 0.01;
        for (int c = 0; c < 3; ++c) {
            EXPECT_LT(d.meanPerChannel[c], 2.0) << name << ": channel " << c;
            off = off || d.meanPerChannel[c] >= 2.0;
        }
        EXPECT_LE(d.shareOver24, 0.01) << name << ": share of pixels off by more than 24";
        if (off)
            SavePng(name + "-drawn.png", frame);
    }
};

// Views by camera (position, pitch down, heading) and light, one picture each.
TEST_F(ReferenceFrames, ViewsMatchTheirPictures)
{
    struct {
        const char* name;
        Vector3f camera;
        float down, yaw, lightX, lightZ;
        int shadowMode;
    } views[] = {
        {"overview", Vector3f(500, 240, 720), 40, 180, 10, 10, 1},
        {"overview-shadows-off", Vector3f(500, 240, 720), 40, 180, 10, 10, 0},
        {"low-light-east", Vector3f(470, 30, 640), 3, 195, 1400, 450, 1},
        {"from-above", Vector3f(500, 650, 540), 80, 180, -300, 900, 1},
        {"sky", Vector3f(450, 20, 470), -25, 220, 10, 10, 1},
    };
    for (const auto& v : views) {
        Look(v.camera, v.down, v.yaw);
        gl->m_lightX = v.lightX;
        gl->m_lightZ = v.lightZ;
        gl->m_shadowMode = v.shadowMode;
        Expect(v.name);
    }
}

// The menu with the default keys in its controls panel, the mouse over no
// button.
TEST_F(ReferenceFrames, MenuMatchesItsPicture)
{
    gl->m_menuKeys = KeyGuideImages(KeyGuide(DefaultKeyBindings(NATIVE_FLAVOUR), KeyLayoutFor(NATIVE_FLAVOUR)));
    SDL_WarpMouse(20, 740);
    for (int i = 0; i < 20; ++i) {
        SDL_PumpEvents();
        int x = -1, y = -1;
        SDL_GetMouseState(&x, &y);
        if (x == 20 && y == 740)
            break;
        SDL_Delay(10);
    }
    gl->DrawMenu(0);
    ExpectFrame("menu", CFrame::Read());
    gl->m_menuKeys.clear();
}

// A shot and its impact under a low light: flashes, glow, shadows and bump
// maps all in view.
void ShotView(CSceneGame& game, CZoGl& gl)
{
    SGameObject* tank = game.objects[1];
    tank->timer = game.now - 150;
    tank->state[TS_IMPACT_X] = 500;
    tank->state[TS_IMPACT_Z] = 330;
    gl.m_lightX = 900;
    gl.m_lightZ = 100;
}

TEST_F(ReferenceFrames, MuzzleAndImpactFlash)
{
    ShotView(game, *gl);
    Look(Vector3f(500, 70, 600), 12, 180);
    Expect("muzzle-flash");
}

// Each switch of the presets and the presets below High, at the shot's view;
// High itself is the picture above. The minimap's period shows in a frame
// drawn 300 ms after one before it, the local tank moved in between: at
// High's 250 ms the corner follows the tank, at 500 ms it still shows the
// map of the frame before.
TEST_F(ReferenceFrames, PresetsAndSwitchesMatchTheirPictures)
{
    // The shared renderer goes back to the full picture whatever happens here.
    struct SBackToHigh {
        CZoGl* gl;
        ~SBackToHigh() { gl->SetQuality(PresetQuality(PRESET_HIGH)); }
    } backToHigh{gl};
    auto with = [](void (*change)(SQuality&)) {
        SQuality q = PresetQuality(PRESET_HIGH);
        change(q);
        return q;
    };
    struct {
        const char* name;
        SQuality quality;
        bool minimapPeriod = false;
    } cases[] = {
        {"muzzle-flash", with([](SQuality&) {})},
        {"switch-bump-maps-off", with([](SQuality& q) { q.bumpMaps = false; })},
        {"switch-shadows-off", with([](SQuality& q) { q.shadows = false; })},
        {"switch-glow-off", with([](SQuality& q) { q.glow = false; })},
        {"switch-render-scale-50", with([](SQuality& q) { q.renderScale = 50; })},
        {"switch-texture-filter-nearest", with([](SQuality& q) { q.filter = FILTER_NEAREST; })},
        {"switch-minimap-every-500-ms", with([](SQuality& q) { q.minimapPeriodMs = 500; }), true},
        {"preset-medium", PresetQuality(PRESET_MEDIUM)},
        {"preset-low", PresetQuality(PRESET_LOW)},
        {"muzzle-flash", PresetQuality(PRESET_HIGH)},
    };
    ShotView(game, *gl);
    Look(Vector3f(500, 70, 600), 12, 180);
    SGameObject* tank = game.objects[1];
    for (const auto& c : cases) {
        gl->SetQuality(c.quality);
        if (!c.minimapPeriod) {
            gl->m_minimapPeriod = 0;
            Expect(c.name);
            continue;
        }
        Draw();
        Vector3f at = tank->pos;
        tank->pos.x += 60;
        game.now += 300;
        tank->timer += 300;  // the shot as far on as before
        Expect(c.name);
        tank->pos = at;
        game.now -= 300;
        tank->timer -= 300;
    }
}

}  // namespace

namespace {

GLint LevelSize(unsigned int texture, GLenum which)
{
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, which, &value);
    return value;
}

// The window at the references' size, rows from the bottom.
SPicture ReadHalfSizeWindow()
{
    SPicture picture(kWidth * kHeight * 3);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, picture.data());
    return picture;
}

// Every other pixel of the frame both ways: what a 1024 x 768 scene shrunk
// to the half-size window without filtering shows.
SPicture EveryOtherPixel(const CFrame& frame)
{
    SPicture picture(kWidth * kHeight * 3);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < 3; ++c)
                picture[(y * kWidth + x) * 3 + c] = frame.At(2 * x + 1, 766 - 2 * y)[c];
    return picture;
}

}  // namespace

// Every render target follows the window's size, and back; a new OpenGL
// context (what a mode change makes on Windows) gets the renderer's
// textures, programs and models again, and the same picture.
TEST_F(ReferenceFrames, TargetsFollowTheWindowAndANewContext)
{
    Look(Vector3f(500, 240, 720), 40, 180);
    CFrame full = Draw();
    // Half the size each way (the virtual screen holds no larger window).
    ASSERT_TRUE(SDL_SetVideoMode(kWidth, kHeight, 0, SDL_OPENGL)) << SDL_GetError();
    gl->FollowWindow(kWidth, kHeight);
    struct {
        unsigned int texture;
        int width, height;
    } targets[] = {
        {gl->m_sceneTexture, 512, 384}, {depth2, 512, 384},           {gl->m_glowTexture1, 128, 128},
        {gl->m_glowTexture3, 128, 128}, {gl->m_glowDepthTexture2, 128, 128}, {gl->m_minimapTexture, 256, 192},
    };
    for (const auto& t : targets) {
        EXPECT_EQ(LevelSize(t.texture, GL_TEXTURE_WIDTH), t.width) << t.texture;
        EXPECT_EQ(LevelSize(t.texture, GL_TEXTURE_HEIGHT), t.height) << t.texture;
    }
    gl->Draw();
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
    // Drawn at its size, the picture is near the half-size reference, and
    // not the full frame with every other pixel left out.
    SPicture half = ReadHalfSizeWindow();
    SDifference fromReference = Compare(half, LoadPng(std::string(FERROWIND_TEST_DATA) + "/frames/overview.png"));
    SDifference fromShrunk = Compare(half, EveryOtherPixel(full));
    for (int c = 0; c < 3; ++c)
        EXPECT_LT(fromReference.meanPerChannel[c], 4.0) << c;
    EXPECT_GT(fromShrunk.meanPerChannel[1], 1.0);

    ASSERT_TRUE(SDL_SetVideoMode(1024, 768, 0, SDL_OPENGL)) << SDL_GetError();
    gl->FollowWindow(1024, 768);
    EXPECT_EQ(LevelSize(gl->m_sceneTexture, GL_TEXTURE_WIDTH), 1024);
    Expect("overview");

    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_TRUE(SDL_SetVideoMode(1024, 768, 0, SDL_OPENGL)) << SDL_GetError();
    {
        ScopedWorkingDir inAssets(AssetsDir().Path());
        testing::internal::CaptureStdout();
        gl->FollowWindow(1024, 768);
        std::string log = testing::internal::GetCapturedStdout();
        EXPECT_NE(log.find("New OpenGL context"), std::string::npos) << log;
        EXPECT_NE(log.find("textures loaded"), std::string::npos) << log;
    }
    Expect("overview");
    Look(Vector3f(500, 70, 600), 12, 180);
    ShotView(game, *gl);
    Expect("muzzle-flash");
}
