#include "os/ModulePath.h"

#include <unistd.h>
#include <climits>

#include "os/CodePage.h"

namespace os {

std::wstring ExecutablePath() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf);
    // A full buffer may hold a cut path.
    if (n <= 0 || n == static_cast<ssize_t>(sizeof buf)) return {};
    // File names are UTF-8 bytes here, whatever the process locale says.
    const int length = static_cast<int>(n);
    const int size = NarrowToWide(CodePage::Utf8, buf, length, nullptr, 0);
    if (size <= 0) return {};
    std::wstring out(static_cast<size_t>(size), L'\0');
    if (NarrowToWide(CodePage::Utf8, buf, length, out.data(), size) != size) return {};
    return out;
}

std::wstring ExecutableDir() {
    std::wstring path = ExecutablePath();
    size_t cut = path.rfind(kPathSeparator);
    if (cut == std::wstring::npos) return {};
    return path.substr(0, cut + 1);
}

}  // namespace os
