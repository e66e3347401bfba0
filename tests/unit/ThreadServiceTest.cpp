#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <atomic>

#include "net/ZoThreadMaster.h"

TEST(ThreadService, MutexIndexesAndTheLimitOfAHundred)
{
    CZoSDLTreader service;
    EXPECT_EQ(service.InitializeMutex(), 0);
    EXPECT_EQ(service.InitializeMutex(), 1);
    for (int i = 2; i < 100; ++i)
        EXPECT_EQ(service.InitializeMutex(), i);
    EXPECT_EQ(service.InitializeMutex(), -1);
    EXPECT_EQ(service.MutexCount(), 100);
    EXPECT_EQ(service.LockMutex(99), 0);
    EXPECT_EQ(service.UnlockMutex(99), 0);
}

namespace {

std::atomic<int> running{0};
std::atomic<int> stopped{0};

// Runs until asked to stop, twenty seconds at most: a close that never asks
// fails the test instead of hanging it.
int WaitForStop(void*)
{
    ++running;
    for (int waited = 0; !CZoSDLTreader::StopRequested() && waited < 20000; ++waited)
        SDL_Delay(1);
    stopped += CZoSDLTreader::StopRequested();
    --running;
    return 0;
}

}  // namespace

TEST(ThreadService, CloseEndsTheThreadsItStarted)
{
    CZoSDLTreader service;
    EXPECT_EQ(service.CreateThread(WaitForStop, 0), 0);
    EXPECT_EQ(service.CreateThread(WaitForStop, 0), 1);
    EXPECT_EQ(service.CreateThread(WaitForStop, 0), 2);
    // Ten seconds for three threads to start: a thread that never runs fails
    // the test instead of hanging it.
    for (int waited = 0; running < 3 && waited < 10000; ++waited)
        SDL_Delay(1);
    ASSERT_EQ(running, 3) << "the threads did not start";
    // Another instance's close leaves these threads alone.
    CZoSDLTreader other;
    other.Close();
    SDL_Delay(5);
    EXPECT_EQ(running, 3);
    service.Close();
    EXPECT_EQ(running, 0);
    EXPECT_EQ(stopped, 3) << "the threads ended without being asked to stop";
    EXPECT_FALSE(CZoSDLTreader::StopRequested());
}
