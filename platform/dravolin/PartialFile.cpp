#include "PartialFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <fstream>

#include "HeldClaims.h"

namespace dravolin {
namespace {

constexpr size_t kBufferSize = 1 << 20;
constexpr const char* kMetaHeader = "dravolin-partial 1";

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// A write lock over the whole open file, owned by the open file itself, so
// it holds against other opens in this process as well as in others.
bool LockWhole(int fd, bool& busy) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (::fcntl(fd, F_OFD_SETLK, &lock) == 0) return true;
    busy = errno == EAGAIN || errno == EACCES;
    return false;
}

bool SameFile(const struct stat& held, const std::string& path) {
    struct stat named {};
    return ::stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

// A transfer that was cancelled ends within about a second; this bounds a
// wait for one whose server has stalled.
constexpr std::chrono::seconds kEndingHolderWait{30};

}  // namespace

PartialFile::PartialFile(std::string targetPath)
    : targetPath_(std::move(targetPath)),
      partialPath_(targetPath_ + ".part"),
      metaPath_(targetPath_ + ".part.meta") {}

PartialFile::~PartialFile() {
    Release();
}

PartialFile::Claim PartialFile::TakeClaim(std::function<bool()> ending) {
    if (fd_ >= 0) return Claim::kHeld;
    // The file locked may have been renamed into place or removed by its
    // previous holder just before the lock was granted; then try the new one.
    for (int attempt = 0; attempt < 3; ++attempt) {
        int fd = ::open(partialPath_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        struct stat held {};
        if (fd < 0 || ::fstat(fd, &held) != 0) {
            if (fd >= 0) ::close(fd);
            return Claim::kFailed;
        }
        bool busy = false;
        if (!LockWhole(fd, busy)) {
            ::close(fd);
            if (busy && HeldClaims::Instance().WaitIfEnding(held.st_dev, held.st_ino, kEndingHolderWait))
                continue;
            return busy ? Claim::kBusy : Claim::kFailed;
        }
        if (SameFile(held, partialPath_)) {
            fd_ = fd;
            device_ = held.st_dev;
            inode_ = held.st_ino;
            ending_ = std::move(ending);
            HeldClaims::Instance().Add(device_, inode_, &ending_);
            return Claim::kHeld;
        }
        ::close(fd);
    }
    return Claim::kBusy;
}

std::optional<ResumePoint> PartialFile::ResumeFor(const std::string& url) const {
    std::ifstream meta(metaPath_);
    std::string header, recordedUrl, validator;
    if (!std::getline(meta, header) || header != kMetaHeader) return std::nullopt;
    if (!std::getline(meta, recordedUrl) || recordedUrl != url) return std::nullopt;
    if (!std::getline(meta, validator) || validator.empty()) return std::nullopt;
    struct stat st {};
    if (::stat(partialPath_.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0)
        return std::nullopt;
    return ResumePoint{static_cast<int64_t>(st.st_size), validator};
}

bool PartialFile::StartFresh(const std::string& url, const std::string& validator) {
    buffer_.clear();
    if (!ContinueAt(0)) return false;
    // The record vouches for the bytes after it, so it is written only once
    // the old bytes are gone, and never left half-written.
    if (validator.empty()) return ::unlink(metaPath_.c_str()) == 0 || errno == ENOENT;
    std::ofstream meta(metaPath_, std::ios::trunc);
    meta << kMetaHeader << '\n' << url << '\n' << validator << '\n';
    meta.close();
    if (meta) return true;
    ::unlink(metaPath_.c_str());
    return false;
}

bool PartialFile::ContinueAt(int64_t offset) {
    if (fd_ < 0 || !Flush()) return false;
    return ::ftruncate(fd_, offset) == 0 && ::lseek(fd_, offset, SEEK_SET) == offset;
}

bool PartialFile::Write(const char* data, size_t size) {
    if (fd_ < 0) return false;
    if (buffer_.capacity() < kBufferSize) buffer_.reserve(kBufferSize);
    if (buffer_.size() + size > kBufferSize && !Flush()) return false;
    if (size >= kBufferSize) return WriteAll(fd_, data, size);
    buffer_.insert(buffer_.end(), data, data + size);
    return true;
}

bool PartialFile::Flush() {
    if (fd_ < 0) return buffer_.empty();
    bool ok = WriteAll(fd_, buffer_.data(), buffer_.size());
    buffer_.clear();
    return ok;
}

bool PartialFile::CommitToTarget() {
    if (fd_ < 0 || !Flush()) return false;
    if (std::rename(partialPath_.c_str(), targetPath_.c_str()) != 0) return false;
    ::unlink(metaPath_.c_str());
    LetGo();
    return true;
}

void PartialFile::Release() {
    if (fd_ < 0) return;
    Flush();
    struct stat st {};
    if (::fstat(fd_, &st) == 0 && st.st_size == 0) {
        ::unlink(partialPath_.c_str());
        ::unlink(metaPath_.c_str());
    }
    LetGo();
}

// The lock goes first, so a claim woken by the notice finds the file free.
void PartialFile::LetGo() {
    ::close(fd_);
    fd_ = -1;
    HeldClaims::Instance().Remove(device_, inode_, &ending_);
}

}  // namespace dravolin
