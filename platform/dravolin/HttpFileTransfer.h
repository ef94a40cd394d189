#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "PartialFile.h"
#include "SpeedWindow.h"

namespace dravolin {

struct TransferRequest {
    std::string url;
    std::string targetPath;    // UTF-8
    int64_t expectedSize = 0;  // 0: unknown; else the only size that completes the transfer
};

struct TransferHooks {
    std::function<bool()> stopRequested;
    std::function<void(double bytesPerSecond, int32_t percent)> progress;
};

// One transfer of a URL into a partial file, continuing an earlier partial
// with a guarded range request where possible. Run claims the partial file
// and leaves it in place; CommitToTarget moves a complete one onto the
// target. The claim ends with the object.
class HttpFileTransfer {
public:
    HttpFileTransfer(TransferRequest request, TransferHooks hooks);

    // DRAVOLIN_STATUS_DONE when every byte has arrived, CANCELLED when
    // stopRequested ended it, BUSY when another transfer holds the partial
    // file, else the failure's status.
    int32_t Run();
    // DRAVOLIN_STATUS_DONE, or FILE_ERROR when the rename failed.
    int32_t CommitToTarget();

private:
    struct Attempt;
    enum class Next { kFinished, kStartOver };

    Next RunAttempt(const std::optional<ResumePoint>& resume, int32_t& status);
    void ReportProgress(int64_t written, int64_t total, bool finished);

    TransferRequest request_;
    TransferHooks hooks_;
    PartialFile partial_;
    SpeedWindow speed_;
    int32_t lastPercent_ = -1;
};

}  // namespace dravolin
