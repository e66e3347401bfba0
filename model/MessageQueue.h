#ifndef FERROWIND_MESSAGEQUEUE_H
#define FERROWIND_MESSAGEQUEUE_H

#include <atomic>
#include <cstddef>
#include <deque>
#include <functional>
#include <vector>

#include "model/GameMsg.h"
#include "model/GameObject.h"
#include "model/Rollback.h"

// A time warp as the queue makes it: how far back, for how late a message of
// which type and sender (this copy's own address for its own), at game time `now`.
struct SWarp {
    int seconds;
    unsigned int lagMs;
    int type;
    unsigned int sender;
    unsigned int now;
};

// What the queue needs of the game whose messages it holds.
struct SQueueOps {
    // Applies one message to the objects (a copy: the rules may add to the
    // queue meanwhile); the queue's rollback says whether it is a replay.
    std::function<void(SGameMsg)> apply;
    // The game clock.
    std::function<unsigned long()> now;
    // Sound effects: off while a warp replays what was heard already.
    std::function<void(bool on)> effectsOn;
    // The pass has just applied everything up to a compared time
    // (CStateCheck::Passed): the battlefield as it stands is that time's.
    std::function<void(unsigned int time)> comparedTime;
};

// The message queue of one game: messages in the order every copy applies
// them (time, then sender), applied once per pass; a late one warps back to
// the newest snapshot before it and replays from there. It owns the pass
// state, the snapshots (through its rollback), the objects a warp dropped and
// the trim. Not locked: its owner serialises the calls.
class CMessageQueue {
public:
    typedef std::function<void(const SWarp&)> WarpListener;

    // `objects`: the game's object list, which snapshots copy and a warp
    // replaces; `selfAddress`: what this copy's own messages (sender 0) order by.
    CMessageQueue(std::vector<SGameObject*>& objects, const std::atomic<unsigned int>& selfAddress,
                  CRollback::Sender send);
    ~CMessageQueue();
    CMessageQueue(const CMessageQueue&) = delete;
    CMessageQueue& operator=(const CMessageQueue&) = delete;

    void SetOps(const SQueueOps& ops) { m_ops = ops; }
    // Told of every warp, in the order added.
    void AddWarpListener(WarpListener listener) { m_warpListeners.push_back(std::move(listener)); }

    // Enters a message in its place; a type of 0 or less instead removes
    // every message of the type it negates and its object.
    void Add(SGameMsg msg);
    // What a rule makes of the message being applied, on every copy alike:
    // applied right after its cause and its cause's earlier consequences.
    // Outside a pass, the same as Add.
    void AddConsequence(SGameMsg msg);
    // Applies what is due, warping first when the first unapplied message
    // is late; then snapshots, and trims what no warp can reach.
    void Pass();

    // While a message is being applied: its time, which the rules date by.
    bool Passing() const { return m_passing; }
    unsigned long PassTime() const { return m_passTime; }

    const std::deque<SGameMsg>& Messages() const { return m_messages; }
    // Forgets every message (nothing is undone).
    void Clear();
    CRollback& Rollback() { return m_rollback; }

private:
    bool OrderedAfter(const SGameMsg& queued, const SGameMsg& msg) const;
    bool Late(const SGameMsg& msg, size_t at) const;
    void Apply(size_t& i, bool again);
    size_t Warp(size_t lateIndex, bool& restored);
    void Snapshot(size_t i);
    void DeleteRetired();
    void Trim();

    std::vector<SGameObject*>& m_objects;
    const std::atomic<unsigned int>& m_selfAddress;
    SQueueOps m_ops;
    std::vector<WarpListener> m_warpListeners;
    // New messages go near the back and the trim takes from the front, each
    // without moving the thousands in between.
    std::deque<SGameMsg> m_messages;
    // Every message before this index has been applied.
    size_t m_firstUnhandled = 0;
    CRollback m_rollback;
    // Objects a warp replaced: other threads may still hold pointers from a
    // recent GetGameObjects, so they live on until the next snapshot.
    std::vector<SGameObject*> m_retired;
    // While a message is applied: where the pass goes on, and the time,
    // sender and record number that its consequences take.
    bool m_passing = false;
    size_t m_passNext = 0;
    unsigned long m_passTime = 0;
    unsigned int m_passSender = 0;
    unsigned int m_passSequence = 0;
};

#endif
