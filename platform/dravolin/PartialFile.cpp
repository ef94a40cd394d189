#include "PartialFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <fstream>

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

}  // namespace

PartialFile::PartialFile(std::string targetPath)
    : targetPath_(std::move(targetPath)),
      partialPath_(targetPath_ + ".part"),
      metaPath_(targetPath_ + ".part.meta") {}

PartialFile::~PartialFile() {
    Close();
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
    Close();
    if (validator.empty()) {
        if (::unlink(metaPath_.c_str()) != 0 && errno != ENOENT) return false;
    } else {
        std::ofstream meta(metaPath_, std::ios::trunc);
        meta << kMetaHeader << '\n' << url << '\n' << validator << '\n';
        meta.close();
        if (!meta) return false;
    }
    fd_ = ::open(partialPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return fd_ >= 0;
}

bool PartialFile::ContinueAt(int64_t offset) {
    Close();
    fd_ = ::open(partialPath_.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd_ < 0) return false;
    if (::ftruncate(fd_, offset) != 0 || ::lseek(fd_, offset, SEEK_SET) != offset) {
        Close();
        return false;
    }
    return true;
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
    bool ok = WriteAll(fd_, buffer_.data(), buffer_.size());
    buffer_.clear();
    return ok;
}

bool PartialFile::Close() {
    if (fd_ < 0) return true;
    bool ok = Flush();
    if (::close(fd_) != 0) ok = false;
    fd_ = -1;
    return ok;
}

bool PartialFile::CommitToTarget() {
    if (!Close()) return false;
    if (std::rename(partialPath_.c_str(), targetPath_.c_str()) != 0) return false;
    ::unlink(metaPath_.c_str());
    return true;
}

}  // namespace dravolin
