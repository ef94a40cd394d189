#include "common/EventThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {

constexpr uint32_t kLongSleepMs = 10 * 60 * 1000;  // beyond the test's timeout

struct Calls {
    std::atomic<int> count{0};
};

bool RunOnce(void* context) {
    ++static_cast<Calls*>(context)->count;
    return false;
}

bool CountAndSleepLong(void* context) {
    ++static_cast<Calls*>(context)->count;
    os::Sleep(kLongSleepMs);
    return true;
}

bool CountAndGoOn(void* context) {
    ++static_cast<Calls*>(context)->count;
    return true;
}

// Polls with a generous limit; the tests share a loaded machine.
template <typename Condition>
bool Eventually(Condition condition) {
    for (int i = 0; i < 3000; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

}  // namespace

TEST(EventThread, IdleObject) {
    CEventThread thread;
    EXPECT_FALSE(thread.IsRunning());
    EXPECT_FALSE(thread.Trigger(true));
    thread.Stop(100);  // only releases
    thread.Stop(0);
    EXPECT_FALSE(thread.IsRunning());
}

TEST(EventThread, StartedThreadWaitsForTrigger) {
    Calls calls;
    CEventThread thread;
    ASSERT_TRUE(thread.Start(CountAndGoOn, &calls));
    EXPECT_TRUE(thread.IsRunning());
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(calls.count, 0);
    EXPECT_TRUE(thread.Trigger(true));
    EXPECT_TRUE(Eventually([&] { return calls.count > 10; })) << "work event is manual reset";
    EXPECT_TRUE(thread.Trigger(false));
    thread.Stop(0);
    const int afterStop = calls.count;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(calls.count, afterStop);
    EXPECT_FALSE(thread.IsRunning());
}

TEST(EventThread, CallbackReturningFalseRunsExactlyOnce) {
    Calls calls;
    CEventThread thread;
    ASSERT_TRUE(thread.Start(RunOnce, &calls));
    ASSERT_TRUE(thread.Trigger(true));
    ASSERT_TRUE(Eventually([&] { return !thread.IsRunning(); }));
    EXPECT_EQ(calls.count, 1);
    EXPECT_FALSE(thread.Trigger(true));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(calls.count, 1);
}

TEST(EventThread, StopZeroWakesSleepingCallbackAndExitWinsOverWork) {
    Calls calls;
    CEventThread thread;
    ASSERT_TRUE(thread.Start(CountAndSleepLong, &calls));
    ASSERT_TRUE(thread.Trigger(true));
    ASSERT_TRUE(Eventually([&] { return calls.count == 1; }));
    // The callback sleeps far beyond the test's timeout; only the stop can
    // end it. It returns true with the work event still set, so a second
    // call would show that work won over exit.
    thread.Stop(0);
    EXPECT_FALSE(thread.IsRunning());
    EXPECT_EQ(calls.count, 1);
    EXPECT_FALSE(thread.Trigger(true));
}

TEST(EventThread, RestartsAfterStopAndAfterLeavingOnItsOwn) {
    Calls calls;
    CEventThread thread;
    ASSERT_TRUE(thread.Start(RunOnce, &calls));
    ASSERT_TRUE(thread.Trigger(true));
    ASSERT_TRUE(Eventually([&] { return !thread.IsRunning(); }));
    ASSERT_TRUE(thread.Start(RunOnce, &calls));  // left on its own, never stopped
    ASSERT_TRUE(thread.Trigger(true));
    ASSERT_TRUE(Eventually([&] { return !thread.IsRunning(); }));
    thread.Stop(100);
    ASSERT_TRUE(thread.Start(RunOnce, &calls));
    ASSERT_TRUE(thread.Trigger(true));
    ASSERT_TRUE(Eventually([&] { return calls.count == 3; }));
}

TEST(EventThread, StartOnRunningObjectIsRefused) {
    Calls calls;
    CEventThread thread;
    ASSERT_TRUE(thread.Start(CountAndGoOn, &calls));
    EXPECT_FALSE(thread.Start(CountAndGoOn, &calls));
    EXPECT_TRUE(thread.IsRunning());
}

TEST(EventThread, DestroyingRunningObjectStopsItBeforeItsContextGoes) {
    // The context dies right after the object: a thread that outlived the
    // object would touch freed memory, which the sanitizer builds report.
    for (auto callback : {CountAndSleepLong, CountAndGoOn}) {
        auto calls = std::make_unique<Calls>();
        auto thread = std::make_unique<CEventThread>();
        ASSERT_TRUE(thread->Start(callback, calls.get()));
        ASSERT_TRUE(thread->Trigger(true));
        ASSERT_TRUE(Eventually([&] { return calls->count >= 1; }));
        thread.reset();
        const int afterDestroy = calls->count;
        calls.reset();
        EXPECT_GE(afterDestroy, 1);
    }
}
