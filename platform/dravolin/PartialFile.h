#pragma once
#include <cstdint>
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
// ever produced by CommitToTarget.
class PartialFile {
public:
    explicit PartialFile(std::string targetPath);
    ~PartialFile();
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    const std::string& PartialPath() const { return partialPath_; }

    // The resume point for url, when a partial of it with a validator exists.
    std::optional<ResumePoint> ResumeFor(const std::string& url) const;

    // Empty the partial file and record url and validator (an empty validator
    // removes the record, so the next transfer starts over).
    bool StartFresh(const std::string& url, const std::string& validator);
    // Keep the first offset bytes of the partial file and append after them.
    bool ContinueAt(int64_t offset);

    bool Write(const char* data, size_t size);
    // Flush and close; false when buffered bytes could not be written.
    bool Close();

    // Move the closed partial file onto the target and drop the record.
    bool CommitToTarget();

private:
    bool Flush();

    std::string targetPath_;
    std::string partialPath_;
    std::string metaPath_;
    int fd_ = -1;
    std::vector<char> buffer_;
};

}  // namespace dravolin
