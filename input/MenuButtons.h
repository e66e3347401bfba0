#ifndef FERROWIND_MENUBUTTONS_H
#define FERROWIND_MENUBUTTONS_H

// The start menu's buttons, in the order their areas are tested.
enum EMenuButton { MENU_NONE, MENU_PLAY, MENU_PAGE, MENU_QUIT, MENU_PRACTICE };

// A button's area as fractions of the window, y growing downwards; bounds inclusive.
struct SMenuButtonArea {
    double left, right, top, bottom;
};

const SMenuButtonArea& MenuButtonArea(EMenuButton button);

// The button under a window pixel of the 1024 x 768 window, or MENU_NONE.
EMenuButton MenuButtonAt(int x, int y);

#endif
