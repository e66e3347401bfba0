#ifndef FERROWIND_HUDLAYOUT_H
#define FERROWIND_HUDLAYOUT_H

#include <vector>

#include "render/ImageRect.h"

// Width of one glyph of the digit strip, and the distance between digits on
// screen (the single-precision value the display has always used, not 0.01).
const float kGlyphWidth = 0.068359375f;
const float kDigitStep = 0.0099999905f;

SImageRect TopPanelImage();

// The images of stat bar `bar` (0, 1, 2: drive, armour, gun) for value v, in
// drawing order: background (v below 1), fill, overflow (v above 1), frame.
std::vector<SImageRect> StatBarImages(int bar, float v);

// Digit `digit` of the digit strip, upright, in the rectangle given.
SImageRect DigitGlyph(int digit, float x1, float y1, float x2, float y2);

// The glyphs of the counter for `value` (truncated to an integer), last digit
// first. A negative value shows its digits without a sign.
std::vector<SImageRect> CounterImages(float value);

// Menu buttons, top to bottom on screen.
enum { MENU_PLAY, MENU_QUIT, MENU_PAGE, MENU_PRACTICE, MENU_BUTTON_COUNT };

SImageRect MenuBackgroundImage();
// True when the menu state shows the buttons (0: menu, 1: mouse button held).
bool MenuShowsButtons(int state);
// True when the mouse at window pixel (mx, my), y from the top, is over the button.
bool MenuButtonUnderMouse(int button, int mx, int my);
SImageRect MenuButtonImage(int button, bool underMouse, int state);

#endif
