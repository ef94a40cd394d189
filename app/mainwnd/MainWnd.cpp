#include "app/mainwnd/MainWnd.h"

#include <cstdlib>
#include <cstring>

#include "app/CreateDirectoryTree.h"
#include "app/EventMap.h"
#include "app/ProgramGlobals.h"
#include "app/dropdown/DropdownEvents.h"
#include "app/mainwnd/DriverDownLoadFindAdapter.h"
#include "download/DownLoadCounters.h"
#include "download/DownLoadDispatcher.h"
#include "download/DownLoadManager.h"
#include "download/DriverDb.h"
#include "driverinfo/DriverInfoApi.h"
#include "os/ModulePath.h"
#include "os/PathExists.h"
#include "os/ProcessList.h"
#include "soui/SControls.h"
#include "soui/SMessageBox.h"

using namespace SOUI;

namespace {

constexpr char kProductTitle[] = "Pellucor 驱动下载工具";
constexpr char kProgramFileName[] = "Pellucor";
constexpr UINT_PTR kButtonTimer = 1;
constexpr UINT_PTR kUiEventTimer = 3;

// More than one running copy: this one is among those counted.
bool IsAlreadyRunning() {
    return os::CountProcessesNamed(kProgramFileName) > 1;
}

constexpr int kFillEvent = EVT_FILL_SEARCH_DROPDOWN_LIST;
constexpr int kSelectedEvent = EVT_DROPDOWN_LIST_SELECTED;
constexpr int kQuerySuggestId = 70361;
constexpr int kOsSuggestId = 70362;

}  // namespace

CMainWnd::CMainWnd() : SHostWnd(L"LAYOUT:XML_MAINWND"), deviceType("1") {}

CMainWnd::~CMainWnd() {
    // WM_DESTROY must reach this window's own teardown, which a destruction
    // left to the host window's destructor would no longer call.
    if (IsWindow()) DestroyWindow();
    // WM_DESTROY has stopped the worker; a window that never had one still
    // must not leave a worker behind that uses the members going now.
    infoWorker.Stop(0);
}

BOOL CMainWnd::_HandleEvent(EventArgs* evt) {
    static const EventRow<CMainWnd> rows[] = {
        CommandRow<CMainWnd>(L"btn_sys_close", [](CMainWnd& w, EventArgs*) { w.OnClose(); }),
        CommandRow<CMainWnd>(L"btn_sys_min", [](CMainWnd& w, EventArgs*) { w.OnBtnMin(); }),
        CommandRow<CMainWnd>(L"btn_driver_query", [](CMainWnd& w, EventArgs*) { w.OnQuery(); }),
        CustomRow<CMainWnd>(kFillEvent, kQuerySuggestId,
                            [](CMainWnd& w, EventArgs* e) { w.OnFillQuerySuggest(e); }),
        CustomRow<CMainWnd>(kSelectedEvent, kQuerySuggestId,
                            [](CMainWnd& w, EventArgs* e) { w.OnQuerySuggestSelected(e); }),
        CommandRow<CMainWnd>(L"btn_os_suggest_dropdown",
                             [](CMainWnd& w, EventArgs*) { w.OnBtnOsDropdown(); }),
        CustomRow<CMainWnd>(kFillEvent, kOsSuggestId,
                            [](CMainWnd& w, EventArgs* e) { w.OnFillOsDropdown(e); }),
        CustomRow<CMainWnd>(kSelectedEvent, kOsSuggestId,
                            [](CMainWnd& w, EventArgs* e) { w.OnOsSelected(e); }),
        CommandRow<CMainWnd>(L"btn_sys_feedback", [](CMainWnd& w, EventArgs*) { w.OnBtnFeedback(); }),
        CommandRow<CMainWnd>(L"btn_allchoose", [](CMainWnd& w, EventArgs*) { w.OnBtnAllChoose(); }),
        CommandRow<CMainWnd>(L"btn_allchoose_text", [](CMainWnd& w, EventArgs*) { w.OnBtnAllChoose(); }),
        CommandRow<CMainWnd>(L"btn_driver_download", [](CMainWnd& w, EventArgs*) { w.OnBtnDownload(); }),
        CommandRow<CMainWnd>(L"btn_driver_path", [](CMainWnd& w, EventArgs*) { w.OnBtnSettings(); }),
        CommandRow<CMainWnd>(L"btn_driver_pack", [](CMainWnd& w, EventArgs*) { w.OnBtnPack(); }),
        CommandRow<CMainWnd>(L"btn_back_maintable", [](CMainWnd& w, EventArgs*) { w.OnBtnBackMainTable(); }),
        CommandRow<CMainWnd>(L"btn_networkerror_back",
                             [](CMainWnd& w, EventArgs*) { w.OnBtnNetworkErrorBack(); }),
        CommandRow<CMainWnd>(L"btn_mainop_help", [](CMainWnd& w, EventArgs*) { w.OnBtnHelp(); }),
        CommandRow<CMainWnd>(L"btn_mainop_set", [](CMainWnd& w, EventArgs*) { w.OnBtnSettings(); }),
        CommandRow<CMainWnd>(L"btn_mainop_pack", [](CMainWnd& w, EventArgs*) { w.OnBtnPack(); }),
        CommandRow<CMainWnd>(L"btn_agreement_close",
                             [](CMainWnd& w, EventArgs*) { w.OnBtnAgreementClose(); }),
        CommandRow<CMainWnd>(L"btn_sys_agreement", [](CMainWnd& w, EventArgs*) { w.OnBtnAgreement(); }),
        CommandRow<CMainWnd>(L"checkbox_sys_agreement_1",
                             [](CMainWnd& w, EventArgs*) { w.OnAgreementCheck(); }),
        CommandRow<CMainWnd>(L"checkbox_sys_agreement_2",
                             [](CMainWnd& w, EventArgs*) { w.OnAgreementCheck(); }),
    };
    BOOL handled = FALSE;
    if (RunEventMap(*this, evt, rows, handled)) return handled;
    return SHostWnd::_HandleEvent(evt);
}

BOOL CMainWnd::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result,
                                    DWORD msgMapID) {
    if (msgMapID == 0) {
        SetMsgHandled(TRUE);
        switch (msg) {
            case WM_INITDIALOG:
                result = OnInitDialog();
                if (IsMsgHandled()) return TRUE;
                break;
            case WM_DESTROY:
                OnDestroy();
                result = 0;
                if (IsMsgHandled()) return TRUE;
                break;
            case WM_CLOSE:
                OnClose();
                result = 0;
                if (IsMsgHandled()) return TRUE;
                break;
            case WM_SIZE:
                OnSize();
                if (IsMsgHandled()) return TRUE;
                break;
            case WM_TIMER:
                OnTimer(wParam);
                result = 0;
                if (IsMsgHandled()) return TRUE;
                break;
            default:
                break;
        }
    }
    if (SHostWnd::ProcessWindowMessage(hWnd, msg, wParam, lParam, result, msgMapID)) return TRUE;
    BOOL handled = FALSE;
    result = ReflectNotifications(msg, wParam, lParam, handled);
    return handled;
}

BOOL CMainWnd::OnInitDialog() {
    SetWindowTextA(kProductTitle);
    if (IsAlreadyRunning()) {
        SMessageBox(nullptr, L"程序已经在运行！", L"", MB_OK, 100);
        std::exit(0);
    }
    ProbeServiceKeyDrive();
    if (!CheckToolVersion()) std::exit(0);
    StartInfoWorker();
    GetProgramDir();
    g_driverDb.Open();
    g_driverDb.LoadSettings();
    if (!IsDownloadDirUsable()) SetDefaultDownloadDir();
    DriverInfo_Init();
    g_downLoadDispatcher.Start(this);
    tickCount = 0;
    shownStarted = 0;
    shownCompleted = 0;
    allChosen = false;
    agreementAccepted = true;
    listButtonsEnabled = true;
    for (const wchar_t* name : {L"checkbox_sys_agreement_1", L"checkbox_sys_agreement_2"})
        if (SWindow* box = FindChildByName(name)) box->SetCheck(TRUE);
    driverListView = FindChildByName2<SListView>(L"listview_driver_download_find");
    if (driverListView != nullptr) {
        SAutoRefPtr<CDriverDownLoad_Find_Adapter> adapter;
        adapter.Attach(new CDriverDownLoad_Find_Adapter(this));
        driverListView->SetAdapter(adapter);
    }
    SetTimer(kButtonTimer, 200);
    SetTimer(kUiEventTimer, 20);
    g_downLoadManager.SetMaxDownLoads(g_maxDownLoads);
    return TRUE;
}

void CMainWnd::StartInfoWorker() {
    if (infoWorker.Start(&CMainWnd::InfoWorkerProc, this)) infoWorker.Trigger(true);
}

bool CMainWnd::InfoWorkerProc(void* context) {
    return static_cast<CMainWnd*>(context)->CollectNetworkAndDeviceInfo();
}

bool CMainWnd::CollectNetworkAndDeviceInfo() {
    CheckNetwork();
    // Filled aside and published whole: the window may read the record for
    // the usage report, or free it, while the query runs.
    DeviceInfoRecord found;
    DataCollection_GetDeviceInfo(&found);
    {
        std::lock_guard<std::mutex> lock(deviceInfoLock_);
        if (g_deviceInfo != nullptr) *g_deviceInfo = std::move(found);
    }
    return false;
}

bool CMainWnd::CheckNetwork() {
    const bool reachable = DriverInfo_GetNetWorkCondition();
    g_networkState = reachable ? 1 : 0;
    return reachable;
}

void CMainWnd::GetProgramDir() {
    programDir = os::ExecutableDir();
}

bool CMainWnd::IsDownloadDirUsable() const {
    if (g_downLoadDir.empty()) return false;
    return os::PathExists(g_downLoadDir);
}

void CMainWnd::SetDefaultDownloadDir() {
    g_downLoadDir = programDir + L"Driver";
    CreateDirectoryTree(*this, g_downLoadDir);
}

void CMainWnd::OnClose() {
    if (g_activeDownLoads > 0 &&
        SMessageBox(nullptr, L"有正在下载的任务，确认退出吗？", L"", MB_OKCANCEL, 100) != IDOK)
        return;
    SendOperationReport(3);
    PostMessageW(WM_QUIT, 0, 0);
}

CDriverDownLoad_Find_Adapter* CMainWnd::DownloadListAdapter() const {
    if (driverListView == nullptr) return nullptr;
    return dynamic_cast<CDriverDownLoad_Find_Adapter*>(driverListView->GetAdapter());
}

void CMainWnd::OnDestroy() {
    KillTimer(kButtonTimer);
    KillTimer(kUiEventTimer);
    g_driverDb.Close();
    // The start-up check may still be inside the driver library, which takes
    // no second caller; it gives up within its time-out, and the stop cuts
    // the device-information wait after it short.
    infoWorker.Stop(0);
    DriverInfo_Free();
    std::lock_guard<std::mutex> lock(deviceInfoLock_);
    delete g_deviceInfo;
    g_deviceInfo = nullptr;
}

void CMainWnd::OnSize() {
    SetMsgHandled(FALSE);
}

void CMainWnd::OnTimer(UINT_PTR id) {
    if (id == kButtonTimer) {
        if (g_activeDownLoads > 0 && listButtonsEnabled) UpdateBusyControls(false);
        if (g_activeDownLoads == 0 && !listButtonsEnabled) UpdateBusyControls(true);
        UpdateDownloadCounters();
    } else if (id == kUiEventTimer) {
        DrainUiEvents();
    } else {
        SHostWnd::OnTimer(id);
    }
}
