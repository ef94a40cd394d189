#include "download/DriverTaskList.h"

#include <new>

bool CDriverTaskList::Add(const DriverTask& task) {
    os::ScopedLock guard(lock);
    if (!guard.Held()) return false;
    try {
        tasks_.push_back(task);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool CDriverTaskList::FindById(int32_t id, int32_t& index, DriverTask& task) {
    os::ScopedLock guard(lock);
    if (!guard.Held()) return false;
    bool found = false;
    for (size_t i = 0; i < tasks_.size(); ++i) {
        if (tasks_[i].id != id) continue;
        index = static_cast<int32_t>(i);
        task = tasks_[i];
        found = true;
    }
    return found;
}

bool CDriverTaskList::ReplaceAt(int32_t index, int32_t id, const DriverTask& task) {
    os::ScopedLock guard(lock);
    if (!guard.Held()) return false;
    if (index < 0 || static_cast<size_t>(index) >= tasks_.size()) return false;
    DriverTask& entry = tasks_[static_cast<size_t>(index)];
    // The list may have been refilled since the find: never overwrite another task.
    if (entry.id != id) return false;
    entry = task;
    return true;
}

bool CDriverTaskList::Clear() {
    os::ScopedLock guard(lock);
    if (!guard.Held()) return false;
    tasks_.clear();
    return true;
}
