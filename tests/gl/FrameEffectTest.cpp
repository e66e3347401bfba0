// Shot flashes, the local tank's death, power-up auras and the glow they get,
// and frames with objects the renderer must leave out.
#include <algorithm>

#include "tests/gl/FrameScene.h"

namespace {

class Effects : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        game.Battlefield(Vector3f(500, 0, 500));
        tank = game.objects[1];
    }

    // Pixels that differ from `other` within `radius` of a world point.
    int ChangedAround(const CFrame& a, const CFrame& b, const Vector3f& world, int radius)
    {
        SPixel p = WindowPixel(*gl, world);
        EXPECT_TRUE(p.visible);
        return a.Differences(b, std::max(0, p.x - radius), std::max(0, p.y - radius), std::min(1024, p.x + radius),
                             std::min(768, p.y + radius));
    }

    int ChangedAnywhere(const CFrame& a, const CFrame& b) { return a.Differences(b, 0, 0, 1024, 768, 2); }

    // Sum of the glow (colour channels of glow texture 3) over the part of
    // the window around a world point.
    double GlowAround(const Vector3f& world)
    {
        std::vector<float> texels(256 * 256 * 4);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, gl->m_glowTexture3);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_FLOAT, texels.data());
        SPixel p = WindowPixel(*gl, world);
        int gx = p.x / 4, gy = (767 - p.y) / 3;
        double sum = 0;
        for (int y = std::max(0, gy - 25); y < std::min(256, gy + 25); ++y)
            for (int x = std::max(0, gx - 25); x < std::min(256, gx + 25); ++x)
                for (int c = 0; c < 3; ++c)
                    sum += texels[(y * 256 + x) * 4 + c];
        return sum;
    }

    CFrame ShotAgo(unsigned long ms)
    {
        tank->timer = game.now - ms;
        return Draw();
    }

    SGameObject* tank = 0;
    const Vector3f muzzle = Vector3f(500, 24.4f, 450);
};

TEST_F(Effects, MuzzleFlashWithinHalfASecondOfAShot)
{
    CFrame none = ShotAgo(100000);
    CFrame fresh = ShotAgo(100);
    CFrame late = ShotAgo(499);
    CFrame over = ShotAgo(500);
    EXPECT_GT(ChangedAround(none, fresh, muzzle, 40), 50);
    EXPECT_GT(ChangedAround(none, late, muzzle, 40), 0);
    EXPECT_EQ(ChangedAnywhere(none, over), 0);
    // The strip animates: an early and a late frame differ.
    EXPECT_GT(ChangedAround(fresh, late, muzzle, 40), 20);
    // A shot with its timer in the future shows nothing, nor does one without
    // an effect object to draw it with.
    tank->timer = game.now + 50;
    EXPECT_EQ(ChangedAnywhere(none, Draw()), 0);
    game.effects.clear();
    EXPECT_EQ(ChangedAnywhere(none, ShotAgo(100)), 0);
}

TEST_F(Effects, InactiveTankShowsNoFlash)
{
    // Another player's tank, dead: neither it nor its flash is drawn.
    SGameObject* other = game.Add(KIND_TANK, MODEL_TANK, TEXTURE_CAMO, TEXTURE_TANK_BUMP, Vector3f(560, 0, 520));
    other->active = 0;
    CFrame none = Draw();
    other->timer = game.now - 100;
    EXPECT_EQ(ChangedAnywhere(none, Draw()), 0);
    other->active = 1;
    EXPECT_GT(ChangedAround(none, Draw(), Vector3f(560, 24.4f, 470), 40), 50);
}

TEST_F(Effects, ImpactFlashOnceThePointIsKnown)
{
    const Vector3f impact(500, 12, 380);
    CFrame unknown = ShotAgo(100);
    tank->state[TS_IMPACT_X] = 500;
    tank->state[TS_IMPACT_Z] = 380;
    CFrame known = ShotAgo(100);
    EXPECT_GT(ChangedAround(unknown, known, impact, 30), 100);
    // One slot at -1 is still a point: (500, 0, -1), at the far edge of the ground.
    tank->state[TS_IMPACT_Z] = -1;
    CFrame half = ShotAgo(100);
    EXPECT_GT(ChangedAround(unknown, half, Vector3f(500, 12, -1), 30), 20);
}

TEST_F(Effects, DeadLocalTankBurnsForTwoSeconds)
{
    const Vector3f hull(500, 10, 500);
    tank->active = 0;
    tank->timer = game.now - 5000;
    CFrame gone = Draw();
    tank->timer = game.now - 300;
    CFrame burning = Draw();
    tank->timer = game.now - 2000;
    CFrame over = Draw();
    EXPECT_GT(ChangedAround(gone, burning, hull, 60), 500);
    EXPECT_EQ(ChangedAnywhere(gone, over), 0);

    // Its death changes with time: hot at first, burnt away later.
    tank->timer = game.now - 1500;
    CFrame later = Draw();
    EXPECT_GT(ChangedAround(burning, later, hull, 60), 500);
}

TEST_F(Effects, PowerUpAuraAndItsGlow)
{
    const Vector3f hull(500, 10, 500);
    CFrame plain = Draw();
    double plainGlow = GlowAround(hull);
    tank->state[TS_POWERUP_KIND] = 4;
    CFrame aura = Draw();
    double auraGlow = GlowAround(hull);
    EXPECT_GT(ChangedAround(plain, aura, hull, 80), 200);
    // The bright rim spreads into the glow that the composite adds.
    EXPECT_GT(auraGlow, plainGlow * 1.5 + 1);

    // Kind 5 has a rim of another colour; no power-up, none.
    tank->state[TS_POWERUP_KIND] = 5;
    EXPECT_GT(ChangedAround(aura, Draw(), hull, 80), 200);
}

TEST_F(Effects, ObjectsOutsideTheLoadedTablesAreLeftOut)
{
    CFrame before = Draw();
    game.Add(KIND_SCENERY, 999, TEXTURE_CONCRETE, TEXTURE_CONCRETE_BUMP, Vector3f(500, 0, 450));
    game.Add(KIND_SCENERY, MODEL_BUNKER, 999, TEXTURE_CONCRETE_BUMP, Vector3f(520, 0, 450));
    game.Add(KIND_SCENERY, MODEL_BUNKER, TEXTURE_CONCRETE, -1, Vector3f(480, 0, 450));
    EXPECT_EQ(ChangedAnywhere(before, Draw()), 0);
    // A sound one in the same place is drawn.
    game.Add(KIND_SCENERY, MODEL_BUNKER, TEXTURE_CONCRETE, TEXTURE_CONCRETE_BUMP, Vector3f(500, 0, 450));
    EXPECT_GT(ChangedAnywhere(before, Draw()), 1000);
}

TEST(FrameWithoutTank, DrawsGroundSkyAndPanel)
{
    CZoGl* gl = LoadedRenderer();
    ASSERT_TRUE(gl);
    CSceneGame game;
    game.Add(KIND_GROUND, MODEL_GROUND, TEXTURE_GROUND, TEXTURE_GROUND_BUMP, Vector3f(500, 0, 500));
    gl->SetGameInterface(&game);
    gl->SetPos(Vector3f(500, 60, 640));
    gl->Draw();
    CFrame frame = CFrame::Read();
    gl->SetGameInterface(0);
    EXPECT_GT(frame.MeanBrightness(512, 600, 20), 10);
    EXPECT_GT(frame.MeanBrightness(512, 250, 20), 60);
}

}  // namespace
