#include "render/QualityGuard.h"

namespace {

// Below 90 % of the target the step goes down; above 130 % it may go up,
// so that a step taken up does not at once fall short again.
bool Short(double fps, int target)
{
    return fps < target * 0.9;
}

bool Roomy(double fps, int target)
{
    return fps > target * 1.3;
}

}  // namespace

CQualityGuard::CQualityGuard(int targetFps) : m_target(targetFps) {}

void CQualityGuard::SetTarget(int targetFps)
{
    m_target = targetFps;
    Restart();
}

void CQualityGuard::Restart()
{
    m_periodMs = 0;
    m_periodFrames = 0;
    m_roomyPeriods = 0;
    m_settling = true;
}

int CQualityGuard::Frame(unsigned int ms, int step, int stepCount)
{
    m_givenUpMs = ms >= m_givenUpMs ? 0 : m_givenUpMs - ms;
    if (ms > LONGEST_FRAME_MS) {
        Restart();
        return step;
    }
    m_periodMs += ms;
    ++m_periodFrames;
    if (m_periodMs < PERIOD_MS)
        return step;
    double fps = 1000.0 * m_periodFrames / m_periodMs;
    bool settling = m_settling;
    m_periodMs = 0;
    m_periodFrames = 0;
    m_settling = false;
    if (settling)
        return step;
    if (Short(fps, m_target)) {
        m_roomyPeriods = 0;
        if (step + 1 >= stepCount)
            return step;
        m_givenUp = step;
        m_givenUpMs = BLOCK_UP_MS;
        m_settling = true;
        return step + 1;
    }
    m_roomyPeriods = Roomy(fps, m_target) ? m_roomyPeriods + 1 : 0;
    if (m_roomyPeriods < UP_PERIODS || step == 0 || (step - 1 == m_givenUp && m_givenUpMs > 0))
        return step;
    m_roomyPeriods = 0;
    m_settling = true;
    return step - 1;
}
