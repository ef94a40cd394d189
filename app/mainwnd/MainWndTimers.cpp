// Timer work of the main window: the list page's buttons while downloads
// run, the busy animation and the two counters (timer 1), and the redraw of
// changed list items from the window message queue (timer 3).
#include "app/mainwnd/DriverDownLoadFindAdapter.h"
#include "app/mainwnd/MainWnd.h"
#include "download/DownLoadCounters.h"
#include "download/DownLoadEvent.h"
#include "download/DriverTaskList.h"
#include "download/EventQueue.h"
#include "soui/SControls.h"

using namespace SOUI;

namespace {

// Greyed with their text while downloads run, in this order.
const wchar_t* const kListButtons[] = {L"btn_driver_download", L"btn_driver_path", L"btn_driver_pack",
                                       L"btn_back_maintable", L"btn_allchoose"};

void ShowCount(CMainWnd& wnd, const wchar_t* name, int value) {
    SWindow* count = wnd.FindChildByName(name);
    if (count == nullptr) return;
    SStringW text;
    text.Format(L"%d", value);
    count->SetWindowTextW(text);
}

}  // namespace

bool CMainWnd::UpdateBusyControls(bool enable) {
    listButtonsEnabled = enable;
    for (const wchar_t* name : kListButtons) {
        SWindow* button = FindChildByName(name);
        if (button == nullptr) continue;
        button->EnableWindow(enable ? TRUE : FALSE, TRUE);
        button->SetAttribute(L"colorText", enable ? L"#ffffff" : L"#838997", FALSE);
    }
    if (SWindow* osButton = FindChildByName(L"btn_os_suggest_dropdown"))
        osButton->EnableWindow(enable ? TRUE : FALSE, TRUE);
    return true;
}

void CMainWnd::UpdateDownloadCounters() {
    ++tickCount;
    if (tickCount % 5 != 0) return;
    if (auto* busy = FindChildByName2<SAnimateImgWnd>(L"ani_install_busy_3")) {
        if (g_activeDownLoads > 0)
            busy->Start();
        else
            busy->Stop();
    }
    if (shownStarted != g_startedDownLoads) {
        shownStarted = g_startedDownLoads;
        ShowCount(*this, L"dirver_download_count_1", shownStarted);
    }
    if (shownCompleted != g_completedDownLoads) {
        shownCompleted = g_completedDownLoads;
        ShowCount(*this, L"dirver_download_count_2", shownCompleted);
    }
    if (tickCount >= 15) tickCount = 0;
}

bool CMainWnd::DrainUiEvents() {
    DownLoadEvent event;
    while (g_uiEventQueue.Pop(event)) {
        if (event.code == EVT_TASK_CHANGED) RefreshListItem(event.taskId);
    }
    return true;
}

bool CMainWnd::RefreshListItem(int taskId) {
    int32_t index = 0;
    DriverTask task;
    if (!g_driverTaskList.FindById(taskId, index, task)) return false;
    CDriverDownLoad_Find_Adapter* adapter = DownloadListAdapter();
    if (adapter == nullptr) return true;
    adapter->UpdateTask(index, task);
    adapter->notifyDataSetChanged();
    return true;
}
