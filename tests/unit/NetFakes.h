#ifndef FERROWIND_TESTS_NETFAKES_H
#define FERROWIND_TESTS_NETFAKES_H

#include <cstring>
#include <vector>

#include "model/Interfaces.h"
#include "net/PeerProtocol.h"

// A game that records what the network layer does to it. Its clock is a tick
// count plus the offset the layer sets.
class CFakeGame : public IGameInterface {
public:
    void ShutDown() override {}
    std::vector<SGameObject*> GetGameObjects() override { return objects; }
    std::vector<int> GetGameEffectObjects() override { return std::vector<int>(); }
    int AddGameObject(SGameObject* object) override
    {
        objects.push_back(object);
        return (int)objects.size() - 1;
    }
    void AddMsg(SGameMsg msg) override { messages.push_back(msg); }
    void Publish(SGameMsg msg, bool) override { AddMsg(msg); }
    unsigned long GetTime() override { return (unsigned int)(ticks + offset); }
    void SetTimeOffset(unsigned long ms) override
    {
        offset = (unsigned int)ms;
        ++offsetsSet;
    }

    std::vector<SGameObject*> objects;
    std::vector<SGameMsg> messages;
    unsigned int ticks = 0;
    unsigned int offset = 0;
    int offsetsSet = 0;
};

// A socket layer that keeps what would have been sent or queued.
class CFakeTransport : public IPeerTransport {
public:
    explicit CFakeTransport(unsigned long local) : local(local) {}
    unsigned long LocalAddress() override { return local; }
    void Send(SSocketMSG* rec) override { sent.push_back(*rec); }
    void Queue(const SSocketMSG& rec) override { queued.push_back(rec); }

    unsigned long local;
    std::vector<SSocketMSG> sent;
    std::vector<SSocketMSG> queued;
};

// IPv4 address a.b.c.d as the socket calls hold it (network byte order).
inline unsigned long Ip(unsigned a, unsigned b, unsigned c, unsigned d)
{
    unsigned char bytes[4] = {(unsigned char)a, (unsigned char)b, (unsigned char)c, (unsigned char)d};
    unsigned int value;
    std::memcpy(&value, bytes, 4);
    return value;
}

// This peer and two others on the test network.
const unsigned long SELF = Ip(10, 77, 0, 1);
const unsigned long PEER_A = Ip(10, 77, 0, 2);
const unsigned long PEER_B = Ip(10, 77, 0, 3);

#endif
