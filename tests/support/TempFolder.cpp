#include "tests/support/TempFolder.h"

#include <stdlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace pelltest {
namespace fs = std::filesystem;

namespace {

// Owner rights on every folder below `top` (links are not followed), so
// that their entries can be listed and removed.
void MakeFoldersWritable(const fs::path& top) {
    std::error_code ec;
    fs::permissions(top, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::recursive_directory_iterator it(top, ec);
    for (const fs::recursive_directory_iterator end; !ec && it != end; it.increment(ec)) {
        // Before the iterator enters it, which needs the rights.
        std::error_code statusError;
        if (it->symlink_status(statusError).type() == fs::file_type::directory)
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, statusError);
    }
}

}  // namespace

TempFolder::TempFolder(const std::string& prefix) {
    std::string pattern = (fs::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary folder " + pattern + ": " + std::strerror(errno));
    path_ = pattern;
}

bool RemoveTree(const fs::path& root) noexcept {
    std::error_code ec;
    MakeFoldersWritable(root);
    fs::remove_all(root, ec);
    if (ec) {
        // Once more: the first walk may have met an entry that went meanwhile.
        MakeFoldersWritable(root);
        ec.clear();
        fs::remove_all(root, ec);
    }
    return fs::symlink_status(root, ec).type() == fs::file_type::not_found;
}

TempFolder::~TempFolder() {
    if (!RemoveTree(path_)) std::fprintf(stderr, "cannot remove %s\n", path_.c_str());
}

}  // namespace pelltest
