#pragma once
#include <string>

namespace os {

// True when a file, folder or anything else exists at `path` (the existence
// test of access mode 0).
bool PathExists(const std::wstring& path);

}  // namespace os
