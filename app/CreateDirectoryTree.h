#pragma once
#include <string>

#include "soui/SHostWnd.h"

// Creates the folder `path` with every missing folder above it. Never fails
// towards the caller: an existing folder, a path that cannot be made or a
// refused access all give true.
bool CreateDirectoryTree(SOUI::SHostWnd& host, std::wstring path);
