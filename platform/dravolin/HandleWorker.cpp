#include "HandleWorker.h"

namespace dravolin {

HandleWorker::HandleWorker(int32_t handle) : handle_(handle), thread_([this] { Run(); }) {}

HandleWorker::~HandleWorker() {
    Retire();
    if (thread_.joinable()) thread_.join();
}

void HandleWorker::SetDataCallback(DravolinDataCallback callback, void* user) {
    std::lock_guard lock(mutex_);
    dataCallback_ = callback;
    dataUser_ = user;
}

void HandleWorker::SetStatusCallback(DravolinStatusCallback callback, void* user) {
    std::lock_guard lock(mutex_);
    statusCallback_ = callback;
    statusUser_ = user;
}

void HandleWorker::Open(TransferRequest request) {
    auto job = std::make_shared<Job>();
    job->request = std::move(request);
    std::lock_guard lock(mutex_);
    if (retired_) return;
    jobs_.push_back(std::move(job));
    wake_.notify_one();
}

bool HandleWorker::Cancel() {
    std::lock_guard lock(mutex_);
    if (retired_ || jobs_.empty()) return false;
    Job& newest = *jobs_.back();
    if (newest.committed || newest.cancelled.load()) return false;
    newest.cancelled = true;
    return true;
}

void HandleWorker::Retire() {
    std::lock_guard lock(mutex_);
    retired_ = true;
    abandon_ = true;
    wake_.notify_one();
}

void HandleWorker::Run() {
    for (;;) {
        std::shared_ptr<Job> job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return retired_ || !jobs_.empty(); });
            if (retired_) break;
            job = jobs_.front();
        }
        RunJob(*job);
        std::lock_guard lock(mutex_);
        jobs_.pop_front();
    }
    finished_ = true;
}

void HandleWorker::RunJob(Job& job) {
    if (job.cancelled) {
        ReportStatus(DRAVOLIN_STATUS_CANCELLED);
        return;
    }
    TransferHooks hooks;
    hooks.stopRequested = [this, &job] { return job.cancelled.load() || abandon_.load(); };
    hooks.progress = [this](double bytesPerSecond, int32_t percent) {
        ReportData(static_cast<float>(bytesPerSecond), percent);
    };
    int32_t status = DRAVOLIN_STATUS_NETWORK;
    {
        HttpFileTransfer transfer(job.request, std::move(hooks));
        status = transfer.Run();
        {
            // The cancel decision and the commit share the lock: a cancel that
            // won is answered with 302 only, one that lost was refused.
            std::lock_guard lock(mutex_);
            if (job.cancelled) {
                status = DRAVOLIN_STATUS_CANCELLED;
            } else {
                job.committed = true;
            }
        }
        if (status == DRAVOLIN_STATUS_DONE) status = transfer.CommitToTarget();
    }
    // The partial file is free again before anyone hears the end, so a retry
    // that the status prompts never finds it still held.
    ReportStatus(status);
}

void HandleWorker::ReportData(float bytesPerSecond, int32_t percent) {
    DravolinDataCallback callback;
    void* user;
    {
        std::lock_guard lock(mutex_);
        if (retired_) return;
        callback = dataCallback_;
        user = dataUser_;
    }
    if (callback) callback(handle_, bytesPerSecond, percent, user);
}

void HandleWorker::ReportStatus(int32_t status) {
    DravolinStatusCallback callback;
    void* user;
    {
        std::lock_guard lock(mutex_);
        if (retired_) return;
        callback = statusCallback_;
        user = statusUser_;
    }
    if (callback) callback(handle_, status, user);
}

}  // namespace dravolin
