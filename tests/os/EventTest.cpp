#include "os/Event.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

TEST(ManualResetEvent, StaysSetUntilResetAndReleasesEveryWaiter) {
    os::ManualResetEvent event;
    EXPECT_FALSE(event.IsSet());
    EXPECT_FALSE(event.WaitFor(1));

    std::atomic<int> released{0};
    std::thread a([&] {
        event.Wait();
        ++released;
    });
    std::thread b([&] {
        event.Wait();
        ++released;
    });
    event.Set();
    a.join();
    b.join();
    EXPECT_EQ(released, 2);
    EXPECT_TRUE(event.IsSet());
    EXPECT_TRUE(event.WaitFor(0));

    event.Reset();
    EXPECT_FALSE(event.IsSet());
    EXPECT_FALSE(event.WaitFor(1));
}

TEST(WaitForEither, FirstWinsWhenBothAreSet) {
    os::ManualResetEvent exitEvent, workEvent;
    workEvent.Set();
    EXPECT_EQ(os::WaitForEither(exitEvent, workEvent), os::WaitResult::Second);
    exitEvent.Set();
    for (int i = 0; i < 100; ++i) EXPECT_EQ(os::WaitForEither(exitEvent, workEvent), os::WaitResult::First);
}

TEST(WaitForEither, WakesWhenEitherIsSetLater) {
    for (int which = 0; which < 2; ++which) {
        os::ManualResetEvent first, second;
        os::WaitResult result = os::WaitResult::First;
        std::thread waiter([&] { result = os::WaitForEither(first, second); });
        (which == 0 ? first : second).Set();
        waiter.join();
        EXPECT_EQ(result, which == 0 ? os::WaitResult::First : os::WaitResult::Second);
    }
}

TEST(WaitForEither, ManyWaitsAgainstConcurrentSetsAllReturn) {
    // Exercises the window between checking the events and going to sleep.
    for (int round = 0; round < 500; ++round) {
        os::ManualResetEvent first, second;
        std::thread setter([&] { second.Set(); });
        EXPECT_EQ(os::WaitForEither(first, second), os::WaitResult::Second);
        setter.join();
    }
}
