#include "common/EventThread.h"

#include <new>

CEventThread::CEventThread() : threadId(0), running_(false), callback(nullptr), context(nullptr) {}

CEventThread::~CEventThread() {
    Stop(100);
}

bool CEventThread::Start(Callback newCallback, void* newContext) {
    if (IsRunning()) return false;
    // A thread that left on its own is still to be joined.
    thread.Join();
    try {
        CreateEvents();
    } catch (const std::bad_alloc&) {
        Stop(100);
        return false;
    }
    callback = newCallback;
    context = newContext;
    running_ = true;
    if (!thread.Start([this] { ThreadProc(this); })) {
        running_ = false;
        Stop(100);
        return false;
    }
    return true;
}

// There is no forcible end of a thread here. None is needed: the exit event
// is the worker's wake event for os::Sleep, so a callback inside its sleep
// returns at once and the join below is prompt whatever the timeout.
void CEventThread::Stop(uint32_t /*timeoutMs*/) {
    callback = nullptr;
    threadId = 0;
    if (thread.Started()) {
        exitEvent->Set();
        thread.Join();
        running_ = false;
    }
    ReleaseEvents();
}

bool CEventThread::IsRunning() const {
    return running_;
}

bool CEventThread::Trigger(bool on) {
    if (!IsRunning()) return false;
    if (on)
        workEvent->Set();
    else
        workEvent->Reset();
    return true;
}

unsigned CEventThread::ThreadProc(CEventThread* self) {
    if (self == nullptr) return 0;
    self->threadId = os::CurrentThreadId();
    os::SleepWakeEvent wakeOnExit(*self->exitEvent);
    for (;;) {
        if (os::WaitForEither(*self->exitEvent, *self->workEvent) == os::WaitResult::First) break;
        Callback step = self->callback;
        if (step == nullptr) {
            // Nothing to call until asked to leave; do not spin on the work event.
            self->exitEvent->Wait();
            break;
        }
        if (!step(self->context)) break;
    }
    self->callback = nullptr;
    self->threadId = 0;
    self->running_ = false;
    self->exitEvent->Reset();
    self->exitedEvent->Set();
    return 1;
}

void CEventThread::CreateEvents() {
    exitEvent = std::make_unique<os::ManualResetEvent>();
    exitedEvent = std::make_unique<os::ManualResetEvent>();
    workEvent = std::make_unique<os::ManualResetEvent>();
}

void CEventThread::ReleaseEvents() {
    exitEvent.reset();
    exitedEvent.reset();
    workEvent.reset();
}
