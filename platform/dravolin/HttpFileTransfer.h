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
    int64_t expectedSize = 0;  // paces the percentage when the server gives no length
};

struct TransferHooks {
    std::function<bool()> stopRequested;
    std::function<void(double bytesPerSecond, int32_t percent)> progress;
};

// One transfer of a URL into a partial file, continuing an earlier partial
// with a guarded range request where possible. Run leaves the partial in
// place; CommitToTarget moves a complete one onto the target.
class HttpFileTransfer {
public:
    HttpFileTransfer(TransferRequest request, TransferHooks hooks);

    // DRAVOLIN_STATUS_DONE when every byte has arrived, CANCELLED when
    // stopRequested ended it, else the failure's status.
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
