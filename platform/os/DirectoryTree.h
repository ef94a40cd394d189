#pragma once
#include <string>

namespace os {

// Creates the folder `path` and every missing folder above it. True when the
// folder exists afterwards (also when it existed before); false when the path
// is empty or no Unicode text, names a file, or a folder cannot be made (no
// right, no space).
bool CreateDirectoryTree(const std::wstring& path);

}  // namespace os
