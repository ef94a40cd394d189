#pragma once
#include <string>

namespace os {

// Full path of the running executable (wide), as the module-file-name query
// gives it; empty when it cannot be read.
std::wstring ExecutablePath();

// Folder of the running executable with a trailing separator.
std::wstring ExecutableDir();

// The platform's path separator, standing where the Windows code writes a
// backslash.
constexpr wchar_t kPathSeparator = L'/';

}  // namespace os
