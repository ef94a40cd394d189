#include "os/Thread.h"

#include <unistd.h>

#include <chrono>
#include <system_error>

namespace os {

namespace {
thread_local ManualResetEvent* t_wakeEvent = nullptr;
}  // namespace

bool Thread::Start(std::function<void()> body) {
    if (thread_.joinable()) return false;
    try {
        thread_ = std::thread(std::move(body));
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void Thread::Join() {
    if (!thread_.joinable()) return;
    thread_.join();
}

uint32_t CurrentThreadId() {
    return static_cast<uint32_t>(::gettid());
}

void Sleep(uint32_t milliseconds) {
    if (t_wakeEvent != nullptr) {
        t_wakeEvent->WaitFor(milliseconds);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

SleepWakeEvent::SleepWakeEvent(ManualResetEvent& event) : previous_(t_wakeEvent) {
    t_wakeEvent = &event;
}

SleepWakeEvent::~SleepWakeEvent() {
    t_wakeEvent = previous_;
}

}  // namespace os
