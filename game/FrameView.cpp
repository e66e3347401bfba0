// What a playing frame shows besides the battlefield: where the chase camera
// sits, and which number the local tank's display carries.
#include "game/Ferrowind.h"

namespace {

const float CHASE_HEIGHT = 60;
const float CHASE_DISTANCE = 40;

}  // namespace

// Above and behind the tank, looking the way it faces. A dead tank leaves the
// camera where it was, so its wreck stays in view.
void CFerrowind::FollowLocalTank()
{
    if (!m_play.chaseCamera)
        return;
    std::vector<SGameObject*> objects = GetGameObjects();
    if (objects.size() <= LOCAL_TANK || !objects[LOCAL_TANK]->active)
        return;
    const SGameObject& tank = *objects[LOCAL_TANK];
    Camera().SetAngles(tank.angles.x / 180 * 3.14f, tank.angles.y / 180 * 3.14f + 3.14f);
    Camera().SetPos(tank.pos + Vector3f(0, CHASE_HEIGHT, 0) - tank.Direction() * CHASE_DISTANCE);
}

// Element 6 doubles as the frag counter: while the frame rate is not shown
// it is left to the rules, after being cleared once.
void CFerrowind::UpdateDisplay(unsigned long frameStart)
{
    // A listener may be growing the list at this moment.
    CHold hold(*this);
    if (m_objects.size() <= LOCAL_TANK || m_objects[LOCAL_TANK]->stateCount <= TS_DISPLAY)
        return;
    float& display = m_objects[LOCAL_TANK]->state[TS_DISPLAY];
    if (m_play.showFramerate == FRAMERATE_SHOWN) {
        double frameMs = (double)(unsigned int)(GetTime() - frameStart);
        display = (float)(1000.0 / frameMs);
    } else if (m_play.showFramerate == FRAMERATE_CLEAR) {
        display = 0;
        m_play.showFramerate = FRAMERATE_HIDDEN;
    }
}
