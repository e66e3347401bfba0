#ifndef FERROWIND_PEERPROTOCOL_H
#define FERROWIND_PEERPROTOCOL_H

#include <atomic>
#include <chrono>
#include <cstddef>
#include <map>
#include <mutex>
#include <vector>

#include "model/Interfaces.h"
#include "net/ConnectionTable.h"
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
    CPeerProtocol(CConnectionTable& table, IPeerTransport& transport);

    void SetGame(IGameInterface* game) { m_game = game; }
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
    // Called often by a background thread: sends the announcement again a
    // few times in its first seconds, and a clock request that got no answer,
    // so that one lost datagram does not keep two peers apart. Every few
    // seconds it times a clock request to each peer (the network figures).
    void RepeatHandshake(std::chrono::steady_clock::time_point now = std::chrono::steady_clock::now());
    // Received records refused: not a whole record, a sender that is not
    // the datagram's source, a message about a tank from someone other than
    // its owner, an unknown sender, a type no peer sends.
    unsigned long Dropped() const { return m_dropped; }

    enum { ANNOUNCEMENT_REPEATS = 4, REPEAT_INTERVAL_MS = 1000, PROBE_INTERVAL_MS = 3000 };

private:
    typedef std::chrono::steady_clock Clock;

    bool Trusted(const SSocketMSG& rec);
    void SendConnect(int type, unsigned long dest);
    void AnnounceToStranger(unsigned long address);
    enum EPeer { PEER_REFUSED, PEER_KNOWN, PEER_ADDED };
    EPeer AddPeer(const SSocketMSG& rec);
    void TakePeer(const SSocketMSG& rec);
    bool PlayedLonger(const SSocketMSG& announcement);
    // Asks for the clock of the peer named, or else of the first peer in the table.
    void RequestTimeSync(unsigned long peer = 0);
    void AnswerTimeSync(const SSocketMSG& rec);
    void ApplyTimeSync(const SSocketMSG& rec);
    void ProbeRoundTrips(Clock::time_point now);

    CConnectionTable& m_table;
    IPeerTransport& m_transport;
    std::atomic<IGameInterface*> m_game;
    // Peers are taken in only once the local battlefield is loaded and
    // announced, so that no peer's tank can take a local object's index.
    std::atomic<bool> m_announced;
    std::atomic<unsigned long> m_dropped;

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
    // Round-trip probes for the network figures: clock requests whose
    // answers are timed, not applied.
    Clock::time_point m_probedAt;
    std::map<unsigned long, Clock::time_point> m_probes;
};

#endif
