#pragma once
#include <string>

namespace os {

// Shows a file selected in the desktop's file manager (the freedesktop
// FileManager1 ShowItems call on the session bus); when no file manager
// answers, opens the file's folder with the desktop's default handler.
// Returns at once; the outcome is not examined. The environment variable
// PELLUCOR_FILE_MANAGER names another program, which gets the file's path as
// its one argument (tests use it).
void ShowInFileManager(const std::wstring& filePath);

// The file: address of an absolute path, bytes outside the unreserved set
// and "/" percent-encoded.
std::string FileUri(const std::string& path);

}  // namespace os
