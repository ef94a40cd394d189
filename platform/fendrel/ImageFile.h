#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace fendrel {

// The image under construction: a file beside the target that takes the
// target's name only once it is complete and on disk, and disappears
// otherwise.
class ImageFile {
public:
    ImageFile() = default;
    ImageFile(const ImageFile&) = delete;
    ImageFile& operator=(const ImageFile&) = delete;
    ~ImageFile();

    // Creates the file beside `target`; returns kPackOk or an error code.
    int Create(const std::string& target);
    // Appends all bytes; returns kPackOk or an error code.
    int Write(const unsigned char* data, std::size_t size);
    // Flushes to disk and renames to the target; returns kPackOk or an error code.
    int Commit();
    // Removes the unfinished file.
    void Discard();

private:
    int WriteBackStep();

    int fd_ = -1;
    std::string target_;
    std::string partPath_;
    std::uint64_t written_ = 0;
    std::uint64_t writtenBack_ = 0;  // bytes handed to the disk so far
};

}  // namespace fendrel
