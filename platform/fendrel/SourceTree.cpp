#include "SourceTree.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "Fendrel.h"
#include "JolietName.h"
#include "PackResult.h"
#include "SourceFile.h"

namespace fendrel {
namespace {

constexpr std::uint64_t kBlockSize = 2048;

// The names in a folder, read at once so that no folder stays open while the
// walk goes deeper.
int ReadFolderNames(const std::string& path, std::vector<std::string>& names) {
    DIR* folder = opendir(path.c_str());
    if (folder == nullptr) {
        return errno == ENOENT ? kFendrelSourceChanged : kFendrelSourceUnreadable;
    }
    errno = 0;
    while (const dirent* entry = readdir(folder)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
            names.emplace_back(entry->d_name);
        }
        errno = 0;
    }
    const bool failed = errno != 0;
    closedir(folder);
    return failed ? kFendrelSourceUnreadable : kPackOk;
}

int ToPackError(int isoResult) {
    // libisofs codes are unsigned constants with the sign bit set.
    const auto code = static_cast<unsigned>(isoResult);
    if (code == ISO_RR_NAME_TOO_LONG) return kFendrelNameTooLong;
    if (code == ISO_FILE_DOESNT_EXIST) return kFendrelSourceChanged;
    if (code == ISO_FILE_ACCESS_DENIED || code == ISO_FILE_BAD_PATH || code == ISO_FILE_ERROR) {
        return kFendrelSourceUnreadable;
    }
    return kFendrelInternal;
}

class SourceWalk {
public:
    SourceWalk(IsoImage* image, const std::atomic<bool>& stop, SourceSummary& summary)
        : image_(image), stop_(stop), summary_(summary) {}

    int AddChildren(IsoDir* parent, const std::string& path) {
        std::vector<std::string> names;
        if (const int result = ReadFolderNames(path, names); result != kPackOk) return result;
        for (const std::string& name : names) {
            if (stop_.load()) return kPackStopped;
            if (const int result = AddEntry(parent, path + '/' + name, name); result != kPackOk) {
                return result;
            }
        }
        return kPackOk;
    }

private:
    int AddEntry(IsoDir* parent, const std::string& path, const std::string& name) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0) {
            return errno == ENOENT ? kFendrelSourceChanged : kFendrelSourceUnreadable;
        }
        const bool isFolder = S_ISDIR(info.st_mode);
        switch (CheckJolietName(name)) {
            case NameCheck::kTooLong:
                return kFendrelNameTooLong;
            case NameCheck::kNotText:
                return kFendrelNameNotText;
            case NameCheck::kFits:
                break;
        }
        IsoNode* node = nullptr;
        const int added = S_ISREG(info.st_mode)
                              ? AddSourceFile(image_, parent, name, path, info, &node)
                              : iso_tree_add_new_node(image_, parent, name.c_str(), path.c_str(), &node);
        if (added < 0) return ToPackError(added);
        ++summary_.entries;
        if (S_ISREG(info.st_mode)) {
            summary_.dataBlocks += (static_cast<std::uint64_t>(info.st_size) + kBlockSize - 1) / kBlockSize;
        }
        return isFolder ? AddChildren(reinterpret_cast<IsoDir*>(node), path) : kPackOk;
    }

    IsoImage* image_;
    const std::atomic<bool>& stop_;
    SourceSummary& summary_;
};

}  // namespace

int ResolveSourceFolder(const std::string& folder, std::string& resolved) {
    const std::unique_ptr<char, decltype(&std::free)> canonical(realpath(folder.c_str(), nullptr),
                                                                &std::free);
    if (!canonical) {
        return errno == ENOENT || errno == ENOTDIR ? kFendrelSourceMissing : kFendrelSourceUnreadable;
    }
    resolved = canonical.get();
    return kPackOk;
}

int AddSourceFolder(IsoImage* image, const std::string& folder, const std::atomic<bool>& stop,
                    SourceSummary& summary) {
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? kFendrelSourceMissing : kFendrelSourceUnreadable;
    }
    if (!S_ISDIR(info.st_mode)) return kFendrelSourceMissing;
    SourceWalk walk(image, stop, summary);
    const int result = walk.AddChildren(iso_image_get_root(image), folder);
    if (result == kPackOk && summary.entries == 0) return kFendrelSourceEmpty;
    return result;
}

}  // namespace fendrel
