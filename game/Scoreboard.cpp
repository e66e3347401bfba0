// Every tank of the battle with its score, for the scoreboard and the log.
#include "game/Ferrowind.h"
#include "net/BotWire.h"
#include "net/NetFigures.h"
#include "net/PlayerNames.h"
#include "net/SocketLayer.h"
#include "net/WireConvert.h"
#include "net/ZoSockets.h"

std::vector<SScoreRow> CFerrowind::ScoreRows()
{
    std::vector<ZOConnectionID> table = SocketConnections().Snapshot();
    std::vector<SPeerFigures> figures = NetFigures().Figures(NetFiguresClock());
    std::vector<SScoreRow> rows;
    CHold hold(*this);
    auto add = [&](int index, const std::string& name, int roundTrip) {
        if (IsTank(index))
            rows.push_back(SScoreRow{name, m_objects[index]->frags, m_objects[index]->deaths, roundTrip});
    };
    add(LOCAL_TANK, m_playerName, -1);
    for (int bot : m_bots.Tanks())
        add(bot, m_bots.NameOf(bot), -1);
    for (const ZOConnectionID& entry : table) {
        if (entry.objectIndex == LOCAL_TANK)
            continue;
        int roundTrip = -1;
        for (const SPeerFigures& f : figures)
            if (f.address == entry.address)
                roundTrip = f.roundTripMs;
        add(entry.objectIndex, PeerName(entry.address), roundTrip);
    }
    for (const CBotTable::SEntry& bot : HostedBots().Entries())
        if (bot.host != m_selfAddress && !bot.gone)
            add(bot.index, "BOT " + std::to_string(bot.number) + "@" + PeerName(bot.host).substr(0, 12), -1);
    SortScoreRows(rows);
    return rows;
}

// A peer that follows only the original rules sends no name: its address stands in.
std::string CFerrowind::PeerName(unsigned long address)
{
    std::string name = PlayerNames().Get(address);
    return name.empty() ? DottedAddress(address) : name;
}
