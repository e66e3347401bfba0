#include "game/Ferrowind.h"
#include "model/Log.h"

#include <cstdlib>
#include <ctime>

#include "game/KeyGuide.h"
#include "model/StateDigest.h"
#include "input/ZoSDL.h"
#include "net/BotWire.h"
#include "net/NetFigures.h"
#include "net/PlayerNames.h"
#include "net/SocketLayer.h"
#include "net/WireConvert.h"
#include "net/ZoSockets.h"
#include "net/ZoThreadMaster.h"
#include "render/NetOverlayLayout.h"
#include "render/ScoreboardLayout.h"
#include "render_gl/ZoGl.h"
#include "sound/ZoSound.h"

FILE* output = 0;

CFerrowind::CFerrowind(char*, char* outputPath)
    : m_queue(m_objects, m_selfAddress, ZOSocketSend), m_messages(m_queue.Messages()), m_rollback(m_queue.Rollback()),
      m_savedStates(m_rollback.States()), m_objectCount(0), m_sdl(0), m_gl(0), m_threads(0), m_sound(0), m_mutex(-1),
      m_running(true), m_selfAddress(0), m_lockOwner(std::thread::id())
{
    m_sdl = new CZoSDL((char*)"Ferrowind", (char*)"");
    m_gl = new CZoGl();
    Wire();
    WireQueue();
    m_threads = new CZoSDLTreader();
    m_sound = new CZoSound();
    m_mutex = m_threads->InitializeMutex();
    m_running = true;
    ZOSocketOpen();
    ZOSocketSetStateCheck(&m_stateCheck);
    m_threads->CreateThread(ZOSocketListen, this);
    m_threads->CreateThread(ZOSocketListen, this);
    m_threads->CreateThread(Lag, this);
    std::srand((unsigned)std::time(0));
    m_random.seed((unsigned)std::rand());
    OpenOutput(outputPath);
}

CFerrowind::CFerrowind(const SGameComponents& components, const char* outputPath)
    : m_queue(m_objects, m_selfAddress, ZOSocketSend), m_messages(m_queue.Messages()), m_rollback(m_queue.Rollback()),
      m_savedStates(m_rollback.States()), m_objectCount(0), m_sdl(components.sdl), m_gl(components.gl),
      m_threads(components.threads), m_sound(components.sound), m_mutex(-1), m_running(true), m_selfAddress(0),
      m_lockOwner(std::thread::id())
{
    Wire();
    WireQueue();
    m_mutex = m_threads->InitializeMutex();
    OpenOutput(outputPath);
}

// The input object changes the game's and the renderer's switches, and
// reaches the peers, through what it is given here; it knows neither class
// nor the socket layer.
void CFerrowind::Wire()
{
    m_sdl->SetGameInterface(this);
    m_sdl->SetPeerCalls(SPeerCalls{add_lag, remove_lag, PrintConnections});
    m_sdl->SharePlaySwitches(&m_play);
    m_sdl->SetGraficInterface(m_gl);
    m_sdl->SetRendererSwitches(m_gl);
    m_sdl->SetOptionsPage(&m_options);
    m_gl->SetMenuNote(COptionsPage::OpenerImages());
    m_gl->SetMenuKeys(KeyGuideImages(KeyGuide(m_sdl->Bindings(), m_sdl->Keys())));
    m_gl->SetGameInterface(this);
}

CFerrowind::CHold::CHold(CFerrowind& game) : m_game(game), m_taken(false)
{
    if (game.m_lockOwner.load() == std::this_thread::get_id())
        return;
    game.m_threads->LockMutex(game.m_mutex);
    game.m_lockOwner = std::this_thread::get_id();
    m_taken = true;
}

CFerrowind::CHold::~CHold()
{
    if (!m_taken)
        return;
    m_game.m_lockOwner = std::thread::id();
    m_game.m_threads->UnlockMutex(m_game.m_mutex);
}

void CFerrowind::OpenOutput(const char* outputPath)
{
    output = std::fopen(outputPath, "wt");
    if (!output)
        LogErr("Cannot open the output log file %s: playing without a log\n", outputPath);
}

const CZoModelStore& CFerrowind::ModelStore() const
{
    return m_gl->ModelStore();
}

ISoundSink& CFerrowind::Sound()
{
    return *m_sound;
}

IGraphicInterface& CFerrowind::Camera()
{
    return *m_gl;
}

void CFerrowind::ShutDown()
{
    m_running = false;
}

void CFerrowind::Close()
{
    m_threads->Close();
    ZOSocketClose();
}

unsigned long CFerrowind::GetTime()
{
    return m_sdl->GetTime();
}

void CFerrowind::SetTimeOffset(unsigned long ms)
{
    m_sdl->SetTimeOffset(ms);
}

// The asset forwards pass the loader's result on, so that start-up stops on a
// battlefield that could not be loaded instead of running on garbage.
int CFerrowind::LoadTextures(char* path)
{
    LogOut("loading textures\n");
    return m_gl->LoadTextures(path);
}

int CFerrowind::LoadShaders(char* path)
{
    LogOut("loading shaders\n");
    return m_gl->LoadShaders(path);
}

int CFerrowind::LoadModels(char* path)
{
    LogOut("loading models\n");
    return m_gl->LoadObjects(path);
}

void CFerrowind::LoadSounds(char* path)
{
    m_sound->LoadSounds(path);
}

void CFerrowind::Run()
{
    LogOut("RUN\n");
    // What the peers see as this copy's sender address.
    m_selfAddress = (unsigned int)myIpAddr();
    ZOSocketConnect(0);
    m_savedStates.lastTime = (unsigned int)GetTime();
    unsigned long previous = GetTime();
    for (int i = 0; i < 10; ++i)
        m_savedStates.SaveState(GetGameObjects(), (unsigned int)GetTime());
    CDigestSchedule digests = CDigestSchedule::FromEnvironment();
    if (m_bots.Settings().fromStart)
        EnterBots();

    while (m_running) {
        KeepWindowModeInSettings();
        FollowWindow();
        if (m_play.menuState >= 0) {
            MenuFrame();
            continue;
        }
        m_sdl->CheckInput();
        if (m_play.practice) {
            m_play.practice = false;
            EnterBots();
        }
        unsigned long frameStart = GetTime();
        unsigned long dt = (unsigned int)(GetTime() - previous);
        std::vector<SGameObject*> objects = GetGameObjects();
        if (objects.size() > ANIMATED_OBJECT) {
            // A newcomer's restate copies every object on the network thread.
            CHold hold(*this);
            objects[ANIMATED_OBJECT]->model = RadarModel(frameStart);
        }
        StepObjects(objects, dt);
        previous = GetTime();
        ActOnMessages();
        if (m_warpedSince) {
            m_warpedSince = false;
            ZOSocketRestateToNewcomers(m_warpedBackTo);
        }
        PublishPoses();
        FollowLocalTank();
        m_gl->Draw();
        GuardFrameRate(dt);
        UpdateDisplay(frameStart);
        ShowNetFigures();
        ShowScoreboard();
        TellPeers();
        LeaveDepartedBots();
        bool asked = m_play.digestAsked;
        m_play.digestAsked = false;
        if (digests.Due(GetTime(), asked)) {
            PrintDigest();
            PrintScores();
        }
        m_sdl->EndCyrcle();
    }
    if (output) {
        std::fclose(output);
        output = 0;
    }
}

// The menu is a still picture: drawn and shown again only when something
// changed, so that a game left on the menu costs next to nothing.
void CFerrowind::MenuFrame()
{
    bool redraw = m_sdl->TakeMenuRedraw();
    if (redraw && m_options.IsOpen())
        m_gl->DrawMenuPage(m_options.Images());
    else if (redraw)
        m_gl->DrawMenu(m_play.menuState);
    m_sdl->CheckMenuInput();
    if (redraw)
        m_sdl->EndCyrcle();
    else
        m_sdl->EndIdleCyrcle();
}

// The movement step of the ground and the local tank, whose messages go to
// the peers (positions, through the game's one sender) and the queue; and
// taken power-ups shown again once the game time their timer holds has come
// (by kind: restored snapshots hold plain objects). Held like a pass: the
// network thread copies tanks to announce and restate them meanwhile.
void CFerrowind::StepObjects(const std::vector<SGameObject*>& objects, unsigned long dt)
{
    CHold hold(*this);
    for (int index = 0; index < 2 && index < (int)objects.size(); ++index) {
        std::vector<SGameMsg> pair = objects[index]->Action(dt, index);
        if (pair.empty())
            continue;
        pair[0].time = pair[1].time = GetTime();
        Publish(pair[0], true);
        Publish(pair[1], false);
    }
    m_bots.Frame(*this, (unsigned int)dt, m_play.botsHold);
    for (SGameObject* o : objects)
        if (o->kind == KIND_POWERUP && !o->active && (int)((unsigned int)GetTime() - (unsigned int)o->timer) >= 0)
            o->active = 1;
}

// The tanks this copy owns, where they stand once this frame's messages are
// in, dated now: each copy applies the pose after that time's messages, so
// whatever a copy made of the moves before, all stand alike after it.
void CFerrowind::PublishPoses()
{
    unsigned int now = (unsigned int)GetTime();
    if (m_posedAt != 0 && now - m_posedAt < TANK_POSE_EVERY_MS)
        return;
    m_posedAt = now | 1;
    std::vector<std::pair<SGameMsg, bool>> poses;
    {
        CHold hold(*this);
        std::vector<int> owned = m_bots.Tanks();
        owned.insert(owned.begin(), LOCAL_TANK);
        for (int index : owned) {
            const SGameObject* o = index < (int)m_objects.size() ? m_objects[index] : 0;
            if (!IsTank(index) || o->kind != KIND_TANK || !o->active)
                continue;
            float pose[TANK_POSE_VALUES] = {o->pos.x, o->pos.y, o->pos.z, o->angles.x, o->angles.y, o->angles.z};
            poses.emplace_back(MakeMsg(GMSG_TANK_POSE, index, TANK_POSE_VALUES, pose, now), KnownToPeers(index));
        }
    }
    for (const auto& pose : poses)
        Publish(pose.first, pose.second);
}

// Tanks named by their owners' addresses, as every copy knows them.
std::function<std::string(int)> CFerrowind::TankNames() const
{
    // A peer that has left keeps its name: its tank stays in play until its
    // departure's time, and a hash of a time before that may be taken (or
    // replayed) after the table let it go.
    return [](int index) {
        unsigned long owner = SocketConnections().AddressOf(index);
        std::string name = owner ? DottedAddress(owner) : "object" + std::to_string(index);
        CBotTable::SEntry bot;
        if (HostedBots().Find(index, bot))
            name = "bot" + std::to_string(bot.number) + "@" + DottedAddress(bot.host);
        return name;
    };
}

void CFerrowind::PrintDigest()
{
    std::string text;
    {
        CHold hold(*this);
        text = StateDigest(m_objects, TankNames(), GetTime());
    }
    LogOut("%s", text.c_str());
}

void CFerrowind::SeedBots(SBotSettings settings)
{
    if (settings.seeded)
        m_random.seed(settings.seed ? settings.seed : 1);
    else
        settings.seed = (unsigned int)std::rand();
    m_bots.Configure(settings);
}

// The player's name and the hosted computer tanks, every few seconds, so
// that peers that joined since, or lost a record, hear them.
void CFerrowind::TellPeers()
{
    unsigned int now = NetFiguresClock();
    if (m_peersToldAt != 0 && now - m_peersToldAt < TELL_PEERS_EVERY_MS)
        return;
    m_peersToldAt = now | 1;
    ZOSocketSendName(m_playerName);
    if (!m_bots.Shared())
        return;
    std::vector<int> bots = m_bots.Tanks();
    for (size_t k = 0; k < bots.size(); ++k)
        ZOSocketAnnounceBot(*m_objects[bots[k]], (int)k + 1);
}

// Computer tanks enter; hosted ones are numbered for the peers, which know
// them by this copy's address and that number.
void CFerrowind::EnterBots()
{
    if (m_bots.Playing())
        return;
    m_bots.Enter(*this);
    if (!m_bots.Settings().hosted)
        return;
    std::vector<int> bots = m_bots.Tanks();
    for (size_t k = 0; k < bots.size(); ++k)
        HostedBots().Add(m_selfAddress, (int)k + 1, bots[k], NetFiguresClock());
    m_bots.Share();
}

// The computer tanks of a host that fell silent leave with it: a death
// of this copy's own, which the queue keeps like any other.
void CFerrowind::LeaveDepartedBots()
{
    for (int bot : HostedBots().Departed(m_selfAddress, NetFiguresClock())) {
        LogOut("computer tank object %d left with its host\n", bot);
        AddMsg(MakeMsg(GMSG_DEATH, bot, 0, 0, GetTime()));
    }
}

void CFerrowind::ShowScoreboard()
{
    m_gl->ShowScoreboard(m_play.scoreboard ? ScoreboardImages(ScoreRows()) : std::vector<SImageRect>());
}

// Every tank's name and score, on the digest's schedule.
void CFerrowind::PrintScores()
{
    std::string text;
    for (const SScoreRow& row : ScoreRows())
        text += "score " + row.name + " frags " + std::to_string(row.frags) + " deaths " + std::to_string(row.deaths) +
                "\n";
    LogOut("%s", text.c_str());
}

// The overlay's digits, renewed four times a second while it is on; the
// figures in words once each time it is switched on.
void CFerrowind::ShowNetFigures()
{
    if (!m_play.netOverlay) {
        m_gl->ShowNetOverlay({});
        m_netFiguresAt = 0;
        return;
    }
    unsigned int now = NetFiguresClock();
    if (m_netFiguresAt != 0 && now - m_netFiguresAt < NET_FIGURES_EVERY_MS)
        return;
    std::vector<SPeerFigures> peers = NetFigures().Figures(now);
    if (m_netFiguresAt == 0) {
        LogOut("%s", NetFiguresText(peers, get_lag()).c_str());
    }
    m_netFiguresAt = now | 1;
    m_gl->ShowNetOverlay(NetOverlayImages(peers, get_lag()));
}
