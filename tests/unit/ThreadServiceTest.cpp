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

int WaitForStop(void*)
{
    ++running;
    while (!CZoSDLTreader::StopRequested())
        SDL_Delay(1);
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
    while (running < 3)
        SDL_Delay(1);
    // Another instance's close leaves these threads alone.
    CZoSDLTreader other;
    other.Close();
    SDL_Delay(5);
    EXPECT_EQ(running, 3);
    service.Close();
    EXPECT_EQ(running, 0);
    EXPECT_FALSE(CZoSDLTreader::StopRequested());
}
