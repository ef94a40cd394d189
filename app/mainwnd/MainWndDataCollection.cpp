// The main window's calls into the data-collection library.
#include <chrono>
#include <cstdio>

#include "app/ProgramGlobals.h"
#include "app/ToolIdentity.h"
#include "app/mainwnd/MainWnd.h"
#include "download/StringConverter.h"
#include "soui/SMessageBox.h"

using namespace SOUI;

bool CMainWnd::CheckToolVersion() {
    ToolVersionInfo info{kToolId, kToolVersion};
    if (DataCollection_VersionGet(&info) == 202) {
        SMessageBox(nullptr, L"检测到当前工具有新的版本更新，请下载最新版本使用。", L"", MB_OK, 100);
        DataCollection_OpenToolDownUrl();
        return false;
    }
    DataCollection_GetServerUrlInfo(&serviceUrls);
    return true;
}

void CMainWnd::SendOperationReport(int status) {
    const long long now =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    SStringW time;
    time.Format(L"%lld", now);
    SStringW statusText;
    statusText.Format(L"%d", status);
    OperationReport report;
    report.id = kToolId;
    report.datetime = g_stringConverter.FromSStringW(time);
    report.versions = kToolVersion;
    report.status = g_stringConverter.FromSStringW(statusText);
    {
        std::lock_guard<std::mutex> lock(deviceInfoLock_);
        if (g_deviceInfo != nullptr) {
            report.PcModel = g_deviceInfo->Version;
            report.Manufacture = g_deviceInfo->Vendor;
            report.SerialNumber = g_deviceInfo->IdentifyingNumber;
        }
    }
    report.sourc_type = deviceType;
    DataCollection_OperationResponse(&report);
}

void CMainWnd::OnBtnFeedback() {
    ToolVersionInfo info{kToolId, kToolVersion};
    DataCollection_OpenFeedbackQuestion(&info);
}
