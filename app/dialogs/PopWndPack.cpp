#include "app/dialogs/PopWndPack.h"

#include <memory>
#include <string>

#include "app/EventMap.h"
#include "app/dialogs/FileDialog.h"
#include "download/DriverDb.h"
#include "fendrel/Fendrel.h"
#include "os/ModulePath.h"
#include "soui/SControls.h"
#include "soui/SMessageBox.h"

using namespace SOUI;

namespace {

constexpr UINT_PTR kProgressTimer = 4;
constexpr UINT kProgressTimerMs = 200;
constexpr wchar_t kDisabledTextColor[] = L"#838997";

}  // namespace

CPopWndPack::CPopWndPack() : SHostDialog(L"LAYOUT:XML_POPWND_PACK") {}

// A window still open here would outlive the packer's release in WM_DESTROY,
// which only this class runs.
CPopWndPack::~CPopWndPack() {
    if (IsWindow()) DestroyWindow();
}

BOOL CPopWndPack::_HandleEvent(EventArgs* evt) {
    static const EventRow<CPopWndPack> rows[] = {
        CommandRow<CPopWndPack>(L"btn_popwnd_pack_close", [](CPopWndPack& d, EventArgs*) { d.OnBtnClose(); }),
        CommandRow<CPopWndPack>(L"btn_popwnd_pack_dir",
                                [](CPopWndPack& d, EventArgs*) { d.OnBtnSelectDir(); }),
        CommandRow<CPopWndPack>(L"btn_popwnd_pack_savepath",
                                [](CPopWndPack& d, EventArgs*) { d.OnBtnSavePath(); }),
        CommandRow<CPopWndPack>(L"btn_popwnd_pack_ok", [](CPopWndPack& d, EventArgs*) { d.OnOK(); }),
        CommandRow<CPopWndPack>(L"btn_popwnd_pack_cancle",
                                [](CPopWndPack& d, EventArgs*) { d.OnBtnCancel(); }),
        CommandRow<CPopWndPack>(L"btn_popwnd_pack_run", [](CPopWndPack& d, EventArgs*) { d.OnBtnRun(); }),
    };
    BOOL handled = FALSE;
    if (RunEventMap(*this, evt, rows, handled)) return handled;
    return SHostDialog::_HandleEvent(evt);
}

BOOL CPopWndPack::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result,
                                       DWORD msgMapID) {
    if (msgMapID == 0) {
        switch (msg) {
            case WM_INITDIALOG:
                result = OnInitDialog();
                return TRUE;
            case WM_TIMER:
                OnTimer(wParam);
                result = 0;
                return TRUE;
            case WM_DESTROY:
                OnDestroy();
                result = 0;
                return TRUE;
            case WM_CLOSE:
                // Ends at once, without the question; the packer stops in WM_DESTROY.
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

BOOL CPopWndPack::OnInitDialog() {
    progress = 0;
    packing = false;
    packError = false;
    InitDllRes();
    SetFileToIsoProgressCallBack(&CPopWndPack::PackProgressCallback, this);
    SetFileToIsoErrorCallBack(&CPopWndPack::PackErrorCallback, this);
    SetTimer(kProgressTimer, kProgressTimerMs);
    return TRUE;
}

// After the release no callback arrives, so the dialog may go.
void CPopWndPack::OnDestroy() {
    ReleaseFileToIsoDllRes();
    KillTimer(kProgressTimer);
}

int CPopWndPack::PackProgressCallback(int percent, void* context) {
    if (context != nullptr) static_cast<CPopWndPack*>(context)->progress = percent;
    return 1;
}

void CPopWndPack::PackErrorCallback(int /*code*/, void* context) {
    if (context != nullptr) static_cast<CPopWndPack*>(context)->packError = true;
}

void CPopWndPack::OnTimer(UINT_PTR id) {
    if (id != kProgressTimer) {
        SHostDialog::OnTimer(id);
        return;
    }
    if (!packing) return;
    const int32_t percent = progress;
    if (auto* bar = FindChildByName2<SProgress>(L"dirver_pack_progress")) bar->SetValue(percent);
    if (SWindow* info = FindChildByName(L"dirver_pack_pro_info")) {
        SStringW text;
        text.Format(L"%d%%", percent);
        info->SetWindowTextW(text);
    }
    // Failure is tested last, so an error seen in the same tick as 100 wins.
    const auto showResult = [this](bool succeeded) {
        if (SWindow* ok = FindChildByName(L"dirver_pack_res_info_1"))
            ok->SetAttribute(L"show", succeeded ? L"1" : L"0", FALSE);
        if (SWindow* failed = FindChildByName(L"dirver_pack_res_info_2"))
            failed->SetAttribute(L"show", succeeded ? L"0" : L"1", FALSE);
        if (SWindow* run = FindChildByName(L"btn_popwnd_pack_run")) run->SetAttribute(L"show", L"0", FALSE);
        if (SWindow* ok = FindChildByName(L"btn_popwnd_pack_ok")) ok->SetAttribute(L"show", L"1", FALSE);
        packing = false;
    };
    if (percent == 100) showResult(true);
    if (packError) showResult(false);
}

void CPopWndPack::OnBtnClose() {
    if (packing) {
        if (SMessageBox(nullptr, L"有正在打包的任务，确认退出吗？", L"", MB_OKCANCEL, 100) != IDOK) return;
        StopPackageIso();
        packing = false;
    }
    OnOK();
}

void CPopWndPack::OnBtnCancel() {
    OnBtnClose();
}

void CPopWndPack::OnBtnSelectDir() {
    std::wstring folder;
    if (!BrowseFolder(m_hWnd, L"请选择驱动文件目录:", folder)) return;
    if (SWindow* edit = FindChildByName(L"popwnd_pack_edit_1")) {
        SStringW text;
        text.Format(L"%s", folder.c_str());
        edit->SetWindowTextW(text);
    }
}

void CPopWndPack::OnBtnSavePath() {
    // Proposed afresh every time; the previous choice is not remembered.
    const std::wstring proposed = g_downLoadDir + os::kPathSeparator + L"Driver.iso";
    FileDialog dialog(false, L".iso", proposed, kFileDialogOverwritePrompt, {{L"ISO", L".iso"}});
    // Modal over the window the user works in: this one, whose button was
    // pressed. The platform's active window may be none after a nested
    // dialog has closed.
    if (dialog.Run(m_hWnd) == 0) return;
    if (dialog.fileTitle.empty()) {
        SMessageBox(nullptr, L"ISO文件名称不能为空！", L"", MB_OK, 100);
        return;
    }
    if (SWindow* edit = FindChildByName(L"popwnd_pack_edit_2")) edit->SetWindowTextW(dialog.file.c_str());
}

void CPopWndPack::OnBtnRun() {
    SWindow* sourceEdit = FindChildByName(L"popwnd_pack_edit_1");
    const SStringW source = sourceEdit != nullptr ? sourceEdit->GetWindowTextW() : SStringW();
    if (source.IsEmpty()) {
        SMessageBox(nullptr, L"ISO文件路径不能为空！", L"", MB_OK, 100);
        return;
    }
    SWindow* isoEdit = FindChildByName(L"popwnd_pack_edit_2");
    const SStringW iso = isoEdit != nullptr ? isoEdit->GetWindowTextW() : SStringW();
    if (iso.IsEmpty()) {
        SMessageBox(nullptr, L"ISO文件保存路径不能为空！", L"", MB_OK, 100);
        return;
    }
    {
        auto options = std::make_unique<PackOptions>();
        options->reserved = 0;
        StartPackageFileToIsoThread(source.c_str(), iso.c_str(), options.get());
    }
    if (SWindow* info = FindChildByName(L"dirver_pack_pro_info")) info->SetAttribute(L"show", L"1", FALSE);
    if (SWindow* run = FindChildByName(L"btn_popwnd_pack_run")) run->EnableWindow(FALSE, TRUE);
    for (const wchar_t* name : {L"btn_popwnd_pack_dir", L"btn_popwnd_pack_savepath"}) {
        if (SWindow* button = FindChildByName(name)) {
            button->EnableWindow(FALSE, TRUE);
            button->SetAttribute(L"colorText", kDisabledTextColor, FALSE);
        }
    }
    packing = true;
}
