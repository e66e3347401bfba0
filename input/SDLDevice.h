#ifndef FERROWIND_SDLDEVICE_H
#define FERROWIND_SDLDEVICE_H

#include <SDL/SDL.h>

// The SDL calls the window-and-input object makes after the window is open.
// Everything behind it is one SDL call, so the input logic can be driven
// without a window by a scripted device.
class ISDLDevice {
public:
    virtual ~ISDLDevice() {}
    virtual void PumpEvents() = 0;
    virtual int PollEvent(SDL_Event* event) = 0;
    // One byte per key symbol, nonzero while the key is held.
    virtual Uint8* GetKeyState() = 0;
    virtual void GetMouseState(int* x, int* y) = 0;
    virtual Uint32 GetTicks() = 0;
    virtual void ShowCursor(int toggle) = 0;
    virtual void SwapBuffers() = 0;
    virtual void Delay(Uint32 ms) = 0;
    // Between the window and full screen at the same size, keeping the
    // OpenGL context; false where the platform cannot.
    virtual bool ToggleFullScreen() = 0;
    // A new size of the OpenGL window; false where SDL cannot set it.
    virtual bool SetVideoSize(int width, int height, bool fullScreen) = 0;
};

// The real device: straight SDL.
class CZoSDLDevice : public ISDLDevice {
public:
    void PumpEvents() override;
    int PollEvent(SDL_Event* event) override;
    Uint8* GetKeyState() override;
    void GetMouseState(int* x, int* y) override;
    Uint32 GetTicks() override;
    void ShowCursor(int toggle) override;
    void SwapBuffers() override;
    void Delay(Uint32 ms) override;
    bool ToggleFullScreen() override;
    bool SetVideoSize(int width, int height, bool fullScreen) override;
};

// The one real device of the process.
ISDLDevice* SDLDevice();

#endif
