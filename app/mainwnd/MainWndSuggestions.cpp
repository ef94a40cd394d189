// Suggestions under the query box and the operating-system choice of the
// driver list page.
#include "app/ProgramGlobals.h"
#include "app/dropdown/DriverFindOsDropBoxListViewAdapter.h"
#include "app/dropdown/DriverSearchAdapter.h"
#include "app/dropdown/DropdownEvents.h"
#include "app/dropdown/DropdownList.h"
#include "app/dropdown/SearchDropdownList.h"
#include "app/dropdown/SearchDropdownList_1.h"
#include "app/mainwnd/MainWnd.h"
#include "download/DownLoadCounters.h"
#include "download/StringConverter.h"
#include "driverinfo/DriverInfoApi.h"
#include "soui/SMessageBox.h"

using namespace SOUI;

namespace {

// The list view of a drop-down popup, or null.
template <class Popup>
SListView* PopupList(Popup* popup, const wchar_t* name) {
    return popup == nullptr ? nullptr : popup->template FindChildByName2<SListView>(name);
}

}  // namespace

void CMainWnd::OnFillQuerySuggest(EventArgs* evt) {
    auto* fill = dynamic_cast<EventFillSearchDropdownList_1*>(evt);
    if (fill == nullptr || fill->keyText.GetLength() < 2 || g_networkState == -1) return;
    const std::string key = g_stringConverter.FromSStringW(fill->keyText);
    TreeNodeResult* result = nullptr;
    if (!DriverInfo_QuerySuggest(&result, key.c_str(), static_cast<int>(key.size())) || result == nullptr)
        return;
    SListView* list = PopupList(fill->dropDown, SDropdownList_1::kListName);
    if (list == nullptr) return;
    suggestListView = list;
    SAutoRefPtr<SDriverSearchAdapter> adapter;
    adapter.Attach(new SDriverSearchAdapter(this));
    for (const std::string& name : result->names) adapter->AddItem({g_stringConverter.ToSStringW(name)});
    list->SetAdapter(adapter);
    list->SetSel(0, FALSE);
    if (!result->names.empty()) fill->showDropDown = true;
}

void CMainWnd::OnQuerySuggestSelected(EventArgs* evt) {
    auto* selected = dynamic_cast<EventDropdownListSelected_1*>(evt);
    if (selected == nullptr || selected->selectedIndex == -1 || suggestListView == nullptr) return;
    auto* adapter = dynamic_cast<SDriverSearchAdapter*>(suggestListView->GetAdapter());
    if (adapter == nullptr) return;
    const SStringW text = adapter->GetItem(selected->selectedIndex).name;
    // The picked name counts as already reported: it must not open the list
    // again a moment later, over the button the user reaches for next.
    if (auto* box = FindChildByName2<SSearchDropdownList_1>(L"query_suggest_list")) box->keyText = text;
    if (SWindow* edit = FindChildByName(L"edit_input_1")) {
        edit->SetWindowTextW(text);
        edit->KillFocus();
    }
}

void CMainWnd::OnBtnOsDropdown() {
    if (g_activeDownLoads > 0 &&
        SMessageBox(nullptr, L"有正在下载的任务，切换系统将导致下载结束!", L"", MB_OKCANCEL, 100) != IDOK)
        return;
    if (osChoices.empty()) return;
    if (auto* box = FindChildByName2<SSearchDropdownList>(L"os_suggest_list")) box->ShowDropDown();
}

void CMainWnd::OnFillOsDropdown(EventArgs* evt) {
    auto* fill = dynamic_cast<EventFillSearchDropdownList*>(evt);
    if (fill == nullptr) return;
    SListView* list = PopupList(fill->dropDown, SDropdownList::kListName);
    if (list == nullptr) return;
    SAutoRefPtr<CDriverFind_Os_DropBoxListViewAdapter> adapter;
    adapter.Attach(new CDriverFind_Os_DropBoxListViewAdapter(this));
    for (const OsChoiceItem& choice : osChoices) adapter->AddItem(choice);
    list->SetAdapter(adapter);
    list->SetSel(0, FALSE);
    if (!osChoices.empty()) fill->showDropDown = true;
}

void CMainWnd::OnOsSelected(EventArgs* evt) {
    auto* selected = dynamic_cast<EventDropdownListSelected*>(evt);
    if (selected == nullptr) return;
    SListView* list = PopupList(selected->dropDown, SDropdownList::kListName);
    auto* adapter =
        list == nullptr ? nullptr : dynamic_cast<CDriverFind_Os_DropBoxListViewAdapter*>(list->GetAdapter());
    if (adapter == nullptr || selected->selectedIndex == -1) return;
    const OsChoiceItem choice = adapter->GetItem(selected->selectedIndex);
    if (SWindow* box = FindChildByName(L"os_select_edit_input")) box->SetWindowTextW(choice.name);
    currentOsId = choice.osId;
    g_defaultOsName = choice.name;
    const std::string key = g_stringConverter.FromSStringW(queryKey);
    SearchResult* result = nullptr;
    if (!DriverInfo_QueryBy_DevName(&result, key.c_str(), static_cast<int>(key.size()), currentOsId) ||
        result == nullptr)
        return;
    g_startedDownLoads = 0;
    g_completedDownLoads = 0;
    if (SWindow* allChoose = FindChildByName(L"btn_allchoose")) allChoose->SetCheck(FALSE);
    FillDriverList(*result, g_stringConverter.FromSStringW(g_defaultOsName));
}
