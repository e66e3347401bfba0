#ifndef FERROWIND_ZOTHREADMASTER_H
#define FERROWIND_ZOTHREADMASTER_H

#include <pthread.h>

#include <atomic>

struct SDL_Thread;

// Hands out small integer handles for mutexes and background threads.
// Threads are asked to stop on Close (their bodies poll StopRequested) and are
// then waited for, so none is ever killed while it holds a mutex.
class CZoSDLTreader {
public:
    enum { MAX_MUTEXES = 100, MAX_THREADS = 100 };

    CZoSDLTreader();

    virtual int InitializeMutex();
    virtual int LockMutex(int index);
    virtual int UnlockMutex(int index);
    virtual int CreateThread(int (*fn)(void*), void* data);
    virtual void Close();

    // True inside a thread started by an instance whose Close has begun.
    static bool StopRequested();
    int MutexCount() const { return m_mutexCount; }

private:
    static int RunThread(void* launch);

    pthread_mutex_t m_mutexes[MAX_MUTEXES];
    SDL_Thread* m_threads[MAX_THREADS];
    int m_mutexCount;
    int m_threadCount;
    std::atomic<int> m_closing;
};

#endif
