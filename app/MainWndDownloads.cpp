// Download actions and the save path. Empty until the downloads work lands.
#include "app/MainWnd.h"

void CMainWnd::OnBtnDownload() {}
bool CMainWnd::StartItemDownload(DriverTask /*task*/) {
    return true;
}
bool CMainWnd::RetryItemDownload(DriverTask /*task*/) {
    return true;
}
bool CMainWnd::StopItemDownload(DriverTask /*task*/) {
    return true;
}
bool CMainWnd::PauseItemDownload(DriverTask /*task*/) {
    return true;
}
bool CMainWnd::ResumeItemDownload(DriverTask /*task*/) {
    return true;
}
bool CMainWnd::OpenDownloadFolder(DriverTask /*task*/) {
    return true;
}
std::wstring CMainWnd::BuildDownloadPath(const DriverTask& /*task*/) {
    return std::wstring();
}
