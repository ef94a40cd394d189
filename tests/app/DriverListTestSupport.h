#pragma once
// What the query, driver-list and select-all tests share: typing a query and
// pressing the button as a user does, and reading back what the list holds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/mainwnd/DriverDownLoadFindAdapter.h"
#include "app/mainwnd/MainWnd.h"
#include "download/DriverTaskList.h"
#include "soui/SControls.h"
#include "soui/STestApi.h"
#include "soui/SWidgetTestApi.h"

namespace apptest {

inline CDriverDownLoad_Find_Adapter* ListAdapter(CMainWnd& wnd) {
    return wnd.DownloadListAdapter();
}

inline std::wstring TextOf(SOUI::SWindow* wnd) {
    return wnd != nullptr ? std::wstring(wnd->GetWindowTextW().c_str()) : std::wstring(L"<missing>");
}

inline std::wstring TextOf(CMainWnd& wnd, const wchar_t* name) {
    return TextOf(wnd.FindChildByName(name));
}

inline int CurrentPage(CMainWnd& wnd) {
    auto* tab = wnd.FindChildByName2<SOUI::STabCtrl>(L"tab_main_op");
    return tab != nullptr ? tab->GetCurSel() : -1;
}

inline void ShowPage(CMainWnd& wnd, int page) {
    auto* tab = wnd.FindChildByName2<SOUI::STabCtrl>(L"tab_main_op");
    ASSERT_NE(tab, nullptr);
    tab->SetCurSel(page);
}

// The query as a user makes it: the text into the query box, then a click on
// "btn_driver_query" (page 0 is shown first). The click returns once the
// window has handled it, the service's answer included.
inline void Query(CMainWnd& wnd, const std::wstring& text) {
    ShowPage(wnd, 0);
    SOUI::SWindow* input = wnd.FindChildByName(L"edit_input_1");
    ASSERT_NE(input, nullptr) << "the query box";
    input->SetWindowTextW(text.c_str());
    ASSERT_TRUE(SOUI::test::Click(wnd, L"btn_driver_query"));
}

// Copies of every listed task in list order, read through the adapter's own
// operations; only for a freshly filled list (all unchecked, none started).
inline std::vector<DriverTask> ListedTasks(CMainWnd& wnd) {
    std::vector<DriverTask> tasks;
    CDriverDownLoad_Find_Adapter* adapter = ListAdapter(wnd);
    if (adapter == nullptr) return tasks;
    adapter->SetAllChecked(true);
    adapter->CollectCheckedTasks(tasks);
    adapter->SetAllChecked(false);
    return tasks;
}

// The item window showing a position, after the list has laid its items out.
inline SOUI::SItemPanel* ShownItem(CMainWnd& wnd, int position) {
    return wnd.driverListView != nullptr ? wnd.driverListView->GetItemPanel(position) : nullptr;
}

}  // namespace apptest
