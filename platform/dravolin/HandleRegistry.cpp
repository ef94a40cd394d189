#include "HandleRegistry.h"

#include <curl/curl.h>
#include <limits>

#include "HeldClaims.h"

namespace dravolin {

HandleRegistry& HandleRegistry::Instance() {
    static HandleRegistry registry;
    return registry;
}

HandleRegistry::HandleRegistry() {
    // Built first, so it is torn down after the registry joins the threads
    // that use it.
    HeldClaims::Instance();
    curl_global_init(CURL_GLOBAL_DEFAULT);
}

HandleRegistry::~HandleRegistry() {
    std::map<int32_t, std::shared_ptr<HandleWorker>> live;
    std::vector<std::shared_ptr<HandleWorker>> retired;
    {
        std::lock_guard lock(mutex_);
        live.swap(live_);
        retired.swap(retired_);
    }
    for (auto& [handle, worker] : live) worker->Retire();
    // The workers' destructors join their threads.
    live.clear();
    retired.clear();
    curl_global_cleanup();
}

int32_t HandleRegistry::Create() {
    std::lock_guard lock(mutex_);
    JoinFinishedLocked();
    // Handles are never reused while the number space lasts, and never 0.
    while (live_.count(nextHandle_) != 0 || nextHandle_ <= 0) {
        nextHandle_ = nextHandle_ == std::numeric_limits<int32_t>::max() ? 1 : nextHandle_ + 1;
    }
    int32_t handle = nextHandle_;
    try {
        live_.emplace(handle, std::make_shared<HandleWorker>(handle));
    } catch (...) {
        return 0;
    }
    nextHandle_ = handle == std::numeric_limits<int32_t>::max() ? 1 : handle + 1;
    return handle;
}

std::shared_ptr<HandleWorker> HandleRegistry::Find(int32_t handle) {
    std::lock_guard lock(mutex_);
    auto it = live_.find(handle);
    return it == live_.end() ? nullptr : it->second;
}

void HandleRegistry::Free(int32_t handle) {
    std::lock_guard lock(mutex_);
    auto it = live_.find(handle);
    if (it == live_.end()) return;
    it->second->Retire();
    retired_.push_back(std::move(it->second));
    live_.erase(it);
    JoinFinishedLocked();
}

// A finished worker's thread has left its loop, so joining it is quick.
void HandleRegistry::JoinFinishedLocked() {
    std::erase_if(retired_, [](const std::shared_ptr<HandleWorker>& w) { return w->Finished(); });
}

}  // namespace dravolin
