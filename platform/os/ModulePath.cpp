#include "os/ModulePath.h"

#include <unistd.h>
#include <climits>

#include "os/UnicodeText.h"

namespace os {

std::wstring ExecutablePath() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf);
    // A full buffer may hold a cut path.
    if (n <= 0 || n == static_cast<ssize_t>(sizeof buf)) return {};
    // File names are UTF-8 bytes here, whatever the process locale says.
    return Utf8ToWideLossy(std::string_view(buf, static_cast<size_t>(n)));
}

std::wstring ExecutableDir() {
    std::wstring path = ExecutablePath();
    size_t cut = path.rfind(kPathSeparator);
    if (cut == std::wstring::npos) return {};
    return path.substr(0, cut + 1);
}

}  // namespace os
