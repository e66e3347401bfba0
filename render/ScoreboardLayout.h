#ifndef FERROWIND_SCOREBOARDLAYOUT_H
#define FERROWIND_SCOREBOARDLAYOUT_H

#include <string>
#include <vector>

#include "model/ScoreRow.h"
#include "render/ImageRect.h"

// Glyphs of `text` from the glyph texture, left to right from (x, y) at the
// bottom left, each w x h; a character the texture lacks shows as "?".
std::vector<SImageRect> TextImages(const std::string& text, float x, float y, float w, float h);

// The scoreboard in the middle of the window: its panel, a heading, then one
// line per row in the order given (name, frags, deaths, round trip in ms
// under PING, blank where there is none).
std::vector<SImageRect> ScoreboardImages(const std::vector<SScoreRow>& rows);

#endif
