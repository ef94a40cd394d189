#include "os/Event.h"

#include <algorithm>
#include <chrono>

namespace os {

// A waiter on several events at once; every Set of one of them wakes it.
struct ManualResetEvent::Waiter {
    std::mutex mutex;
    std::condition_variable woken;
    bool pending = false;

    void Wake() {
        std::lock_guard<std::mutex> guard(mutex);
        pending = true;
        woken.notify_all();
    }
    void Sleep() {
        std::unique_lock<std::mutex> guard(mutex);
        woken.wait(guard, [this] { return pending; });
        pending = false;
    }
};

void ManualResetEvent::Set() {
    std::lock_guard<std::mutex> guard(mutex_);
    signalled_ = true;
    changed_.notify_all();
    for (Waiter* waiter : waiters_) waiter->Wake();
}

void ManualResetEvent::Reset() {
    std::lock_guard<std::mutex> guard(mutex_);
    signalled_ = false;
}

bool ManualResetEvent::IsSet() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return signalled_;
}

void ManualResetEvent::Wait() {
    std::unique_lock<std::mutex> guard(mutex_);
    changed_.wait(guard, [this] { return signalled_; });
}

bool ManualResetEvent::WaitFor(uint32_t milliseconds) {
    std::unique_lock<std::mutex> guard(mutex_);
    return changed_.wait_for(guard, std::chrono::milliseconds(milliseconds), [this] { return signalled_; });
}

void ManualResetEvent::Attach(Waiter* waiter) {
    std::lock_guard<std::mutex> guard(mutex_);
    waiters_.push_back(waiter);
}

void ManualResetEvent::Detach(Waiter* waiter) {
    std::lock_guard<std::mutex> guard(mutex_);
    waiters_.erase(std::remove(waiters_.begin(), waiters_.end(), waiter), waiters_.end());
}

// Registers one waiter with both events for the length of a wait.
class EitherWaiter {
public:
    EitherWaiter(ManualResetEvent& first, ManualResetEvent& second) : first_(first), second_(second) {
        first_.Attach(&waiter_);
        second_.Attach(&waiter_);
    }
    ~EitherWaiter() {
        first_.Detach(&waiter_);
        second_.Detach(&waiter_);
    }
    EitherWaiter(const EitherWaiter&) = delete;
    EitherWaiter& operator=(const EitherWaiter&) = delete;

    WaitResult Wait() {
        for (;;) {
            // Checked after attaching, so a Set between check and sleep
            // leaves the waiter pending and the sleep returns at once.
            if (first_.IsSet()) return WaitResult::First;
            if (second_.IsSet()) return WaitResult::Second;
            waiter_.Sleep();
        }
    }

private:
    ManualResetEvent& first_;
    ManualResetEvent& second_;
    ManualResetEvent::Waiter waiter_;
};

WaitResult WaitForEither(ManualResetEvent& first, ManualResetEvent& second) {
    EitherWaiter waiter(first, second);
    return waiter.Wait();
}

}  // namespace os
