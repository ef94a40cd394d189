#include "app/dropdown/SearchDropdownListBase.h"

#include <cwchar>

#include "app/dropdown/DropdownEvents.h"
#include "app/dropdown/DropdownList.h"
#include "soui/SNativeWnd.h"
#include "soui/SScreenApi.h"
#include "soui/SystemApi.h"

using namespace SOUI;

template <class Popup, class FillEvent, class SelectedEvent>
TSearchDropdownList<Popup, FillEvent, SelectedEvent>::TSearchDropdownList(const char* popupNode)
    : popupNode_(popupNode) {
    GetEventSet()->addEvent(EVT_FILL_SEARCH_DROPDOWN_LIST, FillEvent::GetClassName());
    GetEventSet()->addEvent(EVT_DROPDOWN_LIST_SELECTED, SelectedEvent::GetClassName());
}

template <class Popup, class FillEvent, class SelectedEvent>
TSearchDropdownList<Popup, FillEvent, SelectedEvent>::~TSearchDropdownList() {
    if (popup == nullptr) return;
    Popup* ending = popup;
    if (SListView* list = ending->GetListView()) list->SetOwner(nullptr);
    if (ending->IsWindow()) {
        // Tells OnDestroyDropDown (no selection: IDCANCEL); the popup deletes
        // itself once the current message is done.
        ending->EndDropDown(IDCANCEL);
    } else {
        // It never got a window, so nothing else would delete it.
        delete ending;
    }
    popup = nullptr;
}

template <class Popup, class FillEvent, class SelectedEvent>
void TSearchDropdownList<Popup, FillEvent, SelectedEvent>::CreatePopup() {
    popup = new Popup(this);
    popup->CreateDropDownWindow(popupLayout.child(popupNode_));
}

template <class Popup, class FillEvent, class SelectedEvent>
BOOL TSearchDropdownList<Popup, FillEvent, SelectedEvent>::FillDropDown() {
    FillEvent evt(this);
    evt.keyText = keyText;
    evt.dropDown = popup;
    evt.showDropDown = false;
    FireEvent(&evt);
    if (evt.showDropDown)
        PlaceDropDown();
    else
        CloseDropDown(IDCANCEL);
    return TRUE;
}

template <class Popup, class FillEvent, class SelectedEvent>
void TSearchDropdownList<Popup, FillEvent, SelectedEvent>::PlaceDropDown() {
    ISwndContainer* container = GetContainer();
    SNativeWnd* host = container ? SNativeWnd::FromHandle(container->GetHostHwnd()) : nullptr;
    if (popup == nullptr || host == nullptr) return;
    const CRect onHost = container->FrameToHost(GetWindowRect());
    CPoint topLeft = onHost.TopLeft();
    CPoint bottomRight = onHost.BottomRight();
    host->ClientToScreen(&topLeft);
    host->ClientToScreen(&bottomRight);

    CRect bounds(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    MONITORINFO info;
    if (HMONITOR monitor = MonitorFromWindow(host->m_hWnd, MONITOR_DEFAULTTONULL);
        monitor && GetMonitorInfoW(monitor, &info)) {
        bounds = info.rcMonitor;
    }

    CSize size = popup->CalcDropDownSize();
    if (size.cy > maxDropHeight) size.cy = maxDropHeight;
    if (size.cy < 0) size.cy = 0;  // a negative cap means no room at all
    const int left = dropAlign ? bottomRight.x - size.cx : topLeft.x;
    const int top = bottomRight.y + size.cy > bounds.bottom ? topLeft.y - size.cy : bottomRight.y;
    popup->SetWindowPos(HWND_TOPMOST, left, top, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (popup->IsWindow()) SetCapture(popup->m_hWnd);
}

template <class Popup, class FillEvent, class SelectedEvent>
void TSearchDropdownList<Popup, FillEvent, SelectedEvent>::CloseDropDown(int exitCode) {
    if (popup) popup->EndDropDown(exitCode);
}

template <class Popup, class FillEvent, class SelectedEvent>
HRESULT TSearchDropdownList<Popup, FillEvent, SelectedEvent>::SetAttribute(const std::wstring& name,
                                                                           const std::wstring& value,
                                                                           BOOL loading) {
    int32_t* field = nullptr;
    if (::wcscasecmp(name.c_str(), L"dropAlign") == 0)
        field = &dropAlign;
    else if (::wcscasecmp(name.c_str(), L"maxDropHeight") == 0)
        field = &maxDropHeight;
    if (field == nullptr) return SWindow::SetAttribute(name, value, loading);
    int number = 0;
    StrToIntExW(value.c_str(), STIF_SUPPORTHEX, &number);  // leaves 0 when it is no number
    *field = number;
    return AfterAttribute(name, value, loading, S_FALSE);
}

template <class Popup, class FillEvent, class SelectedEvent>
BOOL TSearchDropdownList<Popup, FillEvent, SelectedEvent>::CreateChildren(SXmlNode node) {
    if (!SWindow::CreateChildren(node)) return FALSE;
    KeepPopupLayout(node);
    return TRUE;
}

template <class Popup, class FillEvent, class SelectedEvent>
void TSearchDropdownList<Popup, FillEvent, SelectedEvent>::KeepPopupLayout(SXmlNode node) {
    popupLayout.append_copy(node.child(popupNode_));
}

template <class Popup, class FillEvent, class SelectedEvent>
BOOL TSearchDropdownList<Popup, FillEvent, SelectedEvent>::FireEvent(EventArgs* evt) {
    if (evt->GetID() == EVT_CMD && evt->nameFrom == Popup::kListName) {
        CloseDropDown(IDOK);
        return TRUE;
    }
    return SWindow::FireEvent(evt);
}

template <class Popup, class FillEvent, class SelectedEvent>
void TSearchDropdownList<Popup, FillEvent, SelectedEvent>::OnDestroyDropDown(SDropDownWnd* dropDown) {
    auto* ended = static_cast<Popup*>(dropDown);
    // Forgotten before the event: its handler may open the next popup, or end this box.
    if (popup == ended) popup = nullptr;
    if (ended->GetExitCode() != IDOK) return;
    SelectedEvent evt(this);
    evt.dropDown = ended;
    evt.selectedIndex = ended->GetSelectedIndex();
    FireEvent(&evt);
}

template class TSearchDropdownList<SDropdownList, EventFillSearchDropdownList, EventDropdownListSelected>;
template class TSearchDropdownList<SDropdownList_1, EventFillSearchDropdownList_1,
                                   EventDropdownListSelected_1>;
