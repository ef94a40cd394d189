#pragma once
#include <atomic>
#include <cstdint>
#include <deque>
#include <vector>

#include "common/EventThread.h"
#include "download/DownLoadSlot.h"
#include "download/PendingDownLoad.h"
#include "os/ReentrantLock.h"

class CMainWnd;

// Turns download requests into transfers of the download engine: six engine
// handles (slots), a queue of pending requests and a worker that starts at
// most one request per 200 ms tick within the limit. Engine callbacks become
// events on g_downLoadEventQueue.
//
// Lock order: this manager's lock before the lock of g_downLoadEventQueue.
class CDownLoadManager {
public:
    static constexpr int kSlotCount = 6;

    CDownLoadManager();
    ~CDownLoadManager();
    CDownLoadManager(const CDownLoadManager&) = delete;
    CDownLoadManager& operator=(const CDownLoadManager&) = delete;

    bool SetOwner(CMainWnd* window);
    bool SetMaxDownLoads(int32_t count);
    bool Enqueue(const PendingDownLoad& request);
    bool Pause(const PendingDownLoad& request);
    bool Resume(const PendingDownLoad& request);
    bool Stop(const PendingDownLoad& request);

    // Ends every download of the manager, queued or running: queued requests
    // are dropped, transfers stopped as Stop stops them, and a 308 is posted
    // for each, so the active-download count falls to the downloads that
    // still run (those whose cancel came too late and end on their own).
    // For a driver list that is replaced while downloads run.
    bool StopAll();

    // Cancels every transfer and stops taking the engine's callbacks; a
    // callback already under way leaves before this returns. Called at
    // program end before the event queues go away, since closing the
    // window leaves downloads running.
    void Close();

    bool WorkerTick();
    int32_t OnData(int32_t handle, float bytesPerSecond, int32_t progress);
    int32_t OnStatus(int32_t handle, int32_t status);

private:
    friend struct DownLoadManagerProbe;  // tests look at the slots

    static bool WorkerThreadProc(void* context);
    void CreateSlots();
    void StartWorker();
    void FreeSlots();
    int32_t PendingCount();
    bool TakeFrontPending(PendingDownLoad& request);
    bool StartNextPending();
    void CreateSaveDir(const std::wstring& filePath);
    void OpenTransfer(const DownLoadSlot& slot);

    os::ReentrantLock lock;
    std::atomic<CMainWnd*> owner{nullptr};
    CEventThread worker;
    std::atomic<int32_t> maxDownLoads{0};
    std::vector<DownLoadSlot*> slots;
    std::deque<PendingDownLoad> pending;
    std::atomic<bool> closed_{false};
    std::atomic<int32_t> callbacksUnderWay_{0};
};

extern CDownLoadManager g_downLoadManager;
