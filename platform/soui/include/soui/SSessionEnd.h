#pragma once
// The end of the user's session reaches a program's main window as WM_CLOSE,
// the way a window is closed at log-off.
#include "soui/Win32Defs.h"

namespace SOUI {

// From now on SIGTERM, SIGHUP and SIGINT post WM_CLOSE to `hwnd` on the
// window thread instead of ending the process at once, so the window closes
// through its own close handling. Call on the window thread; a later call
// names another window.
void CloseOnSessionEnd(HWND hwnd);

}  // namespace SOUI
