#include "net/ReceiveQueue.h"

#include <chrono>

#include "net/ZoThreadMaster.h"

void CReceiveQueue::SLockable::lock()
{
    threads->LockMutex(mutex);
}

void CReceiveQueue::SLockable::unlock()
{
    threads->UnlockMutex(mutex);
}

void CReceiveQueue::SetMutex(CZoSDLTreader* threads, int mutex)
{
    m_threads = threads;
    m_mutex = mutex;
}

void CReceiveQueue::Push(const SSocketMSG& rec)
{
    if (!m_threads || m_mutex < 0)
        return;
    SLockable lockable = {m_threads, m_mutex};
    lockable.lock();
    m_records.push_back(rec);
    lockable.unlock();
    m_arrived.notify_one();
}

std::vector<SSocketMSG> CReceiveQueue::TakeAll(int waitMilliseconds)
{
    std::vector<SSocketMSG> taken;
    if (!m_threads || m_mutex < 0)
        return taken;
    SLockable lockable = {m_threads, m_mutex};
    std::unique_lock<SLockable> hold(lockable);
    if (waitMilliseconds > 0)
        m_arrived.wait_for(hold, std::chrono::milliseconds(waitMilliseconds), [this] { return !m_records.empty(); });
    taken.swap(m_records);
    return taken;
}
