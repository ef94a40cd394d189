#pragma once
// The adapter of the driver list "listview_driver_download_find": its own
// copies of the listed tasks, in the order of g_driverTaskList. Each item
// shows the page of its task's download state; its buttons call the main
// window's download actions.
#include <vector>

#include "download/DriverTask.h"
#include "soui/SListView.h"

class CMainWnd;

class CDriverDownLoad_Find_Adapter : public SOUI::SAdapterBase {
public:
    explicit CDriverDownLoad_Find_Adapter(CMainWnd* owner);

    int getCount() override;
    void getView(int position, SOUI::SItemPanel* pItem, SOUI::SXmlNode xmlTemplate) override;
    int getViewTypeCount() override;

    bool AddTask(DriverTask task);
    bool Clear();
    bool SetAllChecked(bool checked);
    bool CollectCheckedTasks(std::vector<DriverTask>& tasks);
    bool UpdateTask(int index, DriverTask task);
    // The listed tasks, in list order.
    const std::vector<DriverTask>& Tasks() const { return items; }
    SOUI::SStringW GetColumnTemplateName(int column);

    // Handlers bound to the controls of each item.
    bool OnItemCheckChanged(SOUI::EventSwndStateChanged* evt);
    bool OnBtnStart(SOUI::EventArgs* evt);
    bool OnBtnRetry(SOUI::EventArgs* evt);
    bool OnBtnClose(SOUI::EventArgs* evt);
    bool OnBtnRun(SOUI::EventArgs* evt);
    bool OnBtnPause(SOUI::EventArgs* evt);
    bool OnBtnComplete(SOUI::EventArgs* evt);

private:
    using ItemAction = bool (CMainWnd::*)(DriverTask);
    void ShowState(SOUI::SItemPanel* item, const DriverTask& task);
    void BindButton(SOUI::SItemPanel* item, const wchar_t* name,
                    bool (CDriverDownLoad_Find_Adapter::*handler)(SOUI::EventArgs*));
    bool RunItemAction(SOUI::EventArgs* evt, ItemAction action);

    CMainWnd* owner;
    std::vector<DriverTask> items;
};
