#include "os/PathExists.h"

#include <unistd.h>

#include <vector>

#include "os/CodePage.h"

namespace os {

bool PathExists(const std::wstring& path) {
    if (path.empty()) return false;
    const int size = WideToNarrow(CodePage::Utf8, path.c_str(), -1, nullptr, 0);
    if (size <= 0) return false;
    std::vector<char> narrow(static_cast<size_t>(size));
    if (WideToNarrow(CodePage::Utf8, path.c_str(), -1, narrow.data(), size) <= 0) return false;
    return ::access(narrow.data(), F_OK) == 0;
}

}  // namespace os
