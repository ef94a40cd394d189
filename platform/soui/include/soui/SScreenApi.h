#pragma once
// The native calls about screens and the mouse capture.
#include "soui/SRect.h"
#include "soui/Win32Defs.h"

namespace SOUI {

struct HMONITOR__;
using HMONITOR = HMONITOR__*;

constexpr DWORD MONITOR_DEFAULTTONULL = 0;
constexpr DWORD MONITOR_DEFAULTTOPRIMARY = 1;
constexpr DWORD MONITOR_DEFAULTTONEAREST = 2;

struct MONITORINFO {
    DWORD cbSize = sizeof(MONITORINFO);
    CRect rcMonitor;  // the whole screen
    CRect rcWork;     // without task bars and docks
    DWORD dwFlags = 0;
};

// The screen that holds the window's centre; with MONITOR_DEFAULTTONULL
// null when no screen does.
HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);
BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info);

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
// The primary screen's width or height.
int GetSystemMetrics(int index);

// While a window holds the capture, mouse input meant for the thread's
// other windows goes to it (in its own client coordinates).
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();

}  // namespace SOUI
