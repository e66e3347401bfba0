#ifndef FERROWIND_PEERPROTOCOL_H
#define FERROWIND_PEERPROTOCOL_H

#include <atomic>
#include <cstddef>
#include <mutex>

#include "game/Interfaces.h"
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
    // One received datagram of `length` bytes.
    void HandleDatagram(const void* bytes, size_t length);

private:
    void AddPeer(const SSocketMSG& rec);
    void RequestTimeSync();
    void AnswerTimeSync(const SSocketMSG& rec);
    void ApplyTimeSync(const SSocketMSG& rec);

    CConnectionTable& m_table;
    IPeerTransport& m_transport;
    std::atomic<IGameInterface*> m_game;
    // Peers are taken in only once the local battlefield is loaded and
    // announced, so that no peer's tank can take a local object's index.
    std::atomic<bool> m_announced;

    std::mutex m_syncLock;
    unsigned int m_requestTicks;    // local ticks when the last request left
    unsigned int m_appliedOffset;   // what the clock adds now
    int m_pendingRequests;
    unsigned long m_syncPeer;
};

#endif
