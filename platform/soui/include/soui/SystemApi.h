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

// The number at the start of text: blanks, an optional sign, then decimal
// digits or, with STIF_SUPPORTHEX, "0x" and hexadecimal digits; it ends at
// the first other character and wraps at 32 bits. FALSE (and 0) when no
// digit comes.
constexpr DWORD STIF_DEFAULT = 0;
constexpr DWORD STIF_SUPPORTHEX = 1;
BOOL StrToIntExW(LPCWSTR text, DWORD flags, int* result);

// A line for whoever watches the program's diagnostics; on this platform it
// goes to standard error.
void OutputDebugStringW(LPCWSTR text);

}  // namespace SOUI
