#pragma once
#include <mutex>

namespace os {

// An unnamed mutual-exclusion lock that its holder may take again; each
// Acquire needs its own Release.
class ReentrantLock {
public:
    ReentrantLock() = default;
    ReentrantLock(const ReentrantLock&) = delete;
    ReentrantLock& operator=(const ReentrantLock&) = delete;

    // Waits without timeout; false when the lock could not be taken.
    bool Acquire();
    void Release();

private:
    std::recursive_mutex mutex_;
};

// Holds a lock for one scope; check Held() before touching what it guards.
class ScopedLock {
public:
    explicit ScopedLock(ReentrantLock& lock) : lock_(lock), held_(lock.Acquire()) {}
    ~ScopedLock() {
        if (held_) lock_.Release();
    }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

    bool Held() const { return held_; }

private:
    ReentrantLock& lock_;
    bool held_;
};

}  // namespace os
