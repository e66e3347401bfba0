// The message queue: messages ordered by time, applied once per frame, and
// replayed from a saved snapshot (a time warp) when a late one arrives.
#include "game/Ferrowind.h"
#include "model/StateDigest.h"
#include "net/NetFigures.h"

void CFerrowind::AddMsg(SGameMsg msg)
{
    AddMsg(msg, true);
}

void CFerrowind::AddMsg(SGameMsg msg, bool lock)
{
    if (lock) {
        CHold hold(*this);
        AddMsg(msg, false);
        return;
    }
    if (msg.type <= 0) {
        int cancelled = -msg.type;
        size_t kept = 0;
        for (size_t i = 0; i < m_messages.size(); ++i) {
            if (m_messages[i].type == cancelled && m_messages[i].object == msg.object)
                continue;
            m_messages[kept++] = m_messages[i];
        }
        m_messages.resize(kept);
        // Indexes moved; the scan for unapplied messages starts over.
        m_firstUnhandled = 0;
    } else {
        // The place after the last message that comes before this one is
        // found from the back, where new messages go.
        size_t at = m_messages.size();
        while (at > 0 && OrderedAfter(m_messages[at - 1], msg))
            --at;
        // A rule's message never lands behind the pass that makes it: it would
        // shift the message being applied back under the pass, for ever.
        if (m_passing && at < m_passNext)
            at = m_passNext;
        // A later message was applied, or the newest snapshot was taken
        // without this one: either way a warp must bring it in. Later messages
        // still waiting (a peer's clock runs a little ahead) need none.
        bool snapshotNewer = m_savedStates.filled[m_savedStates.pos] &&
                             (int)((unsigned int)msg.time - m_savedStates.lastTime) <= 0;
        bool laterApplied = false;
        for (size_t k = at; k < m_messages.size() && !laterApplied; ++k)
            laterApplied = m_messages[k].handled != 0;
        if (laterApplied || snapshotNewer)
            msg.late = 1;
        m_messages.insert(m_messages.begin() + at, msg);
        if (at < m_firstUnhandled)
            m_firstUnhandled = at;
    }
}

// Time first, then the sender's address (poses last); one sender's messages of one time
// keep the order they came in, which is the order they were sent in. So every
// copy applies the same messages in the same order, whichever arrived first.
bool CFerrowind::OrderedAfter(const SGameMsg& queued, const SGameMsg& msg) const
{
    unsigned int a = (unsigned int)queued.time, b = (unsigned int)msg.time;
    if (a != b)
        return a > b;
    // A pose comes after everything else of its time: it is the owner's
    // picture once that time's messages are in, and a resent record may
    // arrive after the pose on one copy and before it on another.
    bool poseA = queued.type == GMSG_TANK_POSE, poseB = msg.type == GMSG_TANK_POSE;
    if (poseA != poseB)
        return poseA;
    unsigned int self = m_selfAddress;
    unsigned int fromA = queued.sender ? queued.sender : self;
    unsigned int fromB = msg.sender ? msg.sender : self;
    return fromA > fromB;
}

// What a rule makes of the message being applied, on every copy alike and
// sent to nobody (a power-up taken): applied right after its cause and its
// cause's earlier consequences, wherever later arrivals of the same time go.
void CFerrowind::AddConsequence(SGameMsg msg)
{
    if (!m_passing) {
        AddMsg(msg, false);
        return;
    }
    msg.time = m_passTime;
    msg.sender = m_passSender;
    msg.late = 0;
    m_messages.insert(m_messages.begin() + m_passNext, msg);
    ++m_passNext;
}

void CFerrowind::ActOnMessages()
{
    CHold hold(*this);
    if (m_messages.empty())
        return;
    unsigned int before = m_savedStates.lastTime;
    unsigned int now = (unsigned int)GetTime();
    bool started = false;
    // Applied messages are applied again only after a snapshot was restored.
    bool replaying = false;
    size_t i = m_firstUnhandled < m_messages.size() ? m_firstUnhandled : m_messages.size();
    while (i < m_messages.size()) {
        if (!started && m_messages[i].handled) {
            ++i;
            continue;
        }
        if (!started && m_messages[i].late == 1) {
            i = Warp(i, replaying);
        }
        started = true;
        bool again = m_messages[i].handled != 0;
        if (again && (!replaying || !MsgKind(m_messages[i].type).replayable)) {
            ++i;
            continue;
        }
        // A message dated after this clock (a peer's clock runs ahead) waits
        // for its time: applied now, every message made here meanwhile would
        // come late. Everything after it is later still.
        if (!again && (int)((unsigned int)m_messages[i].time - now) > 0)
            break;
        // A replay takes its snapshots afresh: those it dropped lacked the
        // late message.
        if (i > 0 && (int)((unsigned int)m_messages[i].time - (unsigned int)m_messages[i - 1].time) > 0) {
            m_rollback.Save(m_objects, (unsigned int)m_messages[i].time - 1);
            unsigned int passed =
                CStateCheck::Passed((unsigned int)m_messages[i - 1].time, (unsigned int)m_messages[i].time);
            if (passed)
                m_stateCheck.Own(passed, StateHash(m_objects, TankNames(), passed));
        }
        m_messages[i].handled = 1;
        // A copy: the rules may add to the queue while it is applied.
        SGameMsg current = m_messages[i];
        ++i;
        m_passNext = i;
        m_passing = true;
        m_passTime = current.time;
        m_passSender = current.sender;
        m_rollback.BeginApply(again);
        ActOnMessage(current);
        m_rollback.EndApply();
        m_passing = false;
    }
    m_firstUnhandled = i;
    Sound().SetEffectsOn(true);

    if (i > 0)
        m_rollback.Save(m_objects, (unsigned int)m_messages[i - 1].time);
    if (m_savedStates.lastTime != before) {
        DeleteRetired();
        TrimQueue();
    }
}

size_t CFerrowind::Warp(size_t lateIndex, bool& restored)
{
    restored = false;
    const SGameMsg& late = m_messages[lateIndex];
    unsigned int now = (unsigned int)GetTime();
    unsigned int lag = now - (unsigned int)late.time;
    int seconds = (int)(lag / 1000 + 1);
    if (output) {
        std::fprintf(output, "Warping %d seconds, caused by a %d ms lag and msgtype %s, at time %d \n ", seconds,
                     (int)lag, getMsgString(late.type), (int)now);
        std::fflush(output);
    }
    NetFigures().Warp(late.sender ? late.sender : m_selfAddress.load(), lag, NetFiguresClock());

    // Dropped objects live on until the next snapshot: other threads may still
    // hold pointers from a recent GetGameObjects.
    unsigned int snapshotTime = 0;
    if (!m_rollback.Load(m_objects, (unsigned int)late.time, snapshotTime, m_retired))
        return lateIndex;  // nothing to rewind to: the late message applies where it stands
    Sound().SetEffectsOn(false);
    restored = true;

    // Every message after the snapshot's time is applied again; those at or
    // before it are in the snapshot already.
    size_t k = lateIndex;
    while (k > 0 && (int)((unsigned int)m_messages[k - 1].time - snapshotTime) > 0)
        --k;
    return k;
}

void CFerrowind::DeleteRetired()
{
    for (SGameObject* o : m_retired)
        DestroyObject(o);
    m_retired.clear();
}

void CFerrowind::TrimQueue()
{
    // No warp can reach before the oldest snapshot; keep the last message at or
    // before it (a rewind stops there) and everything after.
    int oldest = m_savedStates.OldestSlot();
    if (oldest < 0)
        return;
    unsigned int oldestTime = m_savedStates.times[oldest];
    size_t atOrBefore = 0;
    while (atOrBefore < m_messages.size() && (unsigned int)m_messages[atOrBefore].time <= oldestTime &&
           m_messages[atOrBefore].handled)
        ++atOrBefore;
    if (atOrBefore < 2)
        return;
    size_t drop = atOrBefore - 1;
    m_messages.erase(m_messages.begin(), m_messages.begin() + drop);
    m_firstUnhandled = m_firstUnhandled > drop ? m_firstUnhandled - drop : 0;
}
