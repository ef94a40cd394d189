#pragma once
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

#include "Fendrel.h"
#include "PackJob.h"

namespace fendrel {

// The packer's state between InitDllRes and ReleaseFileToIsoDllRes: the
// registered callbacks and at most one packing thread.
class PackSession {
public:
    PackSession() = default;
    PackSession(const PackSession&) = delete;
    PackSession& operator=(const PackSession&) = delete;
    ~PackSession();

    int Init();
    void SetProgressCallback(FileToIsoProgressCallback callback, void* context);
    void SetErrorCallback(FileToIsoErrorCallback callback, void* context);
    int Start(PackRequest request);
    // Reports a start that cannot proceed, on the calling thread.
    void Refuse(int code);
    void Stop();
    void Release();

private:
    void Run(const PackRequest& request);
    // The callback and context as registered now.
    template <typename Callback>
    std::pair<Callback, void*> Registered(const Callback& callback, void* const& context);
    void ReportProgress(int percent);
    void ReportError(int code);

    std::mutex mutex_;  // guards everything below but the two atomics
    FileToIsoProgressCallback progress_ = nullptr;
    void* progressContext_ = nullptr;
    FileToIsoErrorCallback error_ = nullptr;
    void* errorContext_ = nullptr;
    bool initialised_ = false;
    std::thread worker_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> running_{false};
};

}  // namespace fendrel
