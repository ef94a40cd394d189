#pragma once
#include <optional>
#include <string>

namespace os {

// The whole content of the file at `path` (a UTF-8 file name); nothing when
// it cannot be opened or read, a folder included.
std::optional<std::string> ReadFileBytes(const std::string& path);

}  // namespace os
