#ifndef FERROWIND_FERROWIND_H
#define FERROWIND_FERROWIND_H

#include <atomic>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "game/BotPlayers.h"
#include "input/PlaySwitches.h"
#include "game/OptionsPage.h"
#include "game/Settings.h"
#include "model/BuildFlavour.h"
#include "model/Interfaces.h"
#include "model/MessageQueue.h"
#include "model/Numbers.h"
#include "model/Rollback.h"
#include "model/ScoreRow.h"
#include "model/SavedStates.h"
#include "model/StateCheck.h"
#include "render/QualityGuard.h"

class CZoSDL;
class CZoGl;
class CZoSDLTreader;
class CZoSound;
struct CZoModelStore;

// The components a game runs with; the game owns them.
struct SGameComponents {
    CZoSDL* sdl;
    CZoGl* gl;
    CZoSDLTreader* threads;
    CZoSound* sound;
};

// The game: owns the components, the object list, the message queue and the
// ring of saved states, and applies every message to the battlefield.
class CFerrowind : public IGameInterface {
public:
    // Builds the real window, renderer, thread service and sound, opens the
    // socket and starts the listener and lag threads.
    CFerrowind(char* unused, char* outputPath);
    // Runs the game on the given components, without network threads.
    CFerrowind(const SGameComponents& components, const char* outputPath);
    virtual ~CFerrowind() {}

    void ShutDown() override;
    std::vector<SGameObject*> GetGameObjects() override;
    std::vector<int> GetGameEffectObjects() override;
    int AddGameObject(SGameObject* object) override;
    SGameObject* CopyGameObject(int index) override;
    void AddMsg(SGameMsg msg) override;
    unsigned long GetTime() override;
    void SetTimeOffset(unsigned long ms) override;
    virtual void ActOnMessages();
    virtual void ActOnMessage(SGameMsg msg);
    virtual void CalculateBB(SGameObject& object);
    virtual Vector3f RCollision(Vector3f requested, int index);
    virtual Vector3f MCollision(Vector3f position, int index);
    virtual Vector3f ACollision(Vector3f position, int index);
    virtual void Run();
    // One pass of the loop while the menu is open.
    void MenuFrame();

    // The player's settings: the renderer's switches, the keys, the guard's
    // target. Kept, and written back to m_settingsPath when they change.
    void UseSettings(const SSettings& settings);
    SSettings m_settings;
    std::string m_settingsPath;  // empty: nothing is written
    // After each playing frame of `frameMs`: the frame-rate guard may step the
    // quality, which it names on the log.
    void GuardFrameRate(unsigned long frameMs);
    CQualityGuard m_guard;
    // The options screen over the menu; closing it uses and saves its settings.
    COptionsPage m_options{[this] { return m_settings; }, [this](const SSettings& s) { ChangeSettings(s); }};
    void ChangeSettings(const SSettings& settings);
    // Full screen switched by Alt+Enter is saved like a setting.
    void KeepWindowModeInSettings();
    // The renderer follows every change of the window's size or mode.
    void FollowWindow();
    unsigned int m_windowChangesSeen = 0;
    virtual int LoadObjects(char* path);
    virtual int LoadTextures(char* path);
    virtual int LoadShaders(char* path);
    virtual int LoadModels(char* path);
    virtual void LoadSounds(char* path);
    virtual void AddMsg(SGameMsg msg, bool lock);
    void Publish(SGameMsg msg, bool toPeers) override;
    virtual void Close();

    std::vector<SGameObject*> m_objects;
    std::vector<int> m_effectObjects;
    // The message queue, its time warp and snapshots; the three after it
    // name its messages, its rollback and the rollback's snapshot ring.
    CMessageQueue m_queue;
    const std::deque<SGameMsg>& m_messages;
    CRollback& m_rollback;
    SSavedStates& m_savedStates;
    int m_objectCount;
    CZoSDL* m_sdl;
    CZoGl* m_gl;
    CZoSDLTreader* m_threads;
    CZoSound* m_sound;
    int m_mutex;
    bool m_running;

    // True when the loaded battlefield has what the game reads by number: a
    // local tank at 1, an object 72 and an effect object. Names what is missing.
    bool CheckBattlefield(const char* path) const;

    // The computer tanks this copy drives.
    CBotPlayers m_bots;
    // The frame loop's movement step: the local tank's and the computer
    // tanks' (public for battles simulated without a window).
    void StepObjects(const std::vector<SGameObject*>& objects, unsigned long dt);
    // What the keys and the menu switch; the chase camera is on from the start.
    SPlaySwitches m_play{SPlaySwitches::WithChaseCamera()};
    // Whether this copy works out hits on the tank (its player's or a
    // computer tank it drives), and whether the peers know it.
    bool OwnsTank(int index) const;
    bool KnownToPeers(int index) const;
    // The computer tanks' settings; their seed, when none is given, and the
    // game's dice from the clock, else both from the seed.
    void SeedBots(SBotSettings settings);
    // The player's name, as the scoreboard and the peers show it.
    std::string m_playerName = "PLAYER";
    // Every tank of the battle, most frags first.
    std::vector<SScoreRow> ScoreRows();

    // This copy's address, which its own messages (sender 0) order by; set
    // by the game thread while the lag thread may be queueing.
    std::atomic<unsigned int> m_selfAddress;

private:
    // Holds the game's mutex for a scope. The thread that holds it already (a
    // rule or collision test reaching a public call inside a pass) goes on
    // without taking it again, so the game thread cannot deadlock on itself.
    class CHold {
    public:
        explicit CHold(CFerrowind& game);
        ~CHold();

    private:
        CFerrowind& m_game;
        bool m_taken;
    };

    void OpenOutput(const char* outputPath);
    // The loaded models' geometry, which collision and the object file read.
    const CZoModelStore& ModelStore() const;
    // The sound as the rules and the time warp reach it.
    ISoundSink& Sound();
    // The renderer's camera, which the chase view moves.
    IGraphicInterface& Camera();
    void Wire();
    void WireQueue();
    void AddConsequence(SGameMsg msg);
    bool MessageIsValid(const SGameMsg& msg) const;
    bool IsTank(int index) const;
    bool Present(const SGameObject& other);
    void TakePowerUp(const SGameMsg& msg);
    void SetTankState(const SGameMsg& msg);
    void SetTankPose(const SGameMsg& msg);
    void PublishPoses();
    void Shoot(const SGameMsg& msg);
    void Respawn(int shooter, unsigned long shotTime);
    bool FreeSpot(int tank, Vector3f& spot);
    unsigned long RuleTime();
    void Emit(SGameMsg& msg, bool toPeers = true);
    int HitTest(int shooter);
    void DamageOwnedTank(int target, int shooter);
    void UpdateDisplay(unsigned long frameStart);
    void FollowLocalTank();
    std::function<std::string(int)> TankNames() const;
    void PrintDigest();
    void PrintScores();
    void ShowScoreboard();
    void TellPeers();
    void EnterBots();
    void LeaveDepartedBots();
    std::string PeerName(unsigned long address);
    void ShowNetFigures();
    // A respawn's probe for a free spot takes no power-ups.
    Vector3f CollisionTest(Vector3f requested, int index, bool turning, bool takePowerUps = true);

    std::atomic<std::thread::id> m_lockOwner;
    // When the network overlay was last renewed; 0 while it is off.
    unsigned int m_netFiguresAt = 0;
    enum { NET_FIGURES_EVERY_MS = 250 };
    // Hashes of the battlefield at fixed times, compared with the peers'.
    CStateCheck m_stateCheck;
    // When the player's name and the hosted computer tanks were last sent.
    unsigned int m_peersToldAt = 0;
    enum { TELL_PEERS_EVERY_MS = 2000 };
    // The earliest game time a warp went back to since the last frame: a
    // newcomer answered later than that gets this copy's tank again.
    bool m_warpedSince = false;
    unsigned int m_warpedBackTo = 0;
    // Game time of the last poses of the tanks this copy owns.
    unsigned int m_posedAt = 0;
    enum { TANK_POSE_EVERY_MS = 2000 };
    // Damage rolls and respawn spots; a game of its own in each test.
    std::minstd_rand m_random;
};

// The output log file: one line per time warp. Null when it could not be opened.
extern FILE* output;

#endif
