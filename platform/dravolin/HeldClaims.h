#pragma once
#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <utility>

namespace dravolin {

// The partial files that transfers of this process hold, by file identity,
// each with a question to its holder: is your transfer ending? A transfer
// that meets the lock of one that has been cancelled waits for it to let go
// instead of failing: a download stopped and started again at once is one
// download, not two.
class HeldClaims {
public:
    static HeldClaims& Instance();

    void Add(dev_t device, ino_t inode, const std::function<bool()>* ending);
    // Only the entry added with `ending`; a later holder's stays.
    void Remove(dev_t device, ino_t inode, const std::function<bool()>* ending);

    // False when the file is held here by a transfer that goes on, or one
    // that is ending still holds it after `timeout`: then the new claim
    // fails. True when trying again may succeed.
    bool WaitIfEnding(dev_t device, ino_t inode, std::chrono::seconds timeout);

private:
    using Key = std::pair<dev_t, ino_t>;
    std::mutex mutex_;
    std::condition_variable released_;
    std::map<Key, const std::function<bool()>*> held_;
};

}  // namespace dravolin
