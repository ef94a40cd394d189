#pragma once
// The native system calls the program makes outside any framework window.
#include <string>

#include "soui/Win32Defs.h"

namespace SOUI {

// The system's own message box; works without the framework's renderer.
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

// Run-time modules by their system name ("render-skia.dll"); the file of this
// platform is looked up beside the executable.
HMODULE LoadLibraryW(LPCWSTR moduleName);
BOOL FreeLibrary(HMODULE module);
void* GetProcAddress(HMODULE module, const char* procName);

// The file this platform uses for a module of the given system name.
std::wstring ModuleFileNameFor(LPCWSTR systemName);

HWND GetActiveWindow();
BOOL IsWindow(HWND hwnd);
LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

}  // namespace SOUI
