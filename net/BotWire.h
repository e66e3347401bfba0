#ifndef FERROWIND_BOTWIRE_H
#define FERROWIND_BOTWIRE_H

#include <functional>
#include <mutex>
#include <vector>

#include "model/Interfaces.h"
#include "net/WireFormat.h"

// Computer tanks a copy hosts in a LAN game travel in record types of their
// own, which copies that follow only the original rules ignore (they read
// no type above 604), so those copies never see them:
//   SMSG_BOT_TANK: one computer tank, described like a connect record, its
//     number on its host in `recipient`; repeated every few seconds, so
//     that copies that join later take it in.
//   SMSG_BOT_MSG: a game message about one, laid out like a game record but
//     for `type`; the game message type in the four `reserved` bytes after the stamp,
//     the tank named by its host (`recipientAddr`) and number (`recipient`).
enum { SMSG_BOT_TANK = 611, SMSG_BOT_MSG = 612 };

SSocketMSG BotTankRecord(const SGameObject& tank, int number, unsigned long host);
SSocketMSG BotMsgRecord(const SGameMsg& msg, unsigned long host, int number, unsigned long sender);
// The game message type a bot message record carries.
int BotMsgType(const SSocketMSG& rec);
// A bot message record as the game record the lag thread delivers: the
// game type, and the computer tank's local index in place of an owner.
SSocketMSG GameRecordFromBotMsg(const SSocketMSG& rec, int index);

// Every hosted computer tank this copy knows, its own among them: its host,
// its number there and its local object index.
class CBotTable {
public:
    enum { SILENCE_MS = 10000 };
    struct SEntry {
        unsigned long host;
        int number;
        int index;
        unsigned int heardAt;  // when its host last announced it (a steady clock, ms)
        bool gone;             // its host fell silent: it left
    };

    void Add(unsigned long host, int number, int index, unsigned int now);
    int IndexOf(unsigned long host, int number) const;
    // False when the object is no hosted computer tank.
    bool Find(int index, SEntry& entry) const;
    void Heard(unsigned long host, unsigned int now);
    // The local indexes of the computer tanks whose host (other than `self`)
    // has not announced them for SILENCE_MS; each is reported once.
    std::vector<int> Departed(unsigned long self, unsigned int now);
    std::vector<SEntry> Entries() const;

private:
    mutable std::mutex m_lock;
    std::vector<SEntry> m_entries;
};

CBotTable& HostedBots();

// A received SMSG_BOT_TANK or SMSG_BOT_MSG from a known peer: a new computer
// tank is added to the game, a message is handed to `queue` as a game
// record. False for a record that is refused.
bool TakeBotRecord(const SSocketMSG& rec, IGameInterface& game, const std::function<void(const SSocketMSG&)>& queue,
                   unsigned int now);

// Sends a game message about a hosted computer tank to every peer; 0 when
// the object is none.
int ZOSocketSendBotMsg(SGameMsg* msg);
// Announces this copy's computer tank `tank` (its `number`) to every peer.
void ZOSocketAnnounceBot(const SGameObject& tank, int number);

#endif
