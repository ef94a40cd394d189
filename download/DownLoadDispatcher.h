#pragma once
#include <cstdint>

#include "common/EventThread.h"
#include "download/DownLoadEvent.h"
#include "download/DriverTask.h"

class CMainWnd;

// The only writer of download state into g_driverTaskList: its thread
// drains g_downLoadEventQueue about every 10 ms, applies each event to the
// task it names, keeps g_activeDownLoads current and posts 312 (and 318 for
// a finished task) to g_uiEventQueue. It holds one object's lock at a time.
class CDownLoadDispatcher {
public:
    CDownLoadDispatcher() = default;
    ~CDownLoadDispatcher();
    CDownLoadDispatcher(const CDownLoadDispatcher&) = delete;
    CDownLoadDispatcher& operator=(const CDownLoadDispatcher&) = delete;

    bool Start(CMainWnd* window);
    bool DispatchEvents();

private:
    static bool DispatcherThreadProc(void* context);
    void StartThread();
    void StopThread();
    void HandleEvent(const DownLoadEvent& event);
    bool UpdateTaskAndNotify(int32_t index, const DownLoadEvent& event, const DriverTask& task);
    void PostTaskChanged(const DownLoadEvent& event);

    CMainWnd* owner = nullptr;
    CEventThread dispatchThread;
};

extern CDownLoadDispatcher g_downLoadDispatcher;
