#include "game/KeyGuide.h"

#include <cctype>

#include "controls/Controls.h"
#include "input/KeyNames.h"
#include "model/Numbers.h"
#include "render/TextLayout.h"

namespace {

std::string Named(SDLKey key)
{
    std::string name = KeyName(key);
    for (char& c : name)
        c = (char)std::toupper((unsigned char)c);
    return name.empty() ? "?" : name;
}

std::string KeysOf(const SControl& control, const SKeyBindings& keys, const SKeyLayout& layout)
{
    switch (control.bound) {
    case KEYS_DRIVE:
        return Named(keys.forward) + " / " + Named(keys.back);
    case KEYS_TURN:
        return Named(keys.left) + " / " + Named(keys.right);
    case KEYS_FIRE:
        return Named(keys.fire);
    case KEYS_CAMERA:
        return Named(keys.camera);
    case KEYS_LIGHT:
        return Named(layout.lightXUp) + " " + Named(layout.lightXDown) + " " + Named(layout.lightZUp) + " " +
               Named(layout.lightZDown);
    case KEYS_FIXED:
        break;
    }
    return control.keys;
}

// The letters as the panel's picture had them: 18.2 pixels tall, 13.2 apart.
// A cell of the font is 48 pixels tall with its letters 35 tall from 6 down,
// and 32 wide with its letters from 4 across.
const float kLetterHeight = 18.2f;
const float kCellHeight = 48 * kLetterHeight / 35;
const float kCellTop = 6 * kLetterHeight / 35;
const float kCellLeft = 4 * kLetterHeight / 35;
const float kHeight = kCellHeight / SCREEN_HEIGHT;
const float kAdvance = 13.2f / (kHeight * FONT_CELL_WIDTH / FONT_CELL_HEIGHT * SCREEN_HEIGHT);
// Room left before the action's column.
const float kRoom = (kControlsKeysWidth - 8) / SCREEN_WIDTH;

}  // namespace

std::vector<SGuideLine> KeyGuide(const SKeyBindings& keys, const SKeyLayout& layout)
{
    std::vector<SGuideLine> guide;
    for (const SControl& control : Controls())
        guide.push_back({KeysOf(control, keys, layout), control.action});
    return guide;
}

std::vector<SImageRect> KeyGuideImages(const std::vector<SGuideLine>& guide)
{
    std::vector<SImageRect> images;
    for (std::size_t i = 0; i < guide.size(); ++i) {
        SControlPlace place = ControlsPanelPlace(i);
        float height = kHeight;
        float width = TextWidth(guide[i].keys, height, kAdvance);
        if (width > kRoom)
            height *= kRoom / width;
        // A squeezed line keeps its middle where the others have theirs.
        float bottom = 1 - (place.y - kCellTop + kCellHeight) / SCREEN_HEIGHT + (kHeight - height) / 2;
        float left = (place.x - kCellLeft) / SCREEN_WIDTH;
        std::vector<SImageRect> line = SpacedTextImages(guide[i].keys, left, bottom, height, kAdvance);
        images.insert(images.end(), line.begin(), line.end());
    }
    return images;
}
