#include "render/HudLayout.h"

#include <climits>
#include <cmath>

#include "model/Numbers.h"

namespace {

SImageRect Rect(float x1, float y1, float x2, float y2, float s1, float t1, float s2, float t2, int image)
{
    SImageRect r = {x1, y1, x2, y2, s1, t1, s2, t2, image};
    return r;
}

SImageRect Whole(float x1, float y1, float x2, float y2, int image)
{
    return Rect(x1, y1, x2, y2, 0, 0, 1, 1, image);
}

struct SBarPlace {
    float low, high;
    SImageRect background;
};

const float kBarLeft = 0.0075f;
const float kBarRight = 0.2075f;
const float kBarLength = 0.2f;

const SBarPlace kBars[3] = {
    {0.925f, 0.975f, {0.2075f, 0.925f, 0.0075f, 0.975f, 0, 0, 1, 1, tex::BarBack}},
    {0.87f, 0.92f, {0.0075f, 0.87f, 0.2075f, 0.92f, 0, 0, 1, 1, tex::BarBack}},
    {0.815f, 0.865f, {0.0075f, 0.815f, 0.2075f, 0.865f, 0, 0, 1, 1, tex::BarBack}},
};

// A counter far beyond what the display can hold is shown as the largest int.
int CounterValue(float value)
{
    if (std::isnan(value))
        return 0;
    if (value >= (float)INT_MAX)
        return INT_MAX;
    if (value <= (float)INT_MIN)
        return INT_MIN;
    return (int)value;
}

struct SButtonPlace {
    float x1, y1, x2, y2;
    float top, bottom;  // window pixels, y from the top, both included
    int normal;
};

const SButtonPlace kButtons[MENU_BUTTON_COUNT] = {
    {0.4f, 0.6f, 0.6f, 0.65f, 268.8f, 307.2f, tex::PlayNormal},
    {0.4f, 0.5f, 0.6f, 0.55f, 345.6f, 384.0f, tex::QuitNormal},
    {0.4f, 0.4f, 0.6f, 0.45f, 422.4f, 460.8f, tex::PageNormal},
    {0.4f, 0.665f, 0.6f, 0.715f, 218.88f, 257.28f, tex::PracticeNormal},
};

const float kButtonLeftPixel = 409.6f;
const float kButtonRightPixel = 614.4f;

}  // namespace

SImageRect TopPanelImage()
{
    return Rect(0, 1, 1, 0.75f, 0.001f, 0.001f, 0.999f, 0.999f, tex::Panel);
}

std::vector<SImageRect> StatBarImages(int bar, float v)
{
    std::vector<SImageRect> images;
    if (bar < 0 || bar > 2)
        return images;
    const SBarPlace& place = kBars[bar];
    if (v < 1)
        images.push_back(place.background);
    float fillRight = v < 1 ? kBarLeft + kBarLength * v : kBarRight;
    images.push_back(Whole(kBarLeft, place.low, fillRight, place.high, tex::BarFill));
    if (v > 1)
        images.push_back(Whole(kBarLeft, place.low, kBarLeft + kBarLength * (v - 1), place.high, tex::BarOverflow));
    images.push_back(Whole(kBarLeft, place.high, kBarRight, place.low, tex::FrameDrive + bar));
    return images;
}

SImageRect DigitGlyph(int digit, float x1, float y1, float x2, float y2)
{
    return Rect(x1, y1, x2, y2, digit * kGlyphWidth, 1, (digit + 1) * kGlyphWidth, 0, tex::Digits);
}

std::vector<SImageRect> CounterImages(float value)
{
    std::vector<SImageRect> images;
    int n = CounterValue(value);
    if (n == 0) {
        images.push_back(DigitGlyph(0, 0.2f, 0.76f, 0.21f, 0.81f));
        return images;
    }
    for (int e = 1; n != 0; ++e) {
        int d = std::abs(n % 10);
        images.push_back(DigitGlyph(d, 0.2f - e * kDigitStep, 0.76f, 0.21f - e * kDigitStep, 0.81f));
        n /= 10;
    }
    return images;
}

SImageRect MenuBackgroundImage()
{
    return Whole(0, 0, 1, 1, tex::Menu);
}

bool MenuShowsButtons(int state)
{
    return (unsigned int)state <= 1;
}

bool MenuButtonUnderMouse(int button, int mx, int my)
{
    if (button < 0 || button >= MENU_BUTTON_COUNT)
        return false;
    const SButtonPlace& place = kButtons[button];
    return mx >= kButtonLeftPixel && mx <= kButtonRightPixel && my >= place.top && my <= place.bottom;
}

SImageRect MenuButtonImage(int button, bool underMouse, int state)
{
    const SButtonPlace& place = kButtons[button];
    int image = place.normal;
    if (underMouse)
        image += state == 1 ? 2 : 1;
    return Whole(place.x1, place.y1, place.x2, place.y2, image);
}
