#include "os/ReentrantLock.h"

#include <system_error>

namespace os {

bool ReentrantLock::Acquire() {
    try {
        mutex_.lock();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

void ReentrantLock::Release() {
    mutex_.unlock();
}

}  // namespace os
