#include "os/ModulePath.h"

#include <climits>
#include <cstdlib>
#include <unistd.h>

namespace os {

std::wstring ExecutablePath() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    buf[n] = '\0';
    std::mbstate_t state{};
    const char* src = buf;
    std::wstring out(static_cast<size_t>(n) + 1, L'\0');
    size_t len = std::mbsrtowcs(out.data(), &src, out.size(), &state);
    if (len == static_cast<size_t>(-1)) {
        // Not valid in the current locale: take the bytes as UTF-8 would be
        // lossy here, so fall back to byte-wise widening.
        out.assign(buf, buf + n);
        return out;
    }
    out.resize(len);
    return out;
}

std::wstring ExecutableDir() {
    std::wstring path = ExecutablePath();
    size_t cut = path.rfind(kPathSeparator);
    if (cut == std::wstring::npos) return {};
    return path.substr(0, cut + 1);
}

}  // namespace os
