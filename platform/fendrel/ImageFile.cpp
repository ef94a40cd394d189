#include "ImageFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>

#include "Fendrel.h"
#include "PackResult.h"

namespace fendrel {
namespace {

// The image goes to the disk in steps while it is written: each finished step
// is handed to the disk and the one two steps back is waited for and dropped
// from the page cache. The disk works all along, the flush at the end has
// little left to do, and the image does not crowd out the source files.
constexpr std::uint64_t kWriteBackStep = 32u << 20;
// Each write() takes at most this much. The page cache takes a large write
// into folios of the same size, and on a virtual machine the memory behind
// fresh large folios often has to be fetched from the host first: writes of
// a MiB were measured up to ten times slower than writes of 64 KiB.
constexpr std::size_t kWritePiece = std::size_t{64} << 10;

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

int WriteError(int error) {
    return error == ENOSPC || error == EDQUOT ? kFendrelDiskFull : kFendrelWriteFailed;
}

// File systems without ranged write-back simply get the whole flush at the end.
int WriteBackError(int error) {
    return error == EINVAL || error == ENOSYS || error == ESPIPE ? kPackOk : WriteError(error);
}

// Only a missing target or a regular file may take the image's name: renaming
// over anything else would replace a device node, a link or a pipe.
bool TargetReplaceable(const std::string& target) {
    struct stat info {};
    if (lstat(target.c_str(), &info) != 0) return errno == ENOENT;
    return S_ISREG(info.st_mode);
}

}  // namespace

ImageFile::~ImageFile() {
    Discard();
}

int ImageFile::Create(const std::string& target) {
    if (!TargetReplaceable(target)) return kFendrelTargetUnwritable;
    static std::atomic<unsigned> serial{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate =
            target + "." + std::to_string(getpid()) + "-" + std::to_string(serial.fetch_add(1)) + ".part";
        fd_ = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            target_ = target;
            partPath_ = candidate;
            return kPackOk;
        }
        if (errno != EEXIST) return errno == ENOSPC ? kFendrelDiskFull : kFendrelTargetUnwritable;
    }
    return kFendrelTargetUnwritable;
}

int ImageFile::Write(const unsigned char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t done = write(fd_, data, std::min(size, kWritePiece));
        if (done < 0) {
            if (errno == EINTR) continue;
            return WriteError(errno);
        }
        data += done;
        size -= static_cast<std::size_t>(done);
        written_ += static_cast<std::uint64_t>(done);
    }
    while (written_ - writtenBack_ >= kWriteBackStep) {
        if (const int result = WriteBackStep(); result != kPackOk) return result;
    }
    return kPackOk;
}

int ImageFile::WriteBackStep() {
    const auto step = static_cast<off_t>(kWriteBackStep);
    const auto start = static_cast<off_t>(writtenBack_);
    writtenBack_ += kWriteBackStep;
    if (sync_file_range(fd_, start, step, SYNC_FILE_RANGE_WRITE) != 0) return WriteBackError(errno);
    if (start < 2 * step) return kPackOk;
    const off_t settled = start - 2 * step;
    // A write error found here would no longer show at the final flush.
    if (sync_file_range(fd_, settled, step,
                        SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER) !=
        0) {
        return WriteBackError(errno);
    }
    posix_fadvise(fd_, settled, step, POSIX_FADV_DONTNEED);
    return kPackOk;
}

int ImageFile::Commit() {
    if (fsync(fd_) != 0) return WriteError(errno);
    const int closed = close(fd_);
    fd_ = -1;
    if (closed != 0) return WriteError(errno);
    // Something else may have taken the name while the image was written.
    if (!TargetReplaceable(target_)) return kFendrelTargetUnwritable;
    if (rename(partPath_.c_str(), target_.c_str()) != 0) return kFendrelTargetUnwritable;
    partPath_.clear();
    // The new name itself must survive a power loss too.
    const int folder = open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return kPackOk;
}

void ImageFile::Discard() {
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
    if (!partPath_.empty()) {
        unlink(partPath_.c_str());
        partPath_.clear();
    }
}

}  // namespace fendrel
