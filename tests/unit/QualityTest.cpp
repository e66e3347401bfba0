#include <gtest/gtest.h>

#include "render/Quality.h"
#include "render/QualityGuard.h"

TEST(Quality, EachStepDownChangesOneSwitchAndNoneGetsDearer)
{
    for (int step = 1; step < QualityStepCount(); ++step) {
        const SQuality& a = QualityStep(step - 1);
        const SQuality& b = QualityStep(step);
        std::string change = DescribeChange(a, b);
        EXPECT_FALSE(change.empty()) << step;
        EXPECT_EQ(change.find(','), std::string::npos) << step << ": " << change;
        EXPECT_TRUE(a.bumpMaps >= b.bumpMaps && a.shadows >= b.shadows && a.glow >= b.glow &&
                    a.renderScale >= b.renderScale && a.filter >= b.filter &&
                    a.minimapPeriodMs <= b.minimapPeriodMs)
            << step << ": " << change;
        EXPECT_GE(b.renderScale, kMinRenderScale);
    }
    EXPECT_EQ(PresetStep(PRESET_HIGH), 0);
    EXPECT_EQ(PresetStep(PRESET_LOW), QualityStepCount() - 1);
    EXPECT_LT(PresetStep(PRESET_HIGH), PresetStep(PRESET_MEDIUM));
    EXPECT_LT(PresetStep(PRESET_MEDIUM), PresetStep(PRESET_LOW));
}

TEST(Quality, PresetsAreKnownByNameAndBySwitches)
{
    for (EPreset preset : {PRESET_LOW, PRESET_MEDIUM, PRESET_HIGH}) {
        EPreset read = PRESET_CUSTOM;
        EXPECT_TRUE(PresetFromName(PresetName(preset), read));
        EXPECT_EQ(read, preset);
        EXPECT_EQ(PresetOf(PresetQuality(preset)), preset);
        EXPECT_EQ(StepOf(PresetQuality(preset)), PresetStep(preset));
    }
    SQuality mixed = PresetQuality(PRESET_HIGH);
    mixed.glow = false;
    EXPECT_EQ(PresetOf(mixed), PRESET_CUSTOM);
    EXPECT_EQ(StepOf(mixed), -1);
    EPreset unchanged = PRESET_MEDIUM;
    EXPECT_FALSE(PresetFromName("ultra", unchanged));
    EXPECT_EQ(unchanged, PRESET_MEDIUM);
    EXPECT_EQ(DescribeChange(PresetQuality(PRESET_MEDIUM), PresetQuality(PRESET_HIGH)),
              "shadows on, render scale 100 %, minimap every 250 ms");
}

namespace {

// Frames of `ms` each for `seconds`, the step following the guard's answers.
int Play(CQualityGuard& guard, int step, unsigned int ms, double seconds, int steps = 9)
{
    for (double t = 0; t < seconds * 1000; t += ms)
        step = guard.Frame(ms, step, steps);
    return step;
}

}  // namespace

TEST(QualityGuard, StepsOneAtATimeWithRoomToSpareBeforeGoingUp)
{
    struct {
        const char* what;
        int start;
        unsigned int frameMs;
        double seconds;
        int expected;
    } cases[] = {
        // The first period settles, the second is judged.
        {"20 fps for 3.9 s: not yet", 0, 50, 3.9, 0},
        {"20 fps for 4 s: one step down", 0, 50, 4.0, 1},
        {"20 fps for 8 s: two steps, each after a settling period", 0, 50, 8.0, 2},
        {"at the last step nothing is lower", 8, 50, 20, 8},
        {"28 fps is close enough", 4, 36, 30, 4},
        {"35 fps is not room enough to go up", 4, 28, 30, 4},
        {"60 fps: up after a settling and three roomy periods", 4, 16, 7.9, 4},
        {"60 fps: up at 8 s", 4, 16, 8.1, 3},
        {"60 fps for 16 s: two steps up", 4, 16, 16.1, 2},
        {"at the first step nothing is higher", 0, 16, 30, 0},
    };
    for (const auto& c : cases) {
        CQualityGuard guard(30);
        EXPECT_EQ(Play(guard, c.start, c.frameMs, c.seconds), c.expected) << c.what;
    }
}

TEST(QualityGuard, AStepGivenUpIsNotTakenAgainForAMinute)
{
    CQualityGuard guard(30);
    int step = Play(guard, 2, 50, 4);
    ASSERT_EQ(step, 3);
    step = Play(guard, step, 16, 50);
    EXPECT_EQ(step, 3);
    step = Play(guard, step, 16, 12);
    EXPECT_EQ(step, 2);
}

TEST(QualityGuard, PausesAndNewTargetsStartTheMeasureAfresh)
{
    CQualityGuard guard(30);
    int step = Play(guard, 0, 50, 3.5);
    step = guard.Frame(4000, step, 9);  // the menu
    EXPECT_EQ(Play(guard, step, 50, 3.9), 0);
    guard.SetTarget(15);
    EXPECT_EQ(Play(guard, 0, 50, 10), 0);
    EXPECT_EQ(Play(guard, 0, 100, 4), 1);
}
