#include "LoopInternals.h"
#include "soui/SHostWnd.h"
#include "soui/SystemApi.h"

namespace SOUI {

struct SHostDialog::Modal {
    detail::LoopFrame* frame = nullptr;
    bool ended = false;
    int code = IDCANCEL;
};

SHostDialog::SHostDialog(LPCWSTR layoutId) : SHostWnd(layoutId), modal_(std::make_unique<Modal>()) {}

SHostDialog::~SHostDialog() = default;

int SHostDialog::DoModal(HWND parent) {
    if (parent == nullptr) parent = GetActiveWindow();
    if (!Create(parent)) return -1;
    modal_->ended = false;
    modal_->code = IDCANCEL;
    SendMessageW(WM_INITDIALOG, 0, 0);
    if (!modal_->ended && IsWindow()) {
        SNativeWnd* owner = SNativeWnd::FromHandle(parent);
        const BOOL ownerWasEnabled = owner ? owner->IsWindowEnabled() : FALSE;
        if (owner) owner->EnableWindow(FALSE);
        ShowWindow(SW_SHOWNORMAL);
        detail::LoopFrame frame;
        modal_->frame = &frame;
        detail::RunLoopFrame(frame);
        modal_->frame = nullptr;
        if (owner && SOUI::IsWindow(parent) && ownerWasEnabled) owner->EnableWindow(TRUE);
        if (frame.quit) {
            // The program is ending: the dialog is cancelled and the outer loop
            // gets the quit message as well.
            modal_->code = IDCANCEL;
            PostQuitMessage(frame.code);
        }
    }
    DestroyWindow();
    return modal_->code;
}

void SHostDialog::EndDialog(int code) {
    modal_->code = code;
    modal_->ended = true;
    if (modal_->frame) detail::ExitLoopFrame(*modal_->frame, code);
}

BOOL SHostDialog::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result,
                                       DWORD msgMapID) {
    if (msg == WM_CLOSE) {
        // A dialog ends its modal loop; the loop's end destroys the window.
        OnCancel();
        result = 0;
        return TRUE;
    }
    return SHostWnd::ProcessWindowMessage(hWnd, msg, wParam, lParam, result, msgMapID);
}

}  // namespace SOUI
