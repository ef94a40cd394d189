#include "app/DriverDownLoadFindAdapter.h"

#include "app/MainWnd.h"

using namespace SOUI;

CDriverDownLoad_Find_Adapter::CDriverDownLoad_Find_Adapter(CMainWnd* owner) : owner(owner) {}

int CDriverDownLoad_Find_Adapter::getCount() {
    return static_cast<int>(items.size());
}

int CDriverDownLoad_Find_Adapter::getViewTypeCount() {
    return 2;
}

// Drawing an item comes with the driver list.
void CDriverDownLoad_Find_Adapter::getView(int /*position*/, SItemPanel* /*pItem*/,
                                           SXmlNode /*xmlTemplate*/) {}

bool CDriverDownLoad_Find_Adapter::AddTask(DriverTask task) {
    items.push_back(std::move(task));
    return true;
}

bool CDriverDownLoad_Find_Adapter::Clear() {
    items.clear();
    return true;
}

bool CDriverDownLoad_Find_Adapter::SetAllChecked(bool checked) {
    for (DriverTask& task : items) task.checked = checked;
    return true;
}

bool CDriverDownLoad_Find_Adapter::CollectCheckedTasks(std::vector<DriverTask>& tasks) {
    bool any = false;
    for (const DriverTask& task : items) {
        if (!task.checked || task.state != TASK_NOT_STARTED) continue;
        tasks.push_back(task);
        any = true;
    }
    return any;
}

bool CDriverDownLoad_Find_Adapter::UpdateTask(int index, DriverTask task) {
    if (index < 0 || index >= getCount()) return true;
    DriverTask& item = items[static_cast<size_t>(index)];
    if (item.id != task.id) return true;
    item.stoppedByUser = task.stoppedByUser;
    item.paused = task.paused;
    item.progress = task.progress;
    item.state = task.state;
    item.speedText = task.speedText;
    return true;
}

SStringW CDriverDownLoad_Find_Adapter::GetColumnTemplateName(int /*column*/) {
    return L"col_nick_1";
}
