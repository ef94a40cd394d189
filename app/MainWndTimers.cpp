// Timer work of the main window: button states, counters, list redraws.
// Filled by the downloads work; empty until then.
#include "app/MainWnd.h"

bool CMainWnd::UpdateBusyControls(bool enable) {
    listButtonsEnabled = enable;
    return true;
}

void CMainWnd::UpdateDownloadCounters() {}

bool CMainWnd::DrainUiEvents() {
    return true;
}

bool CMainWnd::RefreshListItem(int /*taskId*/) {
    return false;
}
