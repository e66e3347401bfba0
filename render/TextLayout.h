#ifndef FERROWIND_TEXTLAYOUT_H
#define FERROWIND_TEXTLAYOUT_H

#include <string>
#include <vector>

#include "render/ImageRect.h"

// One line of the font texture's characters from (x, y), its bottom left in
// window fractions, `height` tall. Lower case shows as capitals; characters
// the font lacks take their place as blanks.
std::vector<SImageRect> TextImages(const std::string& text, float x, float y, float height);
// The same with each letter `advance` of a cell's width after the one before
// (less than 1 sets them closer).
std::vector<SImageRect> SpacedTextImages(const std::string& text, float x, float y, float height, float advance);
float TextWidth(const std::string& text, float height, float advance = 1);

// A notice line, centred under the top panel.
std::vector<SImageRect> NoticeImages(const std::string& text);

#endif
