#include <gtest/gtest.h>

#include <atomic>

#include "os/ReentrantLock.h"
#include "os/Thread.h"

TEST(Thread, RunsBodyAndJoins) {
    std::atomic<uint32_t> id{0};
    os::Thread thread;
    ASSERT_TRUE(thread.Start([&] { id = os::CurrentThreadId(); }));
    EXPECT_FALSE(thread.Start([] {})) << "a second start before the join";
    thread.Join();
    EXPECT_FALSE(thread.Started());
    EXPECT_NE(id.load(), 0u);
    EXPECT_NE(id.load(), os::CurrentThreadId());
    thread.Join();  // nothing left to join
}

TEST(Thread, DestructionJoins) {
    std::atomic<bool> done{false};
    {
        os::Thread thread;
        ASSERT_TRUE(thread.Start([&] {
            os::Sleep(50);
            done = true;
        }));
    }
    EXPECT_TRUE(done);
}

TEST(Sleep, WakeEventEndsTheSleepEarly) {
    os::ManualResetEvent wake;
    std::atomic<bool> woke{false};
    os::Thread sleeper;
    ASSERT_TRUE(sleeper.Start([&] {
        os::SleepWakeEvent scope(wake);
        os::Sleep(10 * 60 * 1000);  // ends only through the event within the test's timeout
        woke = true;
    }));
    wake.Set();
    sleeper.Join();
    EXPECT_TRUE(woke);
}

TEST(Sleep, WithoutWakeEventSleepsTheWholeTime) {
    os::ManualResetEvent wake;
    wake.Set();
    { os::SleepWakeEvent scope(wake); }
    // The scope has ended: the set event no longer cuts the sleep short.
    auto start = std::chrono::steady_clock::now();
    os::Sleep(30);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
}

TEST(ReentrantLock, HolderTakesItAgainAndOthersWaitForTheLastRelease) {
    os::ReentrantLock lock;
    ASSERT_TRUE(lock.Acquire());
    {
        os::ScopedLock again(lock);
        EXPECT_TRUE(again.Held());
    }
    std::atomic<bool> otherHeld{false};
    os::Thread other;
    ASSERT_TRUE(other.Start([&] {
        os::ScopedLock guard(lock);
        otherHeld = guard.Held();
    }));
    lock.Release();
    other.Join();
    EXPECT_TRUE(otherHeld);
}
