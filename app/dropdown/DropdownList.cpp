#include "app/dropdown/DropdownList.h"

#include <string>

#include "soui/SystemApi.h"

using namespace SOUI;

template <class Interface>
TDropdownList<Interface>::TDropdownList(ISDropDownOwner* owner, const wchar_t* listName)
    : SDropDownWnd(owner), listName_(listName) {}

template <class Interface>
BOOL TDropdownList<Interface>::CreateDropDownWindow(SXmlNode node) {
    ISDropDownOwner* owner = GetOwnerOfDropDown();
    SWindow* ownerWnd = owner->GetDropDownOwner();
    ISwndContainer* container = ownerWnd->GetContainer();
    const HWND parent = container ? container->GetHostHwnd() : nullptr;
    if (!CreateEx(parent, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 0, 0, 0, 0)) return FALSE;
    owner->OnCreateDropDown(this);
    if (!node) return TRUE;
    InitFromXml(node);
    listView_ = FindChildByName2<SListView>(listName_);
    if (listView_ == nullptr) {
        // The owner's fill handler will find nothing to fill: say why.
        OutputDebugStringW((L"drop-down layout \"" + std::wstring(ownerWnd->GetName()) +
                            L"\" has no list view \"" + listName_ + L"\"")
                               .c_str());
        return TRUE;
    }
    listView_->SetOwner(ownerWnd);
    listView_->SetFocus();
    return TRUE;
}

template <class Interface>
CSize TDropdownList<Interface>::CalcDropDownSize() {
    const CRect owner = GetOwnerOfDropDown()->GetDropDownOwner()->GetWindowRect();
    const int items = listView_ ? listView_->GetItemLocator()->GetTotalHeight() : 0;
    // Room for the one-pixel margin of the popup's root above and below.
    return CSize(owner.Width(), items + 2);
}

template <class Interface>
int TDropdownList<Interface>::GetSelectedIndex() const {
    return listView_ ? listView_->GetSel() : -1;
}

template <class Interface>
BOOL TDropdownList<Interface>::PreTranslateMessage(MSG* msg) {
    if (SDropDownWnd::PreTranslateMessage(msg)) return TRUE;
    // A popup that is not shown yet (waiting for its fill) leaves the keys alone.
    if (!IsWindowVisible()) return FALSE;
    const bool key = msg->message == WM_KEYDOWN || msg->message == WM_KEYUP;
    const bool listKey = key && (msg->wParam == VK_UP || msg->wParam == VK_DOWN || msg->wParam == VK_RETURN ||
                                 msg->wParam == VK_ESCAPE);
    if (msg->message != WM_MOUSEWHEEL && !listKey) return FALSE;
    // The popup's focused child is its list view.
    SendMessageW(msg->message, msg->wParam, msg->lParam);
    return TRUE;
}

template class TDropdownList<IDropdownList>;
template class TDropdownList<IDropdownList_1>;
