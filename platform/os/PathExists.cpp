#include "os/PathExists.h"

#include <unistd.h>

#include "os/UnicodeText.h"

namespace os {

bool PathExists(const std::wstring& path) {
    if (path.empty()) return false;
    const std::optional<std::string> name = WideToUtf8(path);
    return name && ::access(name->c_str(), F_OK) == 0;
}

}  // namespace os
