#include "PackSession.h"

#include <exception>
#include <system_error>
#include <utility>

#include "IsoLibrary.h"
#include "PackResult.h"

namespace fendrel {

PackSession::~PackSession() {
    Release();
}

int PackSession::Init() {
    Release();
    if (!StartIsoLibrary()) return kFendrelInternal;
    std::lock_guard lock(mutex_);
    initialised_ = true;
    return kPackOk;
}

void PackSession::SetProgressCallback(FileToIsoProgressCallback callback, void* context) {
    std::lock_guard lock(mutex_);
    progress_ = callback;
    progressContext_ = context;
}

void PackSession::SetErrorCallback(FileToIsoErrorCallback callback, void* context) {
    std::lock_guard lock(mutex_);
    error_ = callback;
    errorContext_ = context;
}

void PackSession::Refuse(int code) {
    ReportError(code);
}

int PackSession::Start(PackRequest request) {
    std::unique_lock lock(mutex_);
    const int refusal = !initialised_ ? kFendrelNotInitialised : running_.load() ? kFendrelBusy : kPackOk;
    if (refusal != kPackOk) {
        lock.unlock();
        ReportError(refusal);
        return refusal;
    }
    // A finished packing's thread has ended or is about to.
    if (worker_.joinable()) worker_.join();
    stop_.store(false);
    running_.store(true);
    try {
        worker_ = std::thread([this, request = std::move(request)] { Run(request); });
    } catch (const std::system_error&) {
        running_.store(false);
        lock.unlock();
        ReportError(kFendrelInternal);
        return kFendrelInternal;
    }
    return kPackOk;
}

void PackSession::Run(const PackRequest& request) {
    int result;
    try {
        result = RunPackJob(request, stop_, [this](int percent) { ReportProgress(percent); });
    } catch (const std::exception&) {  // out of memory; nothing may escape the thread
        result = kFendrelInternal;
    }
    if (result != kPackOk && result != kPackStopped) ReportError(result);
    running_.store(false);
}

void PackSession::Stop() {
    std::thread worker;
    {
        std::lock_guard lock(mutex_);
        stop_.store(true);
        worker = std::move(worker_);
    }
    // Joined outside the lock: the thread takes it for every callback.
    if (worker.joinable()) worker.join();
}

void PackSession::Release() {
    Stop();
    std::lock_guard lock(mutex_);
    progress_ = nullptr;
    progressContext_ = nullptr;
    error_ = nullptr;
    errorContext_ = nullptr;
    if (initialised_) {
        StopIsoLibrary();
        initialised_ = false;
    }
}

template <typename Callback>
std::pair<Callback, void*> PackSession::Registered(const Callback& callback, void* const& context) {
    std::lock_guard lock(mutex_);
    return {callback, context};
}

// Called outside the lock, so that a callback may take its time.
void PackSession::ReportProgress(int percent) {
    const auto [callback, context] = Registered(progress_, progressContext_);
    if (callback != nullptr) callback(percent, context);
}

void PackSession::ReportError(int code) {
    const auto [callback, context] = Registered(error_, errorContext_);
    if (callback != nullptr) callback(code, context);
}

}  // namespace fendrel
