#ifndef FERROWIND_MENUPAGE_H
#define FERROWIND_MENUPAGE_H

#include <SDL/SDL.h>

// A page over the menu that takes the keys and clicks while it is open (the
// options). Window pixels, y from the top.
class IMenuPage {
public:
    virtual bool IsOpen() const = 0;
    virtual void Open() = 0;
    // True when a click at (x, y) on the menu itself opens the page.
    virtual bool OpensAt(int x, int y) const = 0;
    virtual void Key(SDLKey key) = 0;
    virtual void Click(int x, int y) = 0;

protected:
    ~IMenuPage() {}
};

#endif
