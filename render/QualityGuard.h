#ifndef FERROWIND_QUALITYGUARD_H
#define FERROWIND_QUALITYGUARD_H

// Holds a target frame rate by walking the quality steps (render/Quality.h):
// one step down when a measuring period falls clearly short of the target,
// one step up only after several periods with room to spare, and never back
// up soon to a step that was just given up. No clock of its own: it is told
// each playing frame's length.
class CQualityGuard {
public:
    explicit CQualityGuard(int targetFps = 30);
    void SetTarget(int targetFps);
    int Target() const { return m_target; }
    // A playing frame of `ms` milliseconds drawn at `step`; returns the step
    // to draw at from now on (the same step, or one beside it).
    int Frame(unsigned int ms, int step, int stepCount);
    // Forgets what was measured (after the menu, a change of window or of
    // quality made by hand).
    void Restart();

    enum {
        PERIOD_MS = 2000,       // frames are measured together over this long
        LONGEST_FRAME_MS = 1000,  // a longer one is a pause (menu, loading), not a frame
        UP_PERIODS = 3,         // periods with room to spare before a step up
        BLOCK_UP_MS = 60000     // a step given up is not tried again for this long
    };

private:
    int m_target;
    unsigned int m_periodMs = 0;
    int m_periodFrames = 0;
    int m_roomyPeriods = 0;
    // The first period after a change settles: it is not judged.
    bool m_settling = true;
    // The step last given up, and for how long more it stays given up.
    int m_givenUp = -1;
    unsigned int m_givenUpMs = 0;
};

#endif
