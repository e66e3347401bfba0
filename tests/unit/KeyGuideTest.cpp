// The key guide of the menu's controls panel and of --help, as the keys are
// bound.
#include <gtest/gtest.h>

#include "controls/Controls.h"
#include "game/CommandLine.h"
#include "game/KeyGuide.h"
#include "model/Numbers.h"

namespace {

const SKeyLayout& Linux = KeyLayoutFor(FLAVOUR_LINUX);

SKeyBindings Rebound()
{
    return {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_LCTRL, SDLK_v};
}

std::string KeysOf(const std::vector<SGuideLine>& guide, const std::string& action)
{
    for (const SGuideLine& line : guide)
        if (line.action == action)
            return line.keys;
    return "(no such line)";
}

// The images of guide line `line`, found by their place on the panel.
std::vector<SImageRect> ImagesOfLine(const std::vector<SImageRect>& images, size_t line)
{
    SControlPlace place = ControlsPanelPlace(line);
    // The letters are 18.2 pixels tall from the line's place down.
    float middle = 1 - (place.y + 9.1f) / SCREEN_HEIGHT, left = place.x / SCREEN_WIDTH;
    std::vector<SImageRect> found;
    for (const SImageRect& r : images)
        if (r.y1 < middle && r.y2 > middle && r.x1 >= left - 0.01f && r.x1 < left + 0.1f)
            found.push_back(r);
    return found;
}

}  // namespace

TEST(KeyGuide, LinesFollowTheBindingsAndTheBuildsLightKeys)
{
    struct {
        SKeyBindings keys;
        const SKeyLayout& layout;
        const char *drive, *turn, *fire, *camera, *light;
    } cases[] = {
        {DefaultKeyBindings(FLAVOUR_LINUX), Linux, "I / K", "J / L", "SPACE", "C", "A D W S"},
        {Rebound(), Linux, "UP / DOWN", "LEFT / RIGHT", "LEFT CTRL", "V", "A D W S"},
        {DefaultKeyBindings(FLAVOUR_WINDOWS), KeyLayoutFor(FLAVOUR_WINDOWS), "W / S", "A / D", "SPACE", "C",
         "J L I K"},
    };
    for (const auto& c : cases) {
        std::vector<SGuideLine> guide = KeyGuide(c.keys, c.layout);
        ASSERT_EQ(guide.size(), Controls().size());
        EXPECT_EQ(KeysOf(guide, "DRIVE FORWARD / BACK"), c.drive);
        EXPECT_EQ(KeysOf(guide, "TURN LEFT / RIGHT"), c.turn);
        EXPECT_EQ(KeysOf(guide, "FIRE / RESPAWN"), c.fire);
        EXPECT_EQ(KeysOf(guide, "CHASE / FREE CAMERA"), c.camera);
        EXPECT_EQ(KeysOf(guide, "MOVE THE LIGHT"), c.light);
        EXPECT_EQ(KeysOf(guide, "BACK TO THE MENU"), "ESC");
    }
}

TEST(KeyGuide, HelpListsTheBoundKeys)
{
    std::string help = HelpText(KeyGuide(Rebound(), Linux));
    // The actions line up after the longest keys, "left / right".
    EXPECT_NE(help.find("\n  up / down     drive forward / back\n"), std::string::npos) << help;
    EXPECT_NE(help.find("\n  left / right  turn left / right\n"), std::string::npos) << help;
    EXPECT_NE(help.find("\n  left ctrl     fire / respawn\n"), std::string::npos) << help;
    EXPECT_EQ(help.find("i / k"), std::string::npos);
}

// The panel's keys are drawn where its picture leaves them room: a rebound
// line shows other letters, and a long name is squeezed short of the actions.
TEST(KeyGuide, PanelKeysFollowARebindingAndKeepOutOfTheActions)
{
    std::vector<SImageRect> standard = KeyGuideImages(KeyGuide(DefaultKeyBindings(FLAVOUR_LINUX), Linux));
    SKeyBindings keys = DefaultKeyBindings(FLAVOUR_LINUX);
    keys.fire = SDLK_RSHIFT;
    std::vector<SImageRect> rebound = KeyGuideImages(KeyGuide(keys, Linux));
    const size_t fire = 2, turn = 1;
    std::vector<SImageRect> before = ImagesOfLine(standard, fire), after = ImagesOfLine(rebound, fire);
    ASSERT_EQ(before.size(), 5u);  // S P A C E
    ASSERT_EQ(after.size(), 10u);  // R I G H T S H I F T
    float actions = (ControlsPanelPlace(fire).x + kControlsKeysWidth) / SCREEN_WIDTH;
    EXPECT_LT(after.back().x2, actions);
    EXPECT_LT(after[0].y2 - after[0].y1, before[0].y2 - before[0].y1);
    EXPECT_NE(before[0].s1, after[0].s1);  // S, then R
    std::vector<SImageRect> turnBefore = ImagesOfLine(standard, turn), turnAfter = ImagesOfLine(rebound, turn);
    ASSERT_EQ(turnBefore.size(), turnAfter.size());
    for (size_t i = 0; i < turnBefore.size(); ++i)
        EXPECT_EQ(turnBefore[i].x1, turnAfter[i].x1);
}
