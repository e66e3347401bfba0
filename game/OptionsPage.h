#ifndef FERROWIND_OPTIONSPAGE_H
#define FERROWIND_OPTIONSPAGE_H

#include <functional>
#include <string>
#include <vector>

#include "game/Settings.h"
#include "input/MenuPage.h"
#include "render/ImageRect.h"

// The options screen: a row per setting over the menu's picture. Up and Down
// (or the mouse) choose a row; Left, Right, Enter (or a click) change it; a
// key row waits for the next key pressed. Escape or the last row closes the
// page and hands the settings to `closed`. A change of a drawing switch by
// hand turns the frame-rate guard off; the guard's own row turns it back on.
class COptionsPage : public IMenuPage {
public:
    // Opens on the settings `current` gives.
    COptionsPage(std::function<SSettings()> current, std::function<void(const SSettings&)> closed);

    bool IsOpen() const override { return m_open; }
    void Open() override;
    bool OpensAt(int x, int y) const override;
    void Key(SDLKey key) override;
    void Click(int x, int y) override;

    int RowCount() const;
    std::string RowText(int row) const;
    int Selected() const { return m_selected; }
    const SSettings& Settings() const { return m_settings; }

    // The page as images of the font texture, and the menu's line that opens it.
    std::vector<SImageRect> Images() const;
    static std::vector<SImageRect> OpenerImages();

private:
    void Change(int row, int direction);
    void Close();

    std::function<SSettings()> m_current;
    std::function<void(const SSettings&)> m_closed;
    SSettings m_settings;
    bool m_open = false;
    int m_selected = 0;
    bool m_waitingForKey = false;
};

#endif
