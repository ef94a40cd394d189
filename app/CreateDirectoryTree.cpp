#include "app/CreateDirectoryTree.h"

#include "os/DirectoryTree.h"

// The host would own a message about the creation; this platform shows none.
bool CreateDirectoryTree(SOUI::SHostWnd& /*host*/, std::wstring path) {
    os::CreateDirectoryTree(path);
    return true;
}
