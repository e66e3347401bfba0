#ifndef FERROWIND_RECEIVEQUEUE_H
#define FERROWIND_RECEIVEQUEUE_H

#include <condition_variable>
#include <vector>

#include "net/WireFormat.h"

class CZoSDLTreader;

// Received game messages waiting for the lag thread, guarded by one mutex of
// the socket layer's thread service. The mutex is held only to copy records
// in or out, never while the game is called.
class CReceiveQueue {
public:
    CReceiveQueue() : m_threads(0), m_mutex(-1) {}

    void SetMutex(CZoSDLTreader* threads, int mutex);
    // Appends a copy of the record; dropped while no mutex is set.
    void Push(const SSocketMSG& rec);
    // Every queued record in arrival order, the queue left empty. With a wait
    // given, blocks up to that many milliseconds for the first record.
    std::vector<SSocketMSG> TakeAll(int waitMilliseconds);

private:
    // Lets a condition variable wait on the thread service's mutex.
    struct SLockable {
        CZoSDLTreader* threads;
        int mutex;
        void lock();
        void unlock();
    };

    CZoSDLTreader* m_threads;
    int m_mutex;
    std::vector<SSocketMSG> m_records;
    std::condition_variable_any m_arrived;
};

#endif
