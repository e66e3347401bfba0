#include "model/MessageQueue.h"

#include <cassert>

#include "model/StateCheck.h"

namespace {

// Game times are 32-bit and wrap: a is after b when the difference says so.
bool After(unsigned long a, unsigned long b)
{
    return (int)((unsigned int)a - (unsigned int)b) > 0;
}

}  // namespace

CMessageQueue::CMessageQueue(std::vector<SGameObject*>& objects, const std::atomic<unsigned int>& selfAddress,
                             CRollback::Sender send)
    : m_objects(objects), m_selfAddress(selfAddress), m_rollback(send)
{
}

CMessageQueue::~CMessageQueue()
{
    DeleteRetired();
}

void CMessageQueue::Add(SGameMsg msg)
{
    if (msg.type <= 0) {
        int cancelled = -msg.type;
        size_t kept = 0;
        for (size_t i = 0; i < m_messages.size(); ++i) {
            if (m_messages[i].type == cancelled && m_messages[i].object == msg.object)
                continue;
            if (kept != i)
                m_messages[kept] = std::move(m_messages[i]);
            ++kept;
        }
        m_messages.resize(kept);
        // Indexes moved; the scan for unapplied messages starts over.
        m_firstUnhandled = 0;
        return;
    }
    // The place after the last message that comes before this one is found
    // from the back, where new messages go.
    size_t at = m_messages.size();
    while (at > 0 && OrderedAfter(m_messages[at - 1], msg))
        --at;
    // A rule's message never lands behind the pass that makes it: it would
    // shift the message being applied back under the pass, for ever.
    if (m_passing && at < m_passNext)
        at = m_passNext;
    if (Late(msg, at))
        msg.late = 1;
    m_messages.insert(m_messages.begin() + at, std::move(msg));
    if (at < m_firstUnhandled)
        m_firstUnhandled = at;
}

// A later message was applied, or the newest snapshot was taken without this
// one: either way a warp must bring it in. Later messages still waiting (a
// peer's clock runs a little ahead) need none.
bool CMessageQueue::Late(const SGameMsg& msg, size_t at) const
{
    const SSavedStates& states = m_rollback.States();
    if (states.filled[states.pos] && !After(msg.time, states.lastTime))
        return true;
    for (size_t k = at; k < m_messages.size(); ++k)
        if (m_messages[k].handled)
            return true;
    return false;
}

// Time first, then the sender's address (poses last); one sender's messages
// of one time keep the order they were sent in: by their numbers where both
// have one (a resent record comes after those sent after it), else the order
// they came in. So every copy applies the same messages in the same order,
// whichever arrived first.
bool CMessageQueue::OrderedAfter(const SGameMsg& queued, const SGameMsg& msg) const
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
    if (fromA != fromB)
        return fromA > fromB;
    return queued.sequence && msg.sequence && (int)(queued.sequence - msg.sequence) > 0;
}

void CMessageQueue::AddConsequence(SGameMsg msg)
{
    if (!m_passing) {
        Add(std::move(msg));
        return;
    }
    assert(m_passNext <= m_messages.size());
    msg.time = m_passTime;
    msg.sender = m_passSender;
    msg.sequence = m_passSequence;
    msg.late = 0;
    m_messages.insert(m_messages.begin() + m_passNext, std::move(msg));
    ++m_passNext;
}

void CMessageQueue::Pass()
{
    if (m_messages.empty())
        return;
    assert(m_firstUnhandled <= m_messages.size());
    m_rollback.SaveStart(m_objects);
    unsigned int before = m_rollback.States().lastTime;
    unsigned long now = m_ops.now();
    bool started = false;
    // Applied messages are applied again only after a snapshot was restored.
    bool replaying = false;
    size_t i = m_firstUnhandled;
    while (i < m_messages.size()) {
        if (!started && m_messages[i].handled) {
            ++i;
            continue;
        }
        if (!started && m_messages[i].late == 1)
            i = Warp(i, replaying);
        started = true;
        const SGameMsg& m = m_messages[i];
        bool again = m.handled != 0;
        if (again && (!replaying || !MsgKind(m.type).replayable)) {
            ++i;
            continue;
        }
        // A message dated after this clock (a peer's clock runs ahead) waits
        // for its time: applied now, every message made here meanwhile would
        // come late. Everything after it is later still.
        if (!again && After(m.time, now))
            break;
        Snapshot(i);
        Apply(i, again);
    }
    m_firstUnhandled = i;
    m_ops.effectsOn(true);

    if (i > 0)
        m_rollback.Save(m_objects, (unsigned int)m_messages[i - 1].time);
    if (m_rollback.States().lastTime != before) {
        DeleteRetired();
        Trim();
    }
}

// Where the time moves on inside a pass: a snapshot of what came before (a
// replay takes its snapshots afresh: those it dropped lacked the late
// message), and the compared time it passes, if any.
void CMessageQueue::Snapshot(size_t i)
{
    if (i == 0 || !After(m_messages[i].time, m_messages[i - 1].time))
        return;
    unsigned int previous = (unsigned int)m_messages[i - 1].time, next = (unsigned int)m_messages[i].time;
    m_rollback.Save(m_objects, next - 1);
    unsigned int passed = CStateCheck::Passed(previous, next);
    if (passed)
        m_ops.comparedTime(passed);
}

// Applies the message at `i` and moves `i` past it and the consequences that
// the rules put right behind it.
void CMessageQueue::Apply(size_t& i, bool again)
{
    SGameMsg& m = m_messages[i];
    m.handled = 1;
    m_passNext = ++i;
    m_passing = true;
    m_passTime = m.time;
    m_passSender = m.sender;
    m_passSequence = m.sequence;
    m_rollback.BeginApply(again);
    m_ops.apply(m);
    m_rollback.EndApply();
    m_passing = false;
    assert(m_passNext <= m_messages.size());
}

size_t CMessageQueue::Warp(size_t lateIndex, bool& restored)
{
    restored = false;
    const SGameMsg& late = m_messages[lateIndex];
    unsigned int now = (unsigned int)m_ops.now();
    unsigned int lag = now - (unsigned int)late.time;
    SWarp warp{(int)(lag / 1000 + 1), lag, late.type, late.sender ? late.sender : m_selfAddress.load(), now};
    for (const WarpListener& listener : m_warpListeners)
        listener(warp);

    unsigned int snapshotTime = 0;
    if (!m_rollback.Load(m_objects, (unsigned int)late.time, snapshotTime, m_retired))
        return lateIndex;  // nothing to rewind to: the late message applies where it stands
    m_ops.effectsOn(false);
    restored = true;

    // Every message after the snapshot's time is applied again; those at or
    // before it are in the snapshot already.
    size_t k = lateIndex;
    while (k > 0 && After(m_messages[k - 1].time, snapshotTime))
        --k;
    return k;
}

void CMessageQueue::DeleteRetired()
{
    for (SGameObject* o : m_retired)
        DestroyObject(o);
    m_retired.clear();
}

// No warp can reach before the oldest snapshot; keep the last message at or
// before it (a rewind stops there) and everything after.
void CMessageQueue::Trim()
{
    const SSavedStates& states = m_rollback.States();
    int oldest = states.OldestSlot();
    if (oldest < 0)
        return;
    unsigned int oldestTime = states.times[oldest];
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

void CMessageQueue::Clear()
{
    m_messages.clear();
    m_firstUnhandled = 0;
}
