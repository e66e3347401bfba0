#ifndef FERROWIND_BOTPLAYERS_H
#define FERROWIND_BOTPLAYERS_H

#include <string>
#include <vector>

#include "game/BotBrain.h"
#include "model/Interfaces.h"

// How many computer tanks a practice game has, how well they play, and the
// seed of their choices (the same seed, the same choices in the same game).
struct SBotSettings {
    enum { MIN_COUNT = 1, MAX_COUNT = 8, DEFAULT_COUNT = 3 };
    int count = DEFAULT_COUNT;
    EBotLevel level = BOT_NORMAL;
    unsigned int seed = 0;
    bool seeded = false;
    // Asked for on the command line: they enter as play starts.
    bool fromStart = false;
    // Shown to the peers of a LAN game that understand computer tanks.
    bool hosted = false;
};

// The computer tanks this copy drives. Each is a tank in the game's object
// list like a peer's; it plays through the messages a player's keys make,
// entered into the queue and applied by the same rules.
class CBotPlayers {
public:
    void Configure(const SBotSettings& settings) { m_settings = settings; }
    const SBotSettings& Settings() const { return m_settings; }

    // Adds the tanks once, dead, like the local tank at the start: each
    // enters by firing. Their kind, model and speed are the local tank's.
    void Enter(IGameInterface& game);
    bool Playing() const { return !m_brains.empty(); }
    bool Owns(int index) const;
    std::vector<int> Tanks() const;
    // "BOT 1" and on, in the order they entered; empty for another object.
    std::string NameOf(int index) const;

    // One frame of every computer tank: its keys' messages, then its
    // movement step, as the frame loop makes the local tank's. Holding, they
    // press no key: the movement step alone runs the throttle down.
    void Frame(IGameInterface& game, unsigned int dtMs, bool holding = false);

    // The peers hear the computer tanks' messages once they are shared;
    // before, the tanks are this copy's alone.
    void Share() { m_shared = true; }
    bool Shared() const { return m_shared; }

private:
    void Enter(IGameInterface& game, SGameMsg msg, bool toPeers);

    SBotSettings m_settings;
    std::vector<CBotBrain> m_brains;
    bool m_shared = false;
};

#endif
