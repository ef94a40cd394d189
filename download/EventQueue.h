#pragma once
#include <deque>

#include "download/DownLoadEvent.h"
#include "os/ReentrantLock.h"

// An unbounded first-in first-out queue of events between threads.
class CEventQueue {
public:
    CEventQueue() = default;
    ~CEventQueue();
    CEventQueue(const CEventQueue&) = delete;
    CEventQueue& operator=(const CEventQueue&) = delete;

    bool Post(const DownLoadEvent& event);
    // False when empty; the out event is then left as it was.
    bool Pop(DownLoadEvent& event);
    bool Clear();

private:
    os::ReentrantLock lock;
    std::deque<DownLoadEvent> events_;
};

// Download events for the dispatcher.
extern CEventQueue g_downLoadEventQueue;
// Change notices for the main window.
extern CEventQueue g_uiEventQueue;
