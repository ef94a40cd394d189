#include "download/DownLoadDispatcher.h"

#include "download/DownLoadCounters.h"
#include "download/DownLoadManager.h"
#include "download/DriverTaskList.h"
#include "download/EventQueue.h"
#include "os/Thread.h"

CDownLoadDispatcher::~CDownLoadDispatcher() {
    StopThread();
}

bool CDownLoadDispatcher::Start(CMainWnd* window) {
    owner = window;
    g_downLoadManager.SetOwner(window);
    StartThread();
    return true;
}

void CDownLoadDispatcher::StartThread() {
    if (dispatchThread.Start(&CDownLoadDispatcher::DispatcherThreadProc, this)) dispatchThread.Trigger(true);
}

void CDownLoadDispatcher::StopThread() {
    dispatchThread.Stop(0);
}

bool CDownLoadDispatcher::DispatcherThreadProc(void* context) {
    return static_cast<CDownLoadDispatcher*>(context)->DispatchEvents();
}

bool CDownLoadDispatcher::DispatchEvents() {
    DownLoadEvent event;
    while (g_downLoadEventQueue.Pop(event)) HandleEvent(event);
    os::Sleep(10);
    return true;
}

void CDownLoadDispatcher::HandleEvent(const DownLoadEvent& event) {
    int32_t index = 0;
    DriverTask task;
    bool found = g_driverTaskList.FindById(event.taskId, index, task);
    switch (event.code) {
        case EVT_DOWNLOAD_DONE:
            if (found) {
                task.state = TASK_COMPLETED;
                DownLoadEvent done;
                done.code = EVT_TASK_DONE;
                done.kind = task.kind;
                done.taskId = task.id;
                g_uiEventQueue.Post(done);
                DownLoadEvent changed = done;
                changed.code = EVT_TASK_CHANGED;
                UpdateTaskAndNotify(index, changed, task);
            }
            DecrementActiveDownLoads();
            break;
        case EVT_DOWNLOAD_PROGRESS:
            if (found && task.state <= TASK_DOWNLOADING) {
                task.state = TASK_DOWNLOADING;
                task.speedText = event.text;
                task.progress = event.progress;
                UpdateTaskAndNotify(index, event, task);
            }
            break;
        case EVT_DOWNLOAD_PAUSED:
        case EVT_DOWNLOAD_RESUMED:
            if (found) {
                task.state = TASK_DOWNLOADING;
                task.paused = event.code == EVT_DOWNLOAD_PAUSED;
                UpdateTaskAndNotify(index, event, task);
            }
            break;
        case EVT_DOWNLOAD_STOPPED:
            if (found) {
                task.state = TASK_NOT_STARTED;
                task.stoppedByUser = true;
                task.paused = false;
                task.progress = 0;
                UpdateTaskAndNotify(index, event, task);
            }
            DecrementActiveDownLoads();
            break;
        case EVT_DOWNLOAD_FAILED:
            if (found) {
                task.state = TASK_FAILED;
                UpdateTaskAndNotify(index, event, task);
            }
            DecrementActiveDownLoads();
            break;
        case EVT_DOWNLOAD_QUEUED:
            if (found) {
                task.stoppedByUser = false;
                task.state = TASK_WAITING;
                UpdateTaskAndNotify(index, event, task);
            }
            break;
        default:
            break;
    }
}

bool CDownLoadDispatcher::UpdateTaskAndNotify(int32_t index, const DownLoadEvent& event,
                                              const DriverTask& task) {
    g_driverTaskList.ReplaceAt(index, event.taskId, task);
    PostTaskChanged(event);
    return true;
}

void CDownLoadDispatcher::PostTaskChanged(const DownLoadEvent& event) {
    DownLoadEvent changed;
    changed.code = EVT_TASK_CHANGED;
    changed.kind = event.kind;
    changed.taskId = event.taskId;
    g_uiEventQueue.Post(changed);
}
