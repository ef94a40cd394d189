#include "HeldClaims.h"

namespace dravolin {

HeldClaims& HeldClaims::Instance() {
    static HeldClaims claims;
    return claims;
}

void HeldClaims::Add(dev_t device, ino_t inode, const std::function<bool()>* ending) {
    std::lock_guard lock(mutex_);
    held_[{device, inode}] = ending;
}

void HeldClaims::Remove(dev_t device, ino_t inode, const std::function<bool()>* ending) {
    {
        std::lock_guard lock(mutex_);
        auto it = held_.find({device, inode});
        if (it == held_.end() || it->second != ending) return;
        held_.erase(it);
    }
    released_.notify_all();
}

bool HeldClaims::WaitIfEnding(dev_t device, ino_t inode, std::chrono::seconds timeout) {
    std::unique_lock lock(mutex_);
    const Key key{device, inode};
    auto it = held_.find(key);
    // Not held here: another process holds it, or its holder has just let go.
    if (it == held_.end()) return true;
    const std::function<bool()>* holder = it->second;
    if (!*holder || !(*holder)()) return false;
    return released_.wait_for(lock, timeout, [&] {
        auto now = held_.find(key);
        return now == held_.end() || now->second != holder;
    });
}

}  // namespace dravolin
