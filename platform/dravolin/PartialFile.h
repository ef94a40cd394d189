#pragma once
#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dravolin {

// Where an earlier transfer of the same address into the same file stopped,
// and the validator (strong ETag or Last-Modified) its server gave.
struct ResumePoint {
    int64_t offset = 0;
    std::string validator;
};

// The file a transfer writes: "<target>.part", with "<target>.part.meta"
// naming the address and validator it came from. The target itself is only
// ever produced by CommitToTarget. A transfer claims the partial file before
// it reads or writes anything: the claim is a lock on the open file, so two
// transfers into one target, in one process or in two, never mix their bytes.
class PartialFile {
public:
    enum class Claim { kHeld, kBusy, kFailed };

    explicit PartialFile(std::string targetPath);
    ~PartialFile();  // releases the claim
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    const std::string& PartialPath() const { return partialPath_; }

    // Opens the partial file, creating it empty when missing, and locks it;
    // kBusy when another transfer holds it. `ending` tells, while the claim
    // is held, whether its transfer is on its way out: a claim of this
    // process that meets such a holder waits for it to let go.
    Claim TakeClaim(std::function<bool()> ending = {});

    // The resume point for url, when a partial of it with a validator exists.
    std::optional<ResumePoint> ResumeFor(const std::string& url) const;

    // Empty the partial file and record url and validator (an empty validator
    // removes the record, so the next transfer starts over).
    bool StartFresh(const std::string& url, const std::string& validator);
    // Keep the first offset bytes of the partial file and append after them.
    bool ContinueAt(int64_t offset);

    bool Write(const char* data, size_t size);
    // False when buffered bytes could not be written.
    bool Flush();

    // Move the partial file onto the target, drop the record, end the claim.
    bool CommitToTarget();
    // End the claim; an empty partial file goes, with its record, since no
    // transfer can continue it.
    void Release();

private:
    void LetGo();

    std::string targetPath_;
    std::string partialPath_;
    std::string metaPath_;
    int fd_ = -1;  // open, and locked, while the claim is held
    dev_t device_ = 0;
    ino_t inode_ = 0;
    std::function<bool()> ending_;
    std::vector<char> buffer_;
};

}  // namespace dravolin
