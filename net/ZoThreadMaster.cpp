#include "ZoThreadMaster.h"
#include "model/Log.h"

#include <SDL/SDL_thread.h>
#include <cstdio>

namespace {

struct SLaunch {
    int (*fn)(void*);
    void* data;
    const std::atomic<int>* closing;
};

thread_local const std::atomic<int>* tlsClosing = 0;

}  // namespace

CZoSDLTreader::CZoSDLTreader() : m_mutexCount(0), m_threadCount(0), m_closing(0)
{
    LogOut("Init: ZoSDLTreader\n");
}

int CZoSDLTreader::InitializeMutex()
{
    if (m_mutexCount >= MAX_MUTEXES)
        return -1;
    pthread_mutex_init(&m_mutexes[m_mutexCount], 0);
    return m_mutexCount++;
}

int CZoSDLTreader::LockMutex(int index)
{
    return pthread_mutex_lock(&m_mutexes[index]);
}

int CZoSDLTreader::UnlockMutex(int index)
{
    return pthread_mutex_unlock(&m_mutexes[index]);
}

int CZoSDLTreader::CreateThread(int (*fn)(void*), void* data)
{
    if (m_threadCount >= MAX_THREADS)
        return -1;
    SLaunch* launch = new SLaunch{fn, data, &m_closing};
    SDL_Thread* thread = SDL_CreateThread(&CZoSDLTreader::RunThread, launch);
    if (!thread)
        delete launch;
    m_threads[m_threadCount] = thread;
    return m_threadCount++;
}

void CZoSDLTreader::Close()
{
    m_closing = 1;
    for (int i = 0; i < m_threadCount; ++i) {
        if (m_threads[i])
            SDL_WaitThread(m_threads[i], 0);
        m_threads[i] = 0;
    }
}

int CZoSDLTreader::RunThread(void* arg)
{
    SLaunch launch = *static_cast<SLaunch*>(arg);
    delete static_cast<SLaunch*>(arg);
    tlsClosing = launch.closing;
    return launch.fn(launch.data);
}

bool CZoSDLTreader::StopRequested()
{
    return tlsClosing && *tlsClosing;
}
