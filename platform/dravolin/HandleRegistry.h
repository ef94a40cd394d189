#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "HandleWorker.h"

namespace dravolin {

// The engine's handles. Freed handles keep their thread until it has ended
// on its own; the registry joins them later, never inside Free.
class HandleRegistry {
public:
    static HandleRegistry& Instance();

    HandleRegistry();
    ~HandleRegistry();

    int32_t Create();
    std::shared_ptr<HandleWorker> Find(int32_t handle);
    void Free(int32_t handle);

private:
    void JoinFinishedLocked();

    std::mutex mutex_;
    int32_t nextHandle_ = 1;
    std::map<int32_t, std::shared_ptr<HandleWorker>> live_;
    std::vector<std::shared_ptr<HandleWorker>> retired_;
};

}  // namespace dravolin
