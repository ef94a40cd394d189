#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

namespace os {

// An unnamed manual-reset event: once set it stays set, releasing every
// waiter, until it is reset.
class ManualResetEvent {
public:
    ManualResetEvent() = default;
    ManualResetEvent(const ManualResetEvent&) = delete;
    ManualResetEvent& operator=(const ManualResetEvent&) = delete;

    void Set();
    void Reset();
    bool IsSet() const;

    void Wait();
    // True when the event was set within the time.
    bool WaitFor(uint32_t milliseconds);

private:
    friend class EitherWaiter;
    struct Waiter;
    void Attach(Waiter* waiter);
    void Detach(Waiter* waiter);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool signalled_ = false;
    std::vector<Waiter*> waiters_;
};

enum class WaitResult { First, Second };

// Waits without timeout until either event is set. When both are set the
// first one wins, so an exit event passed first beats a work event.
WaitResult WaitForEither(ManualResetEvent& first, ManualResetEvent& second);

}  // namespace os
