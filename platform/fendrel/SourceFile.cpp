#include "SourceFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace fendrel {
namespace {

// libisofs's generator asks for 2 KiB at a time; each request is served
// from this much read ahead instead of a system call of its own.
constexpr std::size_t kReadAhead = 1u << 20;
// Ours, beside the device and inode: libisofs stores the content of streams
// with the same three once, as it does for hard links through its own.
constexpr unsigned int kStreamFileSystemId = 0x46454E44;

// libisofs's struct iso_stream, which C++ cannot declare (its first member is
// named "class"): the same members in the same order.
struct StreamRecord {
    IsoStreamIface* iface;
    int refcount;
    void* data;
};

int OpenError(int error) {
    if (error == ENOENT || error == ENOTDIR) return static_cast<int>(ISO_FILE_DOESNT_EXIST);
    if (error == EACCES || error == EPERM) return static_cast<int>(ISO_FILE_ACCESS_DENIED);
    return static_cast<int>(ISO_FILE_ERROR);
}

// The read-ahead buffer of the last file closed on this thread, for the next
// one: the generator reads its files one after another, and a fresh buffer
// each time costs a page fault for each of its pages.
thread_local std::unique_ptr<unsigned char[]> spareBuffer;

int ReadError(int error) {
    return static_cast<int>(error == EIO ? ISO_FILE_READ_ERROR : ISO_FILE_ERROR);
}

// One source file's content as the generator reads it, from the first byte
// to the size recorded when the folder was read.
class SourceFile {
public:
    SourceFile(std::string path, const struct stat& info)
        : path_(std::move(path)), size_(info.st_size), device_(info.st_dev), inode_(info.st_ino) {}
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;
    // Not kept as the spare: this may run on a thread that reads no files.
    ~SourceFile() {
        buffer_.reset();
        Close();
    }

    // 1, or 2 / 3 when the file is now larger / smaller than recorded (as
    // libisofs expects), or an error.
    int Open() {
        if (fd_ >= 0) return static_cast<int>(ISO_FILE_ALREADY_OPENED);
        fd_ = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) return OpenError(errno);
        struct stat now {};
        if (fstat(fd_, &now) != 0) {
            const int error = errno;
            Close();
            return OpenError(error);
        }
        buffer_ = std::move(spareBuffer);
        if (!buffer_) buffer_.reset(new (std::nothrow) unsigned char[kReadAhead]);
        if (!buffer_) {
            Close();
            return static_cast<int>(ISO_OUT_OF_MEM);
        }
        posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
        offset_ = 0;
        begin_ = end_ = 0;
        error_ = 0;
        if (now.st_size == size_) return 1;
        return now.st_size > size_ ? 2 : 3;
    }

    int Close() {
        if (!spareBuffer) spareBuffer = std::move(buffer_);
        buffer_.reset();
        if (fd_ < 0) return static_cast<int>(ISO_FILE_NOT_OPENED);
        close(fd_);
        fd_ = -1;
        return 1;
    }

    // Fills `out` whole unless the end comes first; a failure after some
    // bytes is kept for the next call, as libisofs expects.
    int Read(unsigned char* out, std::size_t count) {
        if (fd_ < 0) return static_cast<int>(ISO_FILE_NOT_OPENED);
        count = std::min<std::size_t>(count, INT_MAX);
        std::size_t done = 0;
        while (done < count) {
            if (begin_ == end_) {
                const int filled = Fill();
                if (filled < 0 && done == 0) return filled;
                if (filled <= 0) break;
            }
            const std::size_t piece = std::min(count - done, end_ - begin_);
            std::memcpy(out + done, buffer_.get() + begin_, piece);
            begin_ += piece;
            done += piece;
        }
        return static_cast<int>(done);
    }

    off_t size() const { return size_; }

    int UpdateSize() {
        struct stat now {};
        if (stat(path_.c_str(), &now) != 0) return OpenError(errno);
        size_ = now.st_size;
        return 1;
    }

    void Id(unsigned int* fileSystem, dev_t* device, ino_t* inode) const {
        *fileSystem = kStreamFileSystemId;
        *device = device_;
        *inode = inode_;
    }

private:
    // Reads the next piece; 1, 0 at the end, or the error (kept). libisofs
    // fills a file that ends early with zeros and takes a grown one's first
    // bytes, both without a word: a file whose size changes while it is read
    // fails here instead.
    int Fill() {
        if (error_ != 0) return error_;
        if (offset_ >= size_) return 0;
        const auto wanted = static_cast<std::size_t>(std::min<off_t>(size_ - offset_, kReadAhead));
        ssize_t got;
        do {
            got = pread(fd_, buffer_.get(), wanted, offset_);
        } while (got < 0 && errno == EINTR);
        if (got < 0) return error_ = ReadError(errno);
        if (got == 0) return error_ = static_cast<int>(ISO_FILE_READ_ERROR);
        offset_ += got;
        struct stat now {};
        if (offset_ == size_ && (fstat(fd_, &now) != 0 || now.st_size != size_)) {
            return error_ = static_cast<int>(ISO_FILE_READ_ERROR);
        }
        begin_ = 0;
        end_ = static_cast<std::size_t>(got);
        return 1;
    }

    std::string path_;
    off_t size_;
    dev_t device_;
    ino_t inode_;
    int fd_ = -1;
    std::unique_ptr<unsigned char[]> buffer_;  // while open
    std::size_t begin_ = 0;                    // unread bytes of buffer_: [begin_, end_)
    std::size_t end_ = 0;
    off_t offset_ = 0;  // of the next piece in the file
    int error_ = 0;
};

SourceFile& FileOf(IsoStream* stream) {
    return *static_cast<SourceFile*>(reinterpret_cast<StreamRecord*>(stream)->data);
}

int OpenStream(IsoStream* stream) {
    return FileOf(stream).Open();
}
int CloseStream(IsoStream* stream) {
    return FileOf(stream).Close();
}
off_t StreamSize(IsoStream* stream) {
    return FileOf(stream).size();
}
int ReadStream(IsoStream* stream, void* out, std::size_t count) {
    return FileOf(stream).Read(static_cast<unsigned char*>(out), count);
}
int IsRepeatable(IsoStream*) {
    return 1;
}
void StreamId(IsoStream* stream, unsigned int* fileSystem, dev_t* device, ino_t* inode) {
    FileOf(stream).Id(fileSystem, device, inode);
}
// libisofs frees the record itself afterwards.
void FreeStream(IsoStream* stream) {
    delete &FileOf(stream);
}
int UpdateStreamSize(IsoStream* stream) {
    return FileOf(stream).UpdateSize();
}

const IsoStreamIface kSourceFileClass = {
    1,  // with update_size
    {'u', 's', 'e', 'r'},
    OpenStream,
    CloseStream,
    StreamSize,
    ReadStream,
    IsRepeatable,
    StreamId,
    FreeStream,
    UpdateStreamSize,
    nullptr,
    nullptr,
    nullptr,
};

}  // namespace

int AddSourceFile(IsoImage* image, IsoDir* parent, const std::string& name, const std::string& path,
                  const struct stat& info, IsoNode** node) {
    auto file = std::make_unique<SourceFile>(path, info);
    // libisofs releases the record with free().
    auto* record = static_cast<StreamRecord*>(std::calloc(1, sizeof(StreamRecord)));
    if (record == nullptr) return static_cast<int>(ISO_OUT_OF_MEM);
    // Never written through: the pointer is not const in libisofs's struct.
    record->iface = const_cast<IsoStreamIface*>(&kSourceFileClass);
    record->refcount = 1;
    record->data = file.release();
    auto* stream = reinterpret_cast<IsoStream*>(record);
    IsoFile* added = nullptr;
    // The new node takes the stream over only when it is created.
    const int result = iso_image_add_new_file(image, parent, name.c_str(), stream, &added);
    if (result < 0) {
        iso_stream_unref(stream);
        return result;
    }
    *node = reinterpret_cast<IsoNode*>(added);
    iso_node_set_permissions(*node, info.st_mode & 07777);
    iso_node_set_uid(*node, info.st_uid);
    iso_node_set_gid(*node, info.st_gid);
    iso_node_set_atime(*node, info.st_atime);
    iso_node_set_mtime(*node, info.st_mtime);
    iso_node_set_ctime(*node, info.st_ctime);
    return result;
}

}  // namespace fendrel
