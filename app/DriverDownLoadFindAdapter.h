#pragma once
// The adapter of the driver list "listview_driver_download_find": its own
// copies of the listed tasks, in the order of g_driverTaskList.
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
    SOUI::SStringW GetColumnTemplateName(int column);

private:
    CMainWnd* owner;
    std::vector<DriverTask> items;
};
