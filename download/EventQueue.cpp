#include "download/EventQueue.h"

#include <new>

CEventQueue::~CEventQueue() {
    Clear();
}

bool CEventQueue::Post(const DownLoadEvent& event) {
    os::ScopedLock guard(lock);
    if (!guard.Held()) return false;
    try {
        events_.push_back(event);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool CEventQueue::Pop(DownLoadEvent& event) {
    os::ScopedLock guard(lock);
    if (!guard.Held() || events_.empty()) return false;
    event = events_.front();
    events_.pop_front();
    return true;
}

bool CEventQueue::Clear() {
    os::ScopedLock guard(lock);
    if (!guard.Held()) return false;
    events_.clear();
    return true;
}
