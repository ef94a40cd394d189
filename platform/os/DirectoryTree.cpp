#include "os/DirectoryTree.h"

#include <sys/stat.h>

#include <cerrno>
#include <string>

#include "os/UnicodeText.h"

namespace os {

namespace {

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

bool CreateDirectoryTree(const std::wstring& path) {
    // File names are UTF-8 bytes here, whatever the process locale says.
    const std::string name = WideToUtf8(path).value_or(std::string());
    if (name.empty()) return false;
    // Each prefix that ends before a separator is one folder of the tree;
    // "a//b" and a trailing separator make no empty folders.
    for (size_t end = name.find('/', 1); end != std::string::npos; end = name.find('/', end + 1)) {
        if (name[end - 1] == '/') continue;
        const std::string parent = name.substr(0, end);
        if (::mkdir(parent.c_str(), 0777) != 0 && errno != EEXIST) return false;
    }
    if (::mkdir(name.c_str(), 0777) != 0 && errno != EEXIST) return false;
    return IsDirectory(name);
}

}  // namespace os
