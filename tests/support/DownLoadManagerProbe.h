#pragma once
// Tests read (and may hold) the download manager's private state through
// this friend.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "download/DownLoadManager.h"
#include "download/DownLoadSlot.h"
#include "os/ReentrantLock.h"

struct DownLoadManagerProbe {
    static std::vector<DownLoadSlot> Slots(CDownLoadManager& m) {
        os::ScopedLock held(m.lock);
        std::vector<DownLoadSlot> copy;
        for (const DownLoadSlot* slot : m.slots) copy.push_back(*slot);
        return copy;
    }
    static size_t Pending(CDownLoadManager& m) {
        os::ScopedLock held(m.lock);
        return m.pending.size();
    }
    static os::ReentrantLock& Lock(CDownLoadManager& m) { return m.lock; }
    static int32_t MaxDownLoads(CDownLoadManager& m) { return m.maxDownLoads; }

    // True once no transfer of the manager is under way in the engine and
    // none waits to start: every one has ended with its status, a cancelled
    // one with its 302. The engine lets go of a transfer's files before it
    // reports its end, so they are then the test's to remove. A stop or pause
    // is noticed at once, long before that.
    static bool TransfersEnded(CDownLoadManager& m) {
        os::ScopedLock held(m.lock);
        return m.pending.empty() && std::none_of(m.slots.begin(), m.slots.end(), [](const DownLoadSlot* s) {
                   return s->state == SLOT_CANCEL_REQUESTED || (s->busy && s->state == SLOT_RUNNING);
               });
    }
};
