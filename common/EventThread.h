#pragma once
#include <atomic>
#include <cstdint>
#include <memory>

#include "os/Event.h"
#include "os/Thread.h"

// Runs a callback over and over on a thread of its own until the callback
// returns false or the owner stops it. The callback paces itself; its
// waits must go through os::Sleep, which a stop cuts short.
class CEventThread {
public:
    using Callback = bool (*)(void* context);

    CEventThread();
    virtual ~CEventThread();
    CEventThread(const CEventThread&) = delete;
    CEventThread& operator=(const CEventThread&) = delete;

    // Starts the thread parked; Trigger(true) lets it call the callback.
    bool Start(Callback callback, void* context);
    // Asks the thread to leave and waits until it has; afterwards the object
    // is idle and holds no events.
    void Stop(uint32_t timeoutMs);
    bool IsRunning() const;
    // Lets the running thread call the callback (true) or parks it (false);
    // false when not running.
    bool Trigger(bool on);

private:
    static unsigned ThreadProc(CEventThread* self);
    void CreateEvents();
    void ReleaseEvents();

    std::atomic<uint32_t> threadId;
    os::Thread thread;
    std::atomic<bool> running_;  // false is the idle mark
    std::unique_ptr<os::ManualResetEvent> exitEvent;
    std::unique_ptr<os::ManualResetEvent> exitedEvent;
    std::unique_ptr<os::ManualResetEvent> workEvent;
    std::atomic<Callback> callback;
    void* context;
};
