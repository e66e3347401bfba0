#ifndef FERROWIND_ROLLBACK_H
#define FERROWIND_ROLLBACK_H

#include <vector>

#include "model/GameMsg.h"
#include "model/SavedStates.h"

// The time warp's own state: the ring of snapshots it saves and loads, whether
// the message being applied is a replay, and the one door through which rules
// send to peers, shut while a replay runs. A replayed message re-applies a
// change the peers already heard of: anything a rule sends was sent, and
// queued, the first time.
class CRollback {
public:
    typedef int (*Sender)(SGameMsg* msg);

    explicit CRollback(Sender send) : m_send(send), m_replaying(false) {}

    SSavedStates& States() { return m_states; }
    const SSavedStates& States() const { return m_states; }

    // Save: offers the objects as they stand once every queued message up to
    // time `applied` has been applied; a snapshot is taken at most once a second.
    void Save(const std::vector<SGameObject*>& objects, unsigned int applied);
    // Before anything is applied: the objects as they stand, for a message
    // older than the first one applied (see SSavedStates::SaveStart).
    void SaveStart(const std::vector<SGameObject*>& objects) { m_states.SaveStart(objects); }
    // Load: the newest snapshot taken before `lateTime` replaces the front of
    // `objects` (objects that joined after it keep their places, as they
    // joined when it was taken before: see Added); the replaced
    // objects go to `dropped`. Snapshots after it lack the late message and
    // are forgotten. False, with nothing changed, when no snapshot is that old.
    bool Load(std::vector<SGameObject*>& objects, unsigned int lateTime, unsigned int& snapshotTime,
              std::vector<SGameObject*>& dropped);
    // An object joining the game at `index` (a newcomer's tank) enters every
    // snapshot as it joins: a warp to before it finds it as it came, not as
    // later messages left it.
    void Added(const SGameObject& object, size_t index);

    // Advance: brackets the application of one message; `again` when it was
    // applied before (a replay after a load).
    void BeginApply(bool again) { m_replaying = again; }
    void EndApply() { m_replaying = false; }
    bool Replaying() const { return m_replaying; }

    // Sends a rule's message to the peers, unless a replay is running.
    void Send(SGameMsg& msg);
    void SetSender(Sender send) { m_send = send; }

private:
    SSavedStates m_states;
    Sender m_send;
    bool m_replaying;
};

#endif
