// Mouse and keys on the start menu: the three buttons, Space and Escape.
#include "input/MenuButtons.h"
#include "input/ZoSDL.h"

void CZoSDL::CheckMenuInput()
{
    m_device->PumpEvents();
    SDL_Event event;
    while (m_device->PollEvent(&event)) {
        m_menuEvent = true;
        // The menu's areas are laid out on 1024 x 768.
        if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) {
            event.button.x = (Uint16)(event.button.x * SCREEN_WIDTH / m_windowWidth);
            event.button.y = (Uint16)(event.button.y * SCREEN_HEIGHT / m_windowHeight);
        }
        HandleMenuEvent(event);
    }
}

bool CZoSDL::HandleOptionsEvent(const SDL_Event& event)
{
    if (!m_optionsPage || m_play->menuState != 0)
        return false;
    bool key = event.type == SDL_KEYDOWN;
    bool click = event.type == SDL_MOUSEBUTTONUP && event.button.button == SDL_BUTTON_LEFT;
    if (m_optionsPage->IsOpen()) {
        if (key)
            m_optionsPage->Key(event.key.keysym.sym);
        else if (click)
            m_optionsPage->Click(event.button.x, event.button.y);
        // The rest (presses, motion) has no say while the page is open.
        return event.type != SDL_QUIT;
    }
    if ((key && event.key.keysym.sym == SDLK_o) ||
        (event.type == SDL_MOUSEBUTTONDOWN && m_optionsPage->OpensAt(event.button.x, event.button.y))) {
        m_optionsPage->Open();
        return true;
    }
    return false;
}

bool CZoSDL::TakeMenuRedraw()
{
    bool redraw = m_menuEvent || m_play->menuState != m_menuDrawnState || m_menuRedraws > 0;
    m_menuEvent = false;
    if (m_menuRedraws > 0)
        --m_menuRedraws;
    m_menuDrawnState = m_play->menuState;
    return redraw;
}

void CZoSDL::HandleMenuEvent(const SDL_Event& event)
{
    if (HandleAltEnter(event) || HandleOptionsEvent(event))
        return;
    switch (event.type) {
    case SDL_QUIT:
        m_game->ShutDown();
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT)
            ++m_play->menuState;
        break;
    case SDL_MOUSEBUTTONUP:
        // Judged where the release happened: on a slow frame the mouse's
        // move onto a button and the click on it are queued together, and
        // the position from before the move would be another button's.
        if (event.button.button == SDL_BUTTON_LEFT)
            ReleaseOverMenu(event.button.x, event.button.y);
        break;
    case SDL_KEYDOWN:
        if (event.key.keysym.sym == SDLK_SPACE) {
            StartPlaying();
        } else if (event.key.keysym.sym == SDLK_ESCAPE) {
            // Escape closes a page, or quits from the menu itself.
            if (m_play->menuState > 1 || m_play->menuState < 0)
                m_play->menuState = 0;
            else
                m_game->ShutDown();
        }
        break;
    default:
        break;
    }
}

// Only a release that ends a press made on the menu (state 1) acts on a button.
void CZoSDL::ReleaseOverMenu(int mouseX, int mouseY)
{
    switch (MenuButtonAt(mouseX, mouseY)) {
    case MENU_PLAY:
        if (m_play->menuState == 1)
            StartPlaying();
        break;
    case MENU_PAGE:
        if (m_play->menuState == 1)
            m_play->menuState = 2;
        break;
    case MENU_QUIT:
        if (m_play->menuState == 1)
            m_game->ShutDown();
        break;
    case MENU_PRACTICE:
        if (m_play->menuState == 1) {
            m_play->practice = true;
            StartPlaying();
        }
        break;
    case MENU_NONE:
        // A release whose press was not seen here (the button was already
        // down when the menu opened) must not drop the menu into play.
        if (m_play->menuState > 0)
            --m_play->menuState;
        break;
    }
}

void CZoSDL::StartPlaying()
{
    m_play->menuState = -1;
    m_device->ShowCursor(SDL_DISABLE);
}
