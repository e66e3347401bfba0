// Shadows: the ground beside a tank darkens on the side away from the light,
// follows the light, and "m" (the shadow mode) switches it off.
#include <algorithm>
#include <functional>
#include <utility>

#include "tests/gl/FrameScene.h"

namespace {

struct SBox {
    float minX, maxX, minZ, maxZ, maxY;
};

SBox ModelBox(CZoGl& gl, int model)
{
    SBox box = {1e9f, -1e9f, 1e9f, -1e9f, -1e9f};
    const SGraphicObject* m = gl.GetObject(model);
    for (unsigned long i = 0; m && i < m->indexCount; ++i) {
        const Vector3f& v = gl.GetVertices()[m->indices[i]];
        box.minX = std::min(box.minX, v.x);
        box.maxX = std::max(box.maxX, v.x);
        box.minZ = std::min(box.minZ, v.z);
        box.maxZ = std::max(box.maxZ, v.z);
        box.maxY = std::max(box.maxY, v.y);
    }
    return box;
}

class Shadows : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        game.Battlefield(tank);
        Look(Vector3f(500, 240, 590), 65, 180);
        SBox box = ModelBox(*gl, MODEL_TANK);
        ASSERT_GT(box.maxY, 8) << "the tank model is too flat to cast a shadow beside it";
        east = WindowPixel(*gl, Vector3f(tank.x + box.maxX + 5, 0, tank.z));
        west = WindowPixel(*gl, Vector3f(tank.x + box.minX - 5, 0, tank.z));
        ASSERT_TRUE(east.visible && west.visible);
    }

    CFrame LitFrom(float lightX)
    {
        gl->m_lightX = lightX;
        gl->m_lightZ = tank.z;
        return Draw();
    }

    const Vector3f tank = Vector3f(500, 0, 500);
    SPixel east, west;
};

TEST_F(Shadows, GroundBesideTheTankIsDarkOnTheSideAwayFromTheLight)
{
    CFrame fromWest = LitFrom(tank.x - 800);
    CFrame fromEast = LitFrom(tank.x + 800);
    float eastInShadow = fromWest.MeanBrightness(east.x, east.y, 3);
    float eastLit = fromEast.MeanBrightness(east.x, east.y, 3);
    float westInShadow = fromEast.MeanBrightness(west.x, west.y, 3);
    float westLit = fromWest.MeanBrightness(west.x, west.y, 3);
    EXPECT_GT(eastLit, 20);
    EXPECT_LT(eastInShadow, 0.7f * eastLit);
    EXPECT_LT(westInShadow, 0.7f * westLit);
    if (HasFailure()) {
        fromWest.Save("shadow-light-west.ppm");
        fromEast.Save("shadow-light-east.ppm");
    }
}

TEST_F(Shadows, MovingTheLightMovesTheShadow)
{
    // The light swings from the west to the north at the same distance: the
    // shadow leaves the east patch and falls on the ground south of the tank.
    SBox box = ModelBox(*gl, MODEL_TANK);
    SPixel south = WindowPixel(*gl, Vector3f(tank.x, 0, tank.z + box.maxZ + 5));
    ASSERT_TRUE(south.visible);
    CFrame fromWest = LitFrom(tank.x - 800);
    gl->m_lightX = tank.x;
    gl->m_lightZ = tank.z - 800;
    CFrame fromNorth = Draw();
    EXPECT_LT(fromWest.MeanBrightness(east.x, east.y, 3), 0.7f * fromNorth.MeanBrightness(east.x, east.y, 3));
    EXPECT_LT(fromNorth.MeanBrightness(south.x, south.y, 3), 0.7f * fromWest.MeanBrightness(south.x, south.y, 3));
}

// Shadow mode 0, the shadow switch off, or an inactive tank (dead long ago:
// not drawn either): the east patch stays as bright with the light in the
// west as it is lit from the east.
TEST_F(Shadows, NoShadowWithShadowsOffOrWithoutACaster)
{
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"shadow mode 0", [&] { gl->m_shadowMode = 0; }},
        {"shadows switched off", [&] { gl->m_shadows = false; }},
        {"inactive tank",
         [&] {
             game.objects[1]->active = 0;
             game.objects[1]->timer = game.now - 5000;
         }},
    };
    for (const auto& way : ways) {
        gl->m_shadowMode = 1;
        gl->m_shadows = true;
        game.objects[1]->active = 1;
        CFrame lit = LitFrom(tank.x + 800);
        way.second();
        CFrame unshadowed = LitFrom(tank.x - 800);
        EXPECT_GT(unshadowed.MeanBrightness(east.x, east.y, 3), 0.8f * lit.MeanBrightness(east.x, east.y, 3))
            << way.first;
    }
}

}  // namespace
