// The player's settings put into effect, and the frame-rate guard's steps.
#include "game/Ferrowind.h"

#include <string>

#include "game/KeyGuide.h"
#include "input/ZoSDL.h"
#include "model/Log.h"
#include "render/TextLayout.h"
#include "render_gl/ZoGl.h"

namespace {

// How long a notice stays on screen.
const unsigned long NOTICE_MS = 5000;

}  // namespace

void CFerrowind::UseSettings(const SSettings& settings)
{
    m_settings = settings;
    m_gl->SetQuality(settings.quality);
    m_sdl->SetKeyBindings(settings.keys);
    m_gl->SetMenuKeys(KeyGuideImages(KeyGuide(settings.keys, m_sdl->Keys())));
    m_sdl->SetWindowSize(settings.windowWidth, settings.windowHeight);
    m_sdl->SetFullScreen(settings.fullscreen);
    FollowWindow();
    m_guard.SetTarget(settings.targetFps);
}

void CFerrowind::ChangeSettings(const SSettings& settings)
{
    if (settings == m_settings)
        return;
    UseSettings(settings);
    if (!m_settingsPath.empty())
        SaveSettings(m_settings, m_settingsPath);
}

// Alt+Enter switches full screen in the window layer, which knows nothing of
// settings: the switch is saved here, as if chosen on the options page.
void CFerrowind::KeepWindowModeInSettings()
{
    if (m_sdl->FullScreen() == m_settings.fullscreen)
        return;
    SSettings settings = m_settings;
    settings.fullscreen = m_sdl->FullScreen();
    ChangeSettings(settings);
}

void CFerrowind::FollowWindow()
{
    if (m_sdl->WindowChanges() == m_windowChangesSeen)
        return;
    m_windowChangesSeen = m_sdl->WindowChanges();
    m_gl->FollowWindow(m_sdl->WindowWidth(), m_sdl->WindowHeight());
}

// Only the quality steps are the guard's to walk: switches set one by one
// that are none of them stay as the player set them.
void CFerrowind::GuardFrameRate(unsigned long frameMs)
{
    if (!m_settings.guard)
        return;
    int step = StepOf(m_settings.quality);
    if (step < 0)
        return;
    int next = m_guard.Frame((unsigned int)frameMs, step, QualityStepCount());
    if (next == step)
        return;
    SQuality before = m_settings.quality;
    m_settings.quality = QualityStep(next);
    m_gl->SetQuality(m_settings.quality);
    std::string notice = std::string("Quality ") + (next > step ? "lowered" : "raised") + " for " +
                         std::to_string(m_guard.Target()) + " fps: " +
                         DescribeChange(before, m_settings.quality);
    LogOut("%s\n", notice.c_str());
    m_gl->ShowNotice(NoticeImages(notice), GetTime() + NOTICE_MS);
    if (!m_settingsPath.empty())
        SaveSettings(m_settings, m_settingsPath);
}
