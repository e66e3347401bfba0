#include "tests/unit/LogCapture.h"
#include "GameFixture.h"

#include <fstream>

namespace {

class ObjectsFile : public GameFixture {
protected:
    void SetUp() override
    {
        std::vector<Vector3f> corners = {Vector3f(-300, 0, 250), Vector3f(300, 0, 250), Vector3f(300, 0, -250)};
        ground = gl.m_store.AddModel(corners, {}, {});
        box = BoxModel(-10, 10, -20, 20);
    }

    // Writes `text` to a file and loads it; returns LoadObjects' result.
    int Load(const std::string& text)
    {
        path = ::testing::TempDir() + "objects_test.lof";
        std::ofstream(path) << text;
        return game.LoadObjects(&path[0]);
    }

    std::string Record(int kind, int model, const std::string& extra = "")
    {
        return std::to_string(kind) + " " + std::to_string(model) + " 50 0 60  0 45 0  3 4  0.1 0.2 0.3 0.4 " +
               extra + "\n";
    }

    int ground = 0;
    int box = 0;
    std::string path;
};

}  // namespace

TEST_F(ObjectsFile, EmptyFileLoadsNothing)
{
    CaptureLog();
    EXPECT_EQ(Load("0\n"), 1);
    std::string out = CapturedOut();
    EXPECT_EQ(out, "loading objects\nobjects loaded\n");
    EXPECT_TRUE(game.m_objects.empty());
    EXPECT_EQ(game.m_objectCount, 0);

    CaptureLog();
    EXPECT_FALSE(game.CheckBattlefield("objects.lof"));
    EXPECT_NE(CapturedErr().find("object 1 must be a tank"), std::string::npos);
}

TEST_F(ObjectsFile, EveryKindBecomesItsObject)
{
    game.now = 4242;
    std::string text = "7\n" + Record(KIND_GROUND, ground) + Record(KIND_TANK, box, "0.025 0.08") +
                       Record(KIND_POWERUP, box, "3") + Record(5, box) + Record(KIND_EFFECT, box) +
                       Record(KIND_SCENERY, box) + Record(KIND_PASSIVE, box);
    ASSERT_EQ(Load(text), 1);
    ASSERT_EQ(game.m_objects.size(), 6u);
    EXPECT_EQ(game.m_objectCount, 7);

    SGameObject* g = game.m_objects[0];
    ASSERT_EQ(g->stateCount, 2);
    EXPECT_EQ(g->state[0], 300);
    EXPECT_EQ(g->state[1], 250);
    EXPECT_EQ(g->active, 1);

    SGameObject* tank = game.m_objects[1];
    ASSERT_NE(dynamic_cast<STankPrototype*>(tank), nullptr);
    EXPECT_EQ(tank->active, 0);
    EXPECT_EQ(tank->timer, 0u) << "as on the peers, not the clock at load (4242)";
    EXPECT_FLOAT_EQ(tank->state[TS_SPEED], 0.025f);
    EXPECT_FLOAT_EQ(tank->state[TS_TURN_RATE], 0.08f);
    EXPECT_EQ(tank->state[TS_ARMOUR], 1);
    EXPECT_EQ(tank->texture0, 3);
    EXPECT_EQ(tank->texture1, 4);
    EXPECT_FLOAT_EQ(tank->effect[3], 0.4f);
    EXPECT_EQ(tank->pos.x, 50);
    EXPECT_EQ(tank->pos.z, 60);
    EXPECT_EQ(tank->angles.y, 45);
    EXPECT_EQ(tank->bbox[BB_MIN_Z], -20);

    SGameObject* crate = game.m_objects[2];
    ASSERT_NE(dynamic_cast<SGamePowerup*>(crate), nullptr);
    EXPECT_EQ(crate->state[0], 3);
    EXPECT_EQ(crate->active, 1);

    // The kind-5 record adds nothing: later objects move up one place, while
    // the effect list keeps the record index.
    EXPECT_EQ(game.m_objects[3]->kind, KIND_EFFECT);
    EXPECT_EQ(game.m_objects[3]->active, 0);
    ASSERT_EQ(game.m_effectObjects.size(), 1u);
    EXPECT_EQ(game.m_effectObjects[0], 4);
    EXPECT_EQ(game.m_objects[5]->kind, KIND_PASSIVE);
}

TEST_F(ObjectsFile, MalformedFilesStopWithTheRecordAndField)
{
    const struct {
        std::string text;
        std::string message;
    } cases[] = {
        {"2\n" + Record(0, box) + "0 0 1 zzz 3 0 0 0 1 1 0 0 0 0\n", "record 1: field \"pos y\""},
        {"1\n" + Record(KIND_TANK, box, "0.1"), "record 0: field \"turn rate\""},
        {"1\n0 0 1 2", "record 0: field \"pos z\""},
        {"1\n" + Record(0, 77), "record 0: field \"model\": 77 names no loaded model"},
        {"lots\n", "record count"},
        {"1\n0 2.5 1 2 3 0 0 0 1 1 0 0 0 0\n", "field \"model\""},
    };
    for (const auto& c : cases) {
        CaptureLog();
        EXPECT_EQ(Load(c.text), 0) << c.text;
        std::string err = CapturedErr();
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
        EXPECT_NE(err.find(path), std::string::npos) << err;
    }

    CaptureLog();
    EXPECT_EQ(game.LoadObjects((char*)"/nonexistent/objects.lof"), 0);
    EXPECT_NE(CapturedErr().find("/nonexistent/objects.lof"), std::string::npos);
}

TEST_F(ObjectsFile, BattlefieldNeedsTheObjectsReadByNumber)
{
    std::string text = "73\n" + Record(KIND_GROUND, ground) + Record(KIND_TANK, box, "0.02 0.08");
    for (int i = 2; i < 73; ++i)
        text += Record(KIND_SCENERY, box);
    ASSERT_EQ(Load(text), 1);
    CaptureLog();
    EXPECT_FALSE(game.CheckBattlefield("objects.lof"));
    EXPECT_NE(CapturedErr().find("effect object"), std::string::npos);

    game.m_effectObjects.push_back(5);
    EXPECT_TRUE(game.CheckBattlefield("objects.lof"));
    game.m_objects.resize(72);
    CaptureLog();
    EXPECT_FALSE(game.CheckBattlefield("objects.lof"));
    EXPECT_NE(CapturedErr().find("at least 73 objects"), std::string::npos);
}
