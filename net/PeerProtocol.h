#ifndef FERROWIND_PEERPROTOCOL_H
#define FERROWIND_PEERPROTOCOL_H

#include <atomic>
#include <chrono>
#include <cstddef>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <vector>

#include "model/Interfaces.h"
#include "model/StateCheck.h"
#include "net/ConnectionTable.h"
#include "net/DropCounts.h"
#include "net/HeldRecords.h"
#include "net/SentRecords.h"
#include "net/SequenceWindow.h"
#include "net/WireFormat.h"

// What the peer protocol needs from the socket layer: its own address, a way
// to send one record and the receive queue for game messages.
class IPeerTransport {
public:
    virtual unsigned long LocalAddress() = 0;
    virtual void Send(SSocketMSG* rec) = 0;
    virtual void Queue(const SSocketMSG& rec) = 0;

protected:
    ~IPeerTransport() {}
};

// Announcement, connection and clock synchronisation between peers, and the
// sorting of received datagrams. Anyone on the network can send anything, so
// every received byte is checked before it is believed.
class CPeerProtocol {
public:
    // `incarnation` tells this run of the program from earlier ones at the
    // same address; never 0.
    CPeerProtocol(CConnectionTable& table, IPeerTransport& transport, uint32_t incarnation);

    void SetGame(IGameInterface* game) { m_game = game; }
    // Where this copy's battlefield hashes come from and peers' go to.
    void SetStateCheck(CStateCheck* check) { m_stateCheck = check; }
    IGameInterface* Game() const { return m_game; }

    // The local entry, once, however many listeners start.
    void AddLocalEntry();
    // Sends the local tank: announced to everyone (address 0) or, as an
    // answer, to one peer.
    void Connect(unsigned long address);
    // Peers that the announcement also goes to directly, for those that no
    // broadcast reaches (another subnet, a tunnel).
    void SetDirectPeers(const std::vector<unsigned long>& addresses);
    // One received datagram of `length` bytes from the IPv4 address `source`.
    void HandleDatagram(const void* bytes, size_t length, unsigned long source);
    // Sends a game record of this copy's to every peer in the table, numbered
    // so that a peer that misses it can ask for it again.
    void SendGameRecord(SSocketMSG rec);
    // Tells every peer that this copy quits, so that its tank leaves at once.
    void SayGoodbye();
    // After a time warp back to game time `since`: each newcomer answered in
    // the last NEWCOMER_MS with this copy's tank as it stood later than that
    // gets the tank again as it stands now. The warp may have changed it (a
    // hit heard late), and the newcomer starts it from the last record.
    void RestateToNewcomers(unsigned int since);
    // Called often by a background thread: sends the announcement again a
    // few times in its first seconds, and a clock request that got no answer,
    // so that one lost datagram does not keep two peers apart; asks peers for
    // records that never came; times a clock request to each peer every
    // second (the network figures), which is also how a peer that fell
    // silent is noticed and leaves.
    void RepeatHandshake(std::chrono::steady_clock::time_point now = std::chrono::steady_clock::now());
    // Received records refused, in all and by reason.
    unsigned long Dropped() const { return m_drops.Total(); }
    const CDropCounts& Drops() const { return m_drops; }
    // Numbered records of peers that never came, even when asked for again.
    unsigned long Lost() const { return m_lost; }

    enum {
        ANNOUNCEMENT_REPEATS = 4, REPEAT_INTERVAL_MS = 1000, PROBE_INTERVAL_MS = 1000,
        // A missing record is asked for this often, and given up after a
        // while: by then a time warp could no longer take it in.
        RESEND_INTERVAL_MS = 150, GIVE_UP_MS = 6000,
        // A peer unheard this long (it answers a clock request every
        // second) may have crashed: the copies that hold its records are
        // asked for those this copy lacks. Each peer's latest RELAY_KEPT
        // records are held for them.
        RELAY_AFTER_MS = 1500, RELAY_KEPT = 1024,
        // A peer heard from neither by messages nor by answers to the
        // clock requests for this long has left.
        SILENCE_MS = 8000,
        // A clock request unanswered this long is given up.
        REQUEST_EXPIRY_MS = 3000,
        // A goodbye is sent this often: one lost leaves the tank until the
        // silence is noticed, by each copy at its own moment.
        GOODBYE_COPIES = 3,
        // Departed peers are asked once in so many probe rounds.
        DEPARTED_PROBE_EVERY = 5,
        // A tank state older than this comes from a clock not yet synced.
        STALE_STATE_MS = 5000,
        // Taken power-ups are news only this long after this copy joined:
        // a copy in the battle saw them taken, at the time they were, while
        // a record of one comes dated by its sender's clock.
        NEWCOMER_MS = 10000
    };

private:
    typedef std::chrono::steady_clock Clock;

    void SendTakenPowerUps(IGameInterface& game, unsigned long dest);
    // Notes the tank record sent to `dest`, dated `time`, for RestateToNewcomers.
    void NoteStateSent(unsigned long dest, unsigned int time);
    // Drops the answers older than NEWCOMER_MS; m_stateSentLock held.
    void ForgetOldAnswers(Clock::time_point now);
    // Every record this copy sends goes out here, stamped with its run and
    // its newest number.
    void Transmit(SSocketMSG& rec);
    void Drop(EDropReason reason) { m_drops.Count(reason); }
    void ReportForged(const SSocketMSG& rec, unsigned long source);
    bool KnownSender(const SSocketMSG& rec);
    bool Acceptable(const SSocketMSG& rec);
    void QueueGameRecord(const SSocketMSG& rec);
    void SendConnect(int type, unsigned long dest);
    void AnnounceToStranger(unsigned long address);
    enum EPeer { PEER_REFUSED, PEER_KNOWN, PEER_ADDED, PEER_RETURNED };
    EPeer AddPeer(const SSocketMSG& rec);
    void TakePeer(const SSocketMSG& rec);

    // Numbering, repair and departure (PeerRepair.cpp).
    bool Follow(unsigned long peer, const SWireStamp& stamp);
    bool FreshRecord(const SSocketMSG& rec);
    void Resend(const SSocketMSG& request);
    void AskForMissing(Clock::time_point now);
    // Asks another copy for the records of each silent peer; m_followLock held.
    void AskForRelays(Clock::time_point now, std::vector<SSocketMSG>& requests);
    // Unheard for RELAY_AFTER_MS; m_followLock held.
    bool Silent(unsigned long peer, Clock::time_point now) const;
    void Relay(const SSocketMSG& request);
    void TakeRelayed(const SSocketMSG& relayed, unsigned long source);
    // A record from a known source, sorted by its type.
    void Sort(const SSocketMSG& rec);
    void Heard(const SSocketMSG& rec);
    void DepartSilent(Clock::time_point now);
    // `leftAt`: the game time the peer was last there, by its clock (a quit
    // says it; a silence follows its last record); 0 when unknown.
    void Depart(unsigned long peer, const char* why, unsigned long leftAt = 0);
    bool ComeBack(const SSocketMSG& rec);
    void WelcomeBack(unsigned long peer, const SGameObject& tank);
    // Once the clock is set: this copy's tank as it is, to every peer, so
    // that a tank left from an earlier run of this copy is replaced on theirs.
    void PublishOwnState();
    void SendStateHashes();
    void CompareStateHash(const SSocketMSG& rec);
    bool PlayedLonger(const SSocketMSG& announcement);
    bool ClockAhead(const SSocketMSG& rec);
    void YieldClockRequest(const SSocketMSG& request);
    // Asks for the clock of the peer named, or else of the first peer in the table.
    void RequestTimeSync(unsigned long peer = 0);
    void AnswerTimeSync(const SSocketMSG& rec);
    void ApplyTimeSync(const SSocketMSG& rec);
    bool SetClock(const SSocketMSG& reply);
    bool AwaitingClock();
    void RestateWithheld();
    bool Newcomer();
    void ProbeRoundTrips(Clock::time_point now);

    CConnectionTable& m_table;
    IPeerTransport& m_transport;
    std::atomic<IGameInterface*> m_game;
    std::atomic<CStateCheck*> m_stateCheck{nullptr};
    // Peers are taken in only once the local battlefield is loaded and
    // announced, so that no peer's tank can take a local object's index.
    std::atomic<bool> m_announced;
    CDropCounts m_drops;
    std::atomic<unsigned long> m_lost;
    CSentRecords m_sent;

    // What each numbering peer's records told, and when each peer was last heard.
    struct SFollowed {
        explicit SFollowed(const CSequenceWindow& window) : window(window), held(RELAY_KEPT) {}

        CSequenceWindow window;
        // The highest number known sent, as each round of requests found it.
        std::deque<std::pair<Clock::time_point, uint32_t>> known;
        // Its records as they came, for a copy that lacks one once it is silent.
        CHeldRecords held;
        // The latest game time its records were dated by (0: none yet): a
        // silent peer is taken off by it, at the same time on every copy
        // that has them.
        unsigned int lastTime = 0;
        // Other copies were asked for its records, and it was not heard since.
        bool relayAsked = false;

        // Notes how far the numbers now reach, and stops waiting for those
        // known sent `age` ago or earlier; returns how many of them never came.
        uint32_t GiveUpOlderThan(Clock::time_point now, Clock::duration age);
    };
    std::mutex m_followLock;
    std::map<unsigned long, SFollowed> m_followed;
    std::map<unsigned long, Clock::time_point> m_heard;
    std::set<unsigned long> m_forgedReported;
    Clock::time_point m_askedAt;
    unsigned int m_relayRound = 0;  // which other copy is asked next

    // Guards the look-up and the taking in of a peer, so that two listeners
    // receiving the same peer at once give it one tank.
    std::mutex m_peerLock;

    std::vector<unsigned long> m_directPeers;  // set before the listeners start
    std::mutex m_announceLock;
    Clock::time_point m_announcedAt;
    int m_repeatsSent;
    // When each stranger was last sent the announcement; bounded.
    std::map<unsigned long, Clock::time_point> m_strangers;

    std::mutex m_syncLock;
    unsigned int m_requestTicks;    // local ticks when the last request left
    unsigned int m_appliedOffset;   // what the clock adds now
    int m_pendingRequests;
    Clock::time_point m_requestedAt;
    int m_requestRepeats;
    unsigned long m_syncPeer;
    std::atomic<bool> m_synced;
    bool m_clockGiven = false;  // a peer has asked for this clock to take it
    // Game records were kept back while the clock was awaited.
    std::atomic<bool> m_withheld{false};
    // The tank records sent with answers: to whom, dated when, and when sent.
    struct SStateSent {
        unsigned int time;
        Clock::time_point at;
    };
    std::mutex m_stateSentLock;
    std::map<unsigned long, SStateSent> m_stateSent;
    // Game time when a peer's clock first set this copy's (m_synced): when it joined.
    std::atomic<unsigned int> m_joinedAt{0};
    // Round-trip probes for the network figures: clock requests whose
    // answers are timed, not applied.
    Clock::time_point m_probedAt;
    unsigned int m_probeRounds = 0;
    std::map<unsigned long, Clock::time_point> m_probes;
};

#endif
