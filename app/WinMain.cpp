// The program's entry: brings the window framework up, runs the main window's
// message loop and takes everything down again. Always exits with 0.
#include <memory>

#include "app/ProgramFramework.h"
#include "app/mainwnd/MainWnd.h"
#include "soui/SResProvider.h"
#include "soui/SSessionEnd.h"
#include "soui/SystemApi.h"

using namespace SOUI;

int wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPWSTR /*commandLine*/, int /*show*/) {
    ProgramFramework framework;
    if (!framework.Start(instance)) return 0;
    auto mainWnd = std::make_unique<CMainWnd>();
    mainWnd->Create(GetActiveWindow(), 0, 0, 0, 0);
    CloseOnSessionEnd(mainWnd->m_hWnd);
    mainWnd->SendMessageW(WM_INITDIALOG, 0, 0);
    mainWnd->ShowWindow(SW_SHOWNORMAL);
    framework.App().Run(mainWnd->m_hWnd);
    mainWnd.reset();
    return 0;
}

int main() {
    return wWinMain(GetModuleHandleW(nullptr), nullptr, nullptr, SW_SHOWNORMAL);
}
