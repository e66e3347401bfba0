// Mouse and keys on the start menu: the three buttons, Space and Escape.
#include "input/MenuButtons.h"
#include "input/ZoSDL.h"

void CZoSDL::CheckMenuInput()
{
    // Read before pumping: every click of this call is judged at one position.
    int x = 0, y = 0;
    m_device->GetMouseState(&x, &y);
    m_device->PumpEvents();
    SDL_Event event;
    while (m_device->PollEvent(&event))
        HandleMenuEvent(event, x, y);
}

void CZoSDL::HandleMenuEvent(const SDL_Event& event, int mouseX, int mouseY)
{
    switch (event.type) {
    case SDL_QUIT:
        m_game->ShutDown();
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT)
            ++*m_menuState;
        break;
    case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT)
            ReleaseOverMenu(mouseX, mouseY);
        break;
    case SDL_KEYDOWN:
        if (event.key.keysym.sym == SDLK_SPACE) {
            StartPlaying();
        } else if (event.key.keysym.sym == SDLK_ESCAPE) {
            // Escape closes a page, or quits from the menu itself.
            if (*m_menuState > 1 || *m_menuState < 0)
                *m_menuState = 0;
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
        if (*m_menuState == 1)
            StartPlaying();
        break;
    case MENU_PAGE:
        if (*m_menuState == 1)
            *m_menuState = 2;
        break;
    case MENU_QUIT:
        if (*m_menuState == 1)
            m_game->ShutDown();
        break;
    case MENU_NONE:
        // A release whose press was not seen here (the button was already
        // down when the menu opened) must not drop the menu into play.
        if (*m_menuState > 0)
            --*m_menuState;
        break;
    }
}

void CZoSDL::StartPlaying()
{
    *m_menuState = -1;
    m_device->ShowCursor(SDL_DISABLE);
}
