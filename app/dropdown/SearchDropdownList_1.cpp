#include "app/dropdown/SearchDropdownList_1.h"

#include <string>

#include "soui/SystemApi.h"

using namespace SOUI;

namespace {

constexpr const wchar_t* kEditName = L"edit_input_1";
// A fill comes on the tick after this many quiet ticks...
constexpr int32_t kQuietTicks = 15;
// ...and not before this many ticks after the previous fill have passed.
constexpr int32_t kCoolTicks = 50;

}  // namespace

SSearchDropdownList_1::SSearchDropdownList_1() : TSearchDropdownList("popupStyle_1") {}

SSearchDropdownList_1::~SSearchDropdownList_1() {
    KillTimer2(kTypingTimer);
}

BOOL SSearchDropdownList_1::ShowDropDown() {
    return FillDropDown();
}

BOOL SSearchDropdownList_1::CreateChildren(SXmlNode node) {
    if (!SWindow::CreateChildren(node)) return FALSE;
    auto* edit = FindChildByName2<SEdit>(kEditName);
    if (edit == nullptr) {
        OutputDebugStringW((L"search box \"" + GetName() + L"\" has no edit \"" + kEditName + L"\"").c_str());
        return FALSE;
    }
    edit->SSendMessage(EM_SETEVENTMASK, 0, ENM_CHANGE);
    edit->GetEventSet()->subscribeEvent(EVT_RE_NOTIFY, &SSearchDropdownList_1::OnEditChange, this);
    KeepPopupLayout(node);
    return TRUE;
}

bool SSearchDropdownList_1::OnEditChange(EventRENotify* evt) {
    if (evt->iNotify != EN_CHANGE) return true;
    if (popup == nullptr) CreatePopup();
    if (!timerStarted) {
        timerStarted = true;
        SetTimer2(kTypingTimer, kTickMs);
    }
    auto* edit = dynamic_cast<SWindow*>(evt->sender);
    const SStringW text = edit ? edit->GetWindowTextW() : SStringW();
    if (!(text == keyText) && popup) {
        keyText = text;
        pending = true;
        quietTicks = 0;
    }
    return true;
}

void SSearchDropdownList_1::OnDebounceTimer(UINT_PTR id) {
    if (id != kTypingTimer) {
        SetMsgHandled(FALSE);
        return;
    }
    if (pending) {
        ++quietTicks;
        if (quietTicks > kQuietTicks && !cooling) {
            coolTicks = 0;
            pending = false;
            cooling = true;
            // A box whose page the user has left (the query went on to the
            // list page) asks for nothing: its list would open over another
            // page and swallow the next click there.
            if (popup && IsVisible(TRUE))
                ShowDropDown();
            else if (popup)
                CloseDropDown(IDCANCEL);
        }
    }
    if (cooling && ++coolTicks > kCoolTicks) cooling = false;
}

BOOL SSearchDropdownList_1::ProcessSwndMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == UM_SWNDTIMER) {
        SetMsgHandled(TRUE);
        OnDebounceTimer(wParam & 0xFF);
        if (IsMsgHandled()) {
            result = 0;
            return TRUE;
        }
    }
    return SWindow::ProcessSwndMessage(msg, wParam, lParam, result);
}
