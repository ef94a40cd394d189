#include "app/dialogs/PopWndSet.h"

#include <cstdlib>
#include <string>

#include "app/CreateDirectoryTree.h"
#include "app/EventMap.h"
#include "app/dialogs/FileDialog.h"
#include "download/DownLoadManager.h"
#include "download/DriverDb.h"
#include "download/StringConverter.h"
#include "os/ModulePath.h"
#include "soui/SMessageBox.h"

using namespace SOUI;

namespace {

bool IsAcceptedCount(const SStringW& text) {
    for (const wchar_t* digit : {L"1", L"2", L"3", L"4", L"5", L"6"})
        if (text == digit) return true;
    return false;
}

SStringW TextOf(SHostWnd& host, const wchar_t* name) {
    SWindow* control = host.FindChildByName(name);
    return control != nullptr ? control->GetWindowTextW() : SStringW();
}

void ShowCountHint(SHostWnd& host, bool shown) {
    if (SWindow* hint = host.FindChildByName(L"dirverdownload_chanelmax"))
        hint->SetAttribute(L"show", shown ? L"1" : L"0", FALSE);
}

void SetFolderBox(SHostWnd& host, const std::wstring& folder) {
    if (SWindow* box = host.FindChildByName(L"popwnd_set_edit_1")) {
        SStringW text;
        text.Format(L"%s", folder.c_str());
        box->SetWindowTextW(text);
    }
}

}  // namespace

CPopWndSet::CPopWndSet() : SHostDialog(L"LAYOUT:XML_POPWND_SET") {}

CPopWndSet::~CPopWndSet() = default;

BOOL CPopWndSet::_HandleEvent(EventArgs* evt) {
    static const EventRow<CPopWndSet> rows[] = {
        CommandRow<CPopWndSet>(L"btn_popwnd_set_close", [](CPopWndSet& d, EventArgs*) { d.OnOK(); }),
        CommandRow<CPopWndSet>(L"btn_popwnd_set_ok", [](CPopWndSet& d, EventArgs*) { d.OnBtnOk(); }),
        CommandRow<CPopWndSet>(L"btn_popwnd_set_cancle", [](CPopWndSet& d, EventArgs*) { d.OnOK(); }),
        CommandRow<CPopWndSet>(L"btn_popwnd_set_pathchange",
                               [](CPopWndSet& d, EventArgs*) { d.OnBtnPathChange(); }),
    };
    BOOL handled = FALSE;
    if (RunEventMap(*this, evt, rows, handled)) return handled;
    return SHostDialog::_HandleEvent(evt);
}

BOOL CPopWndSet::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result,
                                      DWORD msgMapID) {
    if (msgMapID == 0) {
        switch (msg) {
            case WM_INITDIALOG:
                result = OnInitDialog();
                return TRUE;
            case WM_DESTROY:
                result = 0;
                return TRUE;
            case WM_CLOSE:
                OnOK();
                result = 0;
                return TRUE;
            default:
                break;
        }
    }
    if (SHostDialog::ProcessWindowMessage(hWnd, msg, wParam, lParam, result, msgMapID)) return TRUE;
    BOOL handled = FALSE;
    result = ReflectNotifications(msg, wParam, lParam, handled);
    return handled;
}

// The folder box shows the parent of the download folder, since downloads
// always go into its subfolder "Driver".
BOOL CPopWndSet::OnInitDialog() {
    if (g_downLoadDir.empty()) return TRUE;
    const size_t last = g_downLoadDir.find_last_of(os::kPathSeparator);
    SetFolderBox(*this, last == std::wstring::npos ? g_downLoadDir : g_downLoadDir.substr(0, last));
    if (SWindow* count = FindChildByName(L"popwnd_set_edit_2")) {
        SStringW text;
        text.Format(L"%s", g_maxDownLoadsText.c_str());
        count->SetWindowTextW(text);
    }
    return TRUE;
}

// Starts at the download folder itself, not at the parent the box shows.
void CPopWndSet::OnBtnPathChange() {
    std::wstring folder = g_downLoadDir;
    if (BrowseFolder(m_hWnd, L"请选择驱动存储目录:", folder)) SetFolderBox(*this, folder);
}

void CPopWndSet::OnBtnOk() {
    const SStringW folder = TextOf(*this, L"popwnd_set_edit_1");
    const SStringW count = TextOf(*this, L"popwnd_set_edit_2");
    if (folder.IsEmpty()) {
        SMessageBox(nullptr, L"驱动下载目录不能为空！", L"", MB_OK, 100);
        return;
    }
    // Appended as it stands: a folder ending in a separator gets a second one.
    g_downLoadDir = std::wstring(folder.c_str()) + os::kPathSeparator + L"Driver";
    CreateDirectoryTree(*this, g_downLoadDir);
    // Stored with the count as it was: a rejected count leaves the new folder in force.
    g_driverDb.SaveSettings();
    if (!IsAcceptedCount(count)) {
        ShowCountHint(*this, true);
        return;
    }
    const std::string narrow = g_stringConverter.FromSStringW(count);
    const int32_t number = std::atoi(narrow.c_str());
    ShowCountHint(*this, false);
    g_maxDownLoads = number;
    g_maxDownLoadsText = g_stringConverter.MultiByteToWide(narrow);
    g_driverDb.SaveSettings();
    g_downLoadManager.SetMaxDownLoads(g_maxDownLoads);
    OnOK();
}
