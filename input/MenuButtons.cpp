#include "input/MenuButtons.h"

#include "model/Numbers.h"

namespace {

const SMenuButtonArea AREAS[] = {
    {0, 0, 0, 0},
    {0.4, 0.6, 0.35, 0.40},
    {0.4, 0.6, 0.55, 0.60},
    {0.4, 0.6, 0.45, 0.50},
    // Above play: a battle against computer tanks.
    {0.4, 0.6, 0.285, 0.335},
};

bool Contains(const SMenuButtonArea& area, int x, int y)
{
    // Scaled to pixels in double precision, so that the edges fall where the
    // products do (268.79999999999995 is outside pixel row 268).
    return x >= SCREEN_WIDTH * area.left && x <= SCREEN_WIDTH * area.right && y >= SCREEN_HEIGHT * area.top &&
           y <= SCREEN_HEIGHT * area.bottom;
}

}  // namespace

const SMenuButtonArea& MenuButtonArea(EMenuButton button)
{
    return AREAS[button];
}

EMenuButton MenuButtonAt(int x, int y)
{
    const EMenuButton order[] = {MENU_PLAY, MENU_PAGE, MENU_QUIT, MENU_PRACTICE};
    for (EMenuButton button : order)
        if (Contains(AREAS[button], x, y))
            return button;
    return MENU_NONE;
}
