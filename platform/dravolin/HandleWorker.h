#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "Dravolin.h"
#include "HttpFileTransfer.h"

namespace dravolin {

// One engine handle: a thread that runs the handle's transfers one after the
// other and reports each through the registered callbacks. Nothing here
// waits for a callback: the lock is never held while one runs.
class HandleWorker {
public:
    explicit HandleWorker(int32_t handle);
    ~HandleWorker();  // retires and joins
    HandleWorker(const HandleWorker&) = delete;
    HandleWorker& operator=(const HandleWorker&) = delete;

    void SetDataCallback(DravolinDataCallback callback, void* user);
    void SetStatusCallback(DravolinStatusCallback callback, void* user);
    void Open(TransferRequest request);
    bool Cancel();
    // Abandon every transfer and report nothing more; the thread then ends.
    void Retire();
    bool Finished() const { return finished_.load(); }

private:
    struct Job {
        TransferRequest request;
        std::atomic<bool> cancelled{false};
        bool committed = false;  // past the point where a cancel is accepted
    };

    void Run();
    void RunJob(Job& job);
    void ReportData(float bytesPerSecond, int32_t percent);
    void ReportStatus(int32_t status);

    const int32_t handle_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::shared_ptr<Job>> jobs_;  // front is the one running
    bool retired_ = false;
    std::atomic<bool> abandon_{false};
    DravolinDataCallback dataCallback_ = nullptr;
    void* dataUser_ = nullptr;
    DravolinStatusCallback statusCallback_ = nullptr;
    void* statusUser_ = nullptr;
    std::atomic<bool> finished_{false};
    std::thread thread_;
};

}  // namespace dravolin
