#pragma once
#include <cstdint>
#include <functional>
#include <thread>

#include "os/Event.h"

namespace os {

// One thread of execution. It never outlives its object: destruction joins.
class Thread {
public:
    Thread() = default;
    ~Thread() { Join(); }
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Starts body at once on a new thread (default stack). False when the
    // system cannot start one, or when a started thread was not joined yet.
    bool Start(std::function<void()> body);
    // Waits for the body to return; does nothing when no thread was started
    // or it was already joined.
    void Join();
    bool Started() const { return thread_.joinable(); }

private:
    std::thread thread_;
};

// The system's identifier of the calling thread; never 0.
uint32_t CurrentThreadId();

// Sleeps the calling thread. On a thread that has a wake event installed
// (a worker, see SleepWakeEvent) the sleep ends early once that event is
// set, so a worker asked to stop leaves its sleeps at once.
void Sleep(uint32_t milliseconds);

// Installs the calling thread's wake event for Sleep for one scope.
class SleepWakeEvent {
public:
    explicit SleepWakeEvent(ManualResetEvent& event);
    ~SleepWakeEvent();
    SleepWakeEvent(const SleepWakeEvent&) = delete;
    SleepWakeEvent& operator=(const SleepWakeEvent&) = delete;

private:
    ManualResetEvent* previous_;
};

}  // namespace os
