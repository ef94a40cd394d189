#include "download/DownLoadManager.h"

#include <system_error>
#include <thread>

#include "download/DownLoadCounters.h"
#include "download/DownLoadEvent.h"
#include "download/DownLoadSpeedText.h"
#include "download/EventQueue.h"
#include "dravolin/Dravolin.h"
#include "os/DirectoryTree.h"
#include "os/ModulePath.h"
#include "os/Thread.h"
#include "os/UnicodeText.h"

namespace {

int32_t OnDownLoadData(int32_t handle, float bytesPerSecond, int32_t progress, void* user) {
    if (user == nullptr) return 0;
    return static_cast<CDownLoadManager*>(user)->OnData(handle, bytesPerSecond, progress);
}

int32_t OnDownLoadStatus(int32_t handle, int32_t status, void* user) {
    if (user == nullptr) return 0;
    return static_cast<CDownLoadManager*>(user)->OnStatus(handle, status);
}

void PostEvent(int32_t code, int32_t kind, int32_t taskId) {
    DownLoadEvent event;
    event.code = code;
    event.kind = kind;
    event.taskId = taskId;
    g_downLoadEventQueue.Post(event);
}

// Counts a callback as under way for its whole run.
class CallbackScope {
public:
    explicit CallbackScope(std::atomic<int32_t>& count) : count_(count) { ++count_; }
    ~CallbackScope() { --count_; }
    CallbackScope(const CallbackScope&) = delete;
    CallbackScope& operator=(const CallbackScope&) = delete;

private:
    std::atomic<int32_t>& count_;
};

}  // namespace

CDownLoadManager::CDownLoadManager() {
    CreateSlots();
    StartWorker();
}

CDownLoadManager::~CDownLoadManager() {
    Close();
    worker.Stop(0);
}

void CDownLoadManager::Close() {
    closed_ = true;
    FreeSlots();
    // The engine starts no callback after its handles are freed; wait for
    // the ones that began before. Any that enters later sees `closed`.
    while (callbacksUnderWay_.load() != 0) std::this_thread::yield();
}

void CDownLoadManager::CreateSlots() {
    os::ScopedLock held(lock);
    if (!held.Held()) return;
    for (int i = 0; i < kSlotCount; ++i) {
        auto* slot = new DownLoadSlot;
        slot->handle = DriverDownLoad_Init();
        if (slot->handle != 0) {
            DriverDownLoad_DataCallBack_Log(&OnDownLoadData, slot->handle, this);
            DriverDownLoad_ErrorCallBack_Log(&OnDownLoadStatus, slot->handle, this);
        }
        slots.push_back(slot);
    }
}

void CDownLoadManager::StartWorker() {
    if (worker.Start(&CDownLoadManager::WorkerThreadProc, this)) worker.Trigger(true);
}

bool CDownLoadManager::WorkerThreadProc(void* context) {
    return static_cast<CDownLoadManager*>(context)->WorkerTick();
}

void CDownLoadManager::FreeSlots() {
    os::ScopedLock held(lock);
    if (!held.Held()) return;
    for (DownLoadSlot* slot : slots) {
        if (slot->handle != 0) {
            DriverDownLoad_Cancel(slot->handle);
            DriverDownLoad_Free(slot->handle);
            slot->handle = 0;
        }
        delete slot;
    }
    slots.clear();
}

bool CDownLoadManager::SetOwner(CMainWnd* window) {
    owner = window;
    return true;
}

bool CDownLoadManager::SetMaxDownLoads(int32_t count) {
    maxDownLoads = count;
    return true;
}

bool CDownLoadManager::WorkerTick() {
    if (PendingCount() > 0) StartNextPending();
    os::Sleep(200);
    return true;
}

int32_t CDownLoadManager::PendingCount() {
    os::ScopedLock held(lock);
    return held.Held() ? static_cast<int32_t>(pending.size()) : 0;
}

bool CDownLoadManager::TakeFrontPending(PendingDownLoad& request) {
    os::ScopedLock held(lock);
    if (!held.Held() || pending.empty()) return false;
    request = std::move(pending.front());
    pending.pop_front();
    return true;
}

bool CDownLoadManager::StartNextPending() {
    os::ScopedLock held(lock);
    if (!held.Held()) return false;
    int32_t number = 0;
    for (DownLoadSlot* slot : slots) {
        ++number;
        if (slot->busy || number > maxDownLoads) continue;
        // The slot still waits for the engine to confirm a cancel.
        if (slot->state == SLOT_CANCEL_REQUESTED) return false;
        PendingDownLoad request;
        if (!TakeFrontPending(request)) continue;
        slot->lastProgress = 0;
        slot->taskId = request.taskId;
        slot->savePath = request.savePath;
        slot->url = request.url;
        slot->size = request.size;
        slot->kind = request.kind;
        slot->busy = true;
        slot->state = SLOT_RUNNING;
        CreateSaveDir(slot->savePath);
        OpenTransfer(*slot);
        return true;
    }
    return true;
}

void CDownLoadManager::OpenTransfer(const DownLoadSlot& slot) {
    // The engine takes file paths as UTF-16; a path that has none goes as an
    // empty one, which the engine reports as a failed transfer.
    std::u16string path = os::WideToUtf16(slot.savePath).value_or(std::u16string());
    auto size = static_cast<uint64_t>(slot.size);
    DriverDownLoad_Open(slot.handle, slot.url.c_str(), static_cast<int32_t>(slot.url.size()),
                        reinterpret_cast<const uint16_t*>(path.c_str()), static_cast<int32_t>(path.size()),
                        static_cast<uint32_t>(size & 0xFFFFFFFFu), static_cast<uint32_t>(size >> 32), 0);
}

void CDownLoadManager::CreateSaveDir(const std::wstring& filePath) {
    // A bare file name lies in the current folder: nothing to create (taking
    // the name itself for a folder would block the file).
    size_t cut = filePath.rfind(os::kPathSeparator);
    if (owner.load() == nullptr || cut == std::wstring::npos || cut == 0) return;
    // Through the OS layer's conversion: a wide path handed to the standard
    // library converts by the process locale and throws for any character
    // the "C" locale lacks, ending the program from this worker thread.
    os::CreateDirectoryTree(filePath.substr(0, cut));
}

bool CDownLoadManager::Enqueue(const PendingDownLoad& request) {
    os::ScopedLock held(lock);
    if (!held.Held()) return false;
    pending.push_back(request);
    PostEvent(EVT_DOWNLOAD_QUEUED, request.kind, request.taskId);
    return true;
}

// A slot that holds the task with its transfer paused (cancel asked or
// confirmed) keeps it until Resume or Stop.
bool CDownLoadManager::Pause(const PendingDownLoad& request) {
    {
        os::ScopedLock held(lock);
        if (!held.Held()) return false;
        bool alreadyPaused = false;
        bool paused = false;
        for (DownLoadSlot* slot : slots) {
            if (!slot->busy || slot->taskId != request.taskId) continue;
            // Cancelling again would leave the slot waiting for a 302 that
            // never comes once the first one has arrived.
            if (slot->state != SLOT_RUNNING) {
                alreadyPaused = true;
                continue;
            }
            slot->state = SLOT_CANCEL_REQUESTED;
            if (!DriverDownLoad_Cancel(slot->handle)) return false;
            paused = true;
        }
        if (alreadyPaused && !paused) return false;
    }
    PostEvent(EVT_DOWNLOAD_PAUSED, request.kind, request.taskId);
    return true;
}

// Only a paused transfer is opened again: another open on a running handle
// would be a second download whose reports reach whichever task holds the
// slot by then.
bool CDownLoadManager::Resume(const PendingDownLoad& request) {
    {
        os::ScopedLock held(lock);
        if (!held.Held()) return false;
        bool resumed = false;
        for (DownLoadSlot* slot : slots) {
            if (!slot->busy || slot->taskId != request.taskId || slot->state == SLOT_RUNNING) continue;
            slot->state = SLOT_RUNNING;
            OpenTransfer(*slot);
            resumed = true;
        }
        if (!resumed) return false;
    }
    PostEvent(EVT_DOWNLOAD_RESUMED, request.kind, request.taskId);
    return true;
}

bool CDownLoadManager::Stop(const PendingDownLoad& request) {
    {
        os::ScopedLock held(lock);
        if (!held.Held()) return false;
        for (DownLoadSlot* slot : slots) {
            if (!slot->busy || slot->taskId != request.taskId) continue;
            if (slot->state == SLOT_RUNNING) {
                slot->state = SLOT_CANCEL_REQUESTED;
                if (!DriverDownLoad_Cancel(slot->handle)) return false;
            }
            slot->busy = false;
        }
    }
    PostEvent(EVT_DOWNLOAD_STOPPED, request.kind, request.taskId);
    return true;
}

int32_t CDownLoadManager::OnData(int32_t handle, float bytesPerSecond, int32_t progress) {
    CallbackScope underWay(callbacksUnderWay_);
    if (closed_) return 0;
    os::ScopedLock held(lock);
    if (!held.Held()) return 0;
    for (DownLoadSlot* slot : slots) {
        if (slot->handle != handle || !slot->busy || slot->lastProgress == progress) continue;
        SOUI::SStringW text = FormatDownLoadSpeed(bytesPerSecond);
        slot->lastProgress = progress;
        slot->speedText = text;
        DownLoadEvent event;
        event.code = EVT_DOWNLOAD_PROGRESS;
        event.taskId = slot->taskId;
        event.progress = progress;
        event.text = text;
        g_downLoadEventQueue.Post(event);
    }
    return 1;
}

int32_t CDownLoadManager::OnStatus(int32_t handle, int32_t status) {
    CallbackScope underWay(callbacksUnderWay_);
    if (closed_) return 0;
    os::ScopedLock held(lock);
    if (!held.Held()) return 0;
    for (DownLoadSlot* slot : slots) {
        if (slot->handle != handle) continue;
        if (status == DRAVOLIN_STATUS_CANCELLED) {
            // A 302 that arrives after a resume answers the earlier transfer;
            // the one now running has not been cancelled.
            if (slot->state == SLOT_CANCEL_REQUESTED) slot->state = SLOT_CANCELLED;
            continue;
        }
        if (status == 301 || status == 303) {
            PostEvent(EVT_DOWNLOAD_DONE, 0, slot->taskId);
            g_completedDownLoads += 1;
        } else {
            PostEvent(EVT_DOWNLOAD_FAILED, 0, slot->taskId);
        }
        // A cancel the engine refused is never answered with 302; the slot
        // must not wait for one.
        if (slot->state == SLOT_CANCEL_REQUESTED) slot->state = SLOT_RUNNING;
        slot->busy = false;
    }
    return 1;
}

bool CDownLoadManager::StopAll() {
    std::vector<std::pair<int32_t, int32_t>> stopped;  // kind, task id
    {
        os::ScopedLock held(lock);
        if (!held.Held()) return false;
        for (const PendingDownLoad& request : pending) stopped.emplace_back(request.kind, request.taskId);
        pending.clear();
        for (DownLoadSlot* slot : slots) {
            if (!slot->busy) continue;
            // A refused cancel means the transfer is ending: its own end
            // event takes it off the count.
            if (slot->state == SLOT_RUNNING) {
                slot->state = SLOT_CANCEL_REQUESTED;
                if (!DriverDownLoad_Cancel(slot->handle)) continue;
            }
            slot->busy = false;
            stopped.emplace_back(slot->kind, slot->taskId);
        }
    }
    for (const auto& [kind, taskId] : stopped) PostEvent(EVT_DOWNLOAD_STOPPED, kind, taskId);
    return true;
}
