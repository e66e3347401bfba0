#ifndef FERROWIND_ZOSDL_H
#define FERROWIND_ZOSDL_H

#include <SDL/SDL.h>

#include <atomic>
#include <utility>
#include <vector>

#include "model/Interfaces.h"
#include "model/Numbers.h"
#include "model/NoDevice.h"
#include "input/EventSet.h"
#include "input/FrameKeys.h"
#include "input/KeyLayout.h"
#include "input/MenuPage.h"
#include "input/PeerCalls.h"
#include "input/PlaySwitches.h"
#include "input/SDLDevice.h"

// The window with its OpenGL context, the game clock, and keyboard and mouse.
class CZoSDL {
public:
    // Opens the 1024 x 768 OpenGL window; exits the program when SDL cannot.
    CZoSDL(char* title, char* iconTitle);
    // No window: the clock runs on SDL's tick count.
    explicit CZoSDL(SNoDevice);
    // No window: everything comes from the given device, which stays the caller's.
    explicit CZoSDL(ISDLDevice* device);
    virtual ~CZoSDL() {}

    virtual void SetGameInterface(IGameInterface* game);
    // The game's switches that the keys and the menu change; until given,
    // the input keeps its own.
    void SharePlaySwitches(SPlaySwitches* play) { m_play = play; }
    virtual void SetGraficInterface(IGraphicInterface* graphic);
    // The renderer's light and drawing switches, which the keys change; until
    // given, those keys change nothing.
    void SetRendererSwitches(IRendererSwitches* renderer);
    // The socket layer's sending, lag and connection calls.
    void SetPeerCalls(const SPeerCalls& peers);
    virtual void CheckInput();
    virtual void CheckMenuInput();
    virtual void EndCyrcle();
    // The end of a frame that drew nothing: the window keeps its picture, and
    // the frame is padded as a drawn one is.
    void EndIdleCyrcle();
    // True once when the menu must be drawn again (it was not shown, its state
    // changed, or an event came: the mouse, a key, the window uncovered); a
    // still menu is drawn once and then left alone.
    bool TakeMenuRedraw();
    virtual void SetTimeOffset(unsigned long offset);

    unsigned long GetTime();
    // The build's key layout, which the key guides show.
    const SKeyLayout& Keys() const { return *m_keys; }
    const SKeyBindings& Bindings() const { return m_bindings; }
    // The keys of one build; the program's own by default.
    void SetKeyLayout(EBuildFlavour flavour) { m_keys = &KeyLayoutFor(flavour), m_bindings = DefaultKeyBindings(flavour); }
    // The page over the menu that O (or a click on its line) opens, and that
    // takes the keys and clicks while open; none until given.
    void SetOptionsPage(IMenuPage* page) { m_optionsPage = page; }
    // The window's size (1024 x 768 at first); false, with a line on the log,
    // when SDL cannot set it. Mouse positions are scaled to 1024 x 768 for
    // the menu and its pages.
    bool SetWindowSize(int width, int height);
    // The sizes SDL lists for full screen (where it lists none, common sizes
    // up to the largest it offers), smallest first, 1024 x 768 among them.
    static std::vector<std::pair<int, int> > WindowSizes();
    // Full screen or the window; Alt+Enter switches between them. Where the
    // window cannot be switched as it is (SDL 1.2 on Windows), the video mode
    // is set again, with a new OpenGL context.
    void SetFullScreen(bool on);
    bool FullScreen() const { return m_fullScreen; }
    int WindowWidth() const { return m_windowWidth; }
    int WindowHeight() const { return m_windowHeight; }
    // Counts the changes of the window's size or mode, for those who follow it.
    unsigned int WindowChanges() const { return m_windowChanges; }
    // The player's keys for driving, turning, firing and the camera.
    void SetKeyBindings(const SKeyBindings& keys);

    // Shortest frame that EndCyrcle lets pass (about a display refresh), so
    // that a light frame such as the menu does not spin a core. Mouse look is
    // scaled by the frame time, so this also sets its feel on fast machines.
    enum { MIN_FRAME_MS = 16 };

    set m_events;
    IGameInterface* m_game;
    IGraphicInterface* m_graphic;
    unsigned int m_lastTicks;
    // Set by a listener thread (clock synchronisation), read by every thread.
    std::atomic<int> m_timeOffset;

    ISDLDevice* m_device;
    SPeerCalls m_peers;
    // The switches SharePlaySwitches names, else the input's own, so that the
    // menu logic needs no special case.
    SPlaySwitches m_ownPlay;
    SPlaySwitches* m_play = &m_ownPlay;
    const SKeyLayout* m_keys;
    // The layout's driving keys as the player bound them, with fire and camera.
    SKeyBindings m_bindings;
    SKeyLayout m_boundLayout;
    // The renderer's switches that the keys change; null until given.
    IRendererSwitches* m_renderer;
    unsigned int m_frameEndTicks;
    // The menu state last drawn (MENU_NOT_DRAWN: the menu is not on screen),
    // and whether an event came since.
    enum { MENU_NOT_DRAWN = -1000 };
    int m_menuDrawnState = MENU_NOT_DRAWN;
    bool m_menuEvent = false;
    int m_menuRedraws = 0;  // frames the menu is drawn again whatever comes
    bool m_fullScreen = false;
    int m_windowWidth = SCREEN_WIDTH, m_windowHeight = SCREEN_HEIGHT;
    unsigned int m_windowChanges = 0;
    IMenuPage* m_optionsPage = nullptr;
    // True when the options page took the event.
    bool HandleOptionsEvent(const SDL_Event& event);
    void WindowChanged();
    // True for Alt+Enter, which it has then handled.
    bool HandleAltEnter(const SDL_Event& event);
    // Held keys of the playing frame, taps within it included.
    CFrameKeys m_frameKeys;

private:
    void HandleGameEvent(const SDL_Event& event, unsigned int elapsed);
    void HandleGameKey(SDLKey key);
    void HandleFunctionKey(SDLKey key);
    void HandleHeldKeys(unsigned int elapsed);
    void ToggleChaseCamera();
    void ToggleFramerate();
    void Strafe(Vector3f axis, double elapsed);
    void Fly(double sign, double elapsed);
    void Accelerate(double amount);
    void Turn(double sign, unsigned int elapsed);
    void Shoot();
    void SelfDestruct();
    void ProbeTiming();
    void MoveLight(const Uint8* down, unsigned int elapsed);
    SGameObject* LocalTank();

    void HandleMenuEvent(const SDL_Event& event);
    void ReleaseOverMenu(int mouseX, int mouseY);
    void StartPlaying();
};

#endif
