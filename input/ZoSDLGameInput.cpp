// Keyboard and mouse while the game is played: quitting, mouse look, one-shot
// keys, and the held keys that fly the camera, drive the tank and move the light.
// While the chase camera is on it alone moves the camera: the arrow keys and
// the mouse act on the free camera only.
#include "model/Numbers.h"
#include "input/ZoSDL.h"

namespace {

const double SLOW_CAMERA = 0.0033333333333333335;
const double CAMERA = 0.1;
const double FAST_CAMERA = 3;
const double MOUSE_LOOK = 0.075;
const double THROTTLE = 0.011;

}  // namespace

void CZoSDL::CheckInput()
{
    m_device->PumpEvents();
    m_menuDrawnState = MENU_NOT_DRAWN;
    unsigned int elapsed = m_device->GetTicks() - m_lastTicks;
    SDL_Event event;
    m_frameKeys.Begin();
    while (m_device->PollEvent(&event))
        HandleGameEvent(event, elapsed);
    HandleHeldKeys(elapsed);
    m_lastTicks = m_device->GetTicks();
}

void CZoSDL::HandleGameEvent(const SDL_Event& event, unsigned int elapsed)
{
    if (HandleAltEnter(event))
        return;
    switch (event.type) {
    case SDL_QUIT:
        m_game->ShutDown();
        break;
    case SDL_MOUSEMOTION:
        if (!m_play->chaseCamera)
            m_graphic->AddToAngles((float)(event.motion.yrel * MOUSE_LOOK * elapsed),
                                   (float)(event.motion.xrel * MOUSE_LOOK * elapsed));
        break;
    case SDL_KEYDOWN:
        m_frameKeys.Pressed(event.key.keysym.sym);
        HandleGameKey(event.key.keysym.sym);
        break;
    default:
        break;
    }
}

void CZoSDL::HandleGameKey(SDLKey key)
{
    if (key == m_bindings.camera) {
        ToggleChaseCamera();
        return;
    }
    switch (key) {
    case SDLK_p:
        // Nothing reads the object of a music toggle; the local tank keeps it well-formed.
        m_game->Publish(MakeMsg(GMSG_TOGGLE_MUSIC, LOCAL_TANK, 0, 0, GetTime()), false);
        break;
    case SDLK_q:
        if (m_keys->lagAndShadowKeys)
            m_peers.addLag();
        break;
    case SDLK_e:
        if (m_keys->lagAndShadowKeys)
            m_peers.removeLag();
        break;
    case SDLK_m:
        if (m_keys->lagAndShadowKeys && m_renderer)
            m_renderer->FlipShadowMode();
        break;
    case SDLK_r:
        SelfDestruct();
        break;
    case SDLK_g:
        m_play->digestAsked = true;
        break;
    case SDLK_n:
        m_play->netOverlay = !m_play->netOverlay;
        break;
    case SDLK_f:
        ToggleFramerate();
        break;
    case SDLK_b:
        m_play->botsHold = !m_play->botsHold;
        break;
    case SDLK_ESCAPE:
        m_play->menuState = 0;
        m_device->ShowCursor(SDL_ENABLE);
        break;
    default:
        if (m_keys->functionKeys)
            HandleFunctionKey(key);
        break;
    }
}

void CZoSDL::HandleHeldKeys(unsigned int elapsed)
{
    const Uint8* held = m_frameKeys.Down(m_device->GetKeyState());
    const double e = elapsed;
    if (held[SDLK_LEFT] && !m_play->chaseCamera)
        Strafe(Vector3f(0, -1, 0), e);
    if (held[SDLK_RIGHT] && !m_play->chaseCamera)
        Strafe(Vector3f(0, 1, 0), e);
    if (held[SDLK_UP] && !m_play->chaseCamera)
        Fly(1, e);
    if (held[SDLK_DOWN] && !m_play->chaseCamera)
        Fly(-1, e);
    if (held[m_keys->faster])
        Accelerate(THROTTLE * e);
    if (held[m_keys->slower])
        Accelerate(-THROTTLE * e);
    if (held[m_keys->turnLeft])
        Turn(1, elapsed);
    if (held[m_keys->turnRight])
        Turn(-1, elapsed);
    if (held[m_bindings.fire])
        Shoot();
    if (held[SDLK_z])
        ProbeTiming();
    m_play->scoreboard = held[SDLK_TAB] != 0;
    MoveLight(held, elapsed);
}

// The free camera starts from the view the chase camera left, turned by
// the mouse from there.
void CZoSDL::ToggleChaseCamera()
{
    m_play->chaseCamera = !m_play->chaseCamera;
    if (!m_play->chaseCamera && m_renderer)
        m_renderer->TurnFromDirection();
}

// Frame rate, or frags counted from now on: the frame loop clears the
// counter once when it sees the request.
void CZoSDL::ToggleFramerate()
{
    m_play->showFramerate =
        m_play->showFramerate == FRAMERATE_SHOWN ? FRAMERATE_CLEAR : FRAMERATE_SHOWN;
}

// Sideways: the step is the squared length of the move, so 100 ms without
// shift moves sqrt(10) units. The right shift key has no say here.
void CZoSDL::Strafe(Vector3f axis, double elapsed)
{
    double step = m_device->GetKeyState()[SDLK_LSHIFT] ? SLOW_CAMERA * elapsed : CAMERA * elapsed;
    Vector3f v = m_graphic->GetDirection().CrossProduct(axis);
    v.Rescale((float)step);
    m_graphic->AddToPos(v);
}

// Along the view; left shift wins over right shift.
void CZoSDL::Fly(double sign, double elapsed)
{
    double speed = m_device->GetKeyState()[SDLK_LSHIFT] ? SLOW_CAMERA : m_device->GetKeyState()[SDLK_RSHIFT] ? FAST_CAMERA : CAMERA;
    m_graphic->AddToPos(m_graphic->GetDirection() * (float)(sign * speed * elapsed));
}

void CZoSDL::Accelerate(double amount)
{
    float data[1] = {(float)amount};
    m_game->Publish(MakeMsg(GMSG_ACCELERATE, LOCAL_TANK, 1, data, GetTime()), false);
}

// Turns go to the peers at once; the local queue gets its own copy.
void CZoSDL::Turn(double sign, unsigned int elapsed)
{
    SGameObject* tank = LocalTank();
    if (!tank || tank->stateCount <= TS_TURN_RATE || !tank->state)
        return;
    float turn = (float)elapsed * tank->state[TS_TURN_RATE];
    float data[2] = {tank->angles.x, sign > 0 ? tank->angles.y + turn : tank->angles.y - turn};
    SGameMsg msg = MakeMsg(GMSG_CHANGE_ANGLES, LOCAL_TANK, 2, data, GetTime());
    m_game->Publish(msg, true);
}

// The peers hear of it like of any death of this tank.
void CZoSDL::SelfDestruct()
{
    SGameMsg msg = MakeMsg(GMSG_DEATH, LOCAL_TANK, 0, 0, GetTime());
    m_game->Publish(msg, true);
}

// One shot message per frame while held; the game's rules decide when the gun fires.
void CZoSDL::Shoot()
{
    SGameObject* tank = LocalTank();
    if (!tank)
        return;
    float data[6] = {tank->pos.x, tank->pos.y, tank->pos.z, tank->angles.x, tank->angles.y, tank->angles.z};
    SGameMsg msg = MakeMsg(GMSG_SHOOT, LOCAL_TANK, 6, data, GetTime());
    m_game->Publish(msg, true);
}

// Timing probe; about once a second (the first 10 ms of it) the connection
// table is printed as well.
void CZoSDL::ProbeTiming()
{
    SGameMsg msg = MakeMsg(GMSG_TIMING_PROBE, LOCAL_TANK, 0, 0, GetTime());
    if (GetTime() % 1000 <= 9)
        m_peers.printConnections();
    m_game->Publish(msg, true);
}

void CZoSDL::MoveLight(const Uint8* held, unsigned int elapsed)
{
    if (!m_renderer)
        return;
    const double e = elapsed;
    if (held[m_keys->lightXUp])
        m_renderer->MoveLight(e, 0);
    if (held[m_keys->lightXDown])
        m_renderer->MoveLight(-e, 0);
    if (held[m_keys->lightZUp])
        m_renderer->MoveLight(0, e);
    if (held[m_keys->lightZDown])
        m_renderer->MoveLight(0, -e);
}

// Object 1 is the local tank; before the battlefield is loaded there is none.
SGameObject* CZoSDL::LocalTank()
{
    std::vector<SGameObject*> objects = m_game->GetGameObjects();
    return (int)objects.size() > LOCAL_TANK ? objects[LOCAL_TANK] : 0;
}
