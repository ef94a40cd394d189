#include "app/mainwnd/DriverDownLoadFindAdapter.h"

#include <algorithm>

#include "app/mainwnd/MainWnd.h"
#include "soui/SControls.h"

using namespace SOUI;

namespace {

// Pages of the item's operation tab, one per download state.
enum ItemPage {
    kPageNotStarted = 0,
    kPageWaiting = 1,
    kPageDownloading = 2,
    kPagePaused = 3,
    kPageCompleted = 4,
    kPageFailed = 5,
};

void SetText(SItemPanel* item, const wchar_t* name, const SStringW& text) {
    if (SWindow* wnd = item->FindChildByName(name)) wnd->SetWindowTextW(text);
}

void SetPage(SItemPanel* item, int page) {
    if (auto* tab = item->FindChildByName2<STabCtrl>(L"dirverfind_download_operation")) tab->SetCurSel(page);
}

void SetProgress(SItemPanel* item, int value) {
    if (auto* bar = item->FindChildByName2<SProgress>(L"pro_driverfind_download")) bar->SetValue(value);
}

// The item window that holds the control which raised the event.
SItemPanel* ItemOf(EventArgs* evt) {
    auto* sender = dynamic_cast<SWindow*>(evt->sender);
    return sender != nullptr ? dynamic_cast<SItemPanel*>(sender->GetRoot()) : nullptr;
}

}  // namespace

CDriverDownLoad_Find_Adapter::CDriverDownLoad_Find_Adapter(CMainWnd* owner) : owner(owner) {}

int CDriverDownLoad_Find_Adapter::getCount() {
    return static_cast<int>(items.size());
}

int CDriverDownLoad_Find_Adapter::getViewTypeCount() {
    return 2;
}

void CDriverDownLoad_Find_Adapter::getView(int position, SItemPanel* pItem, SXmlNode xmlTemplate) {
    if (pItem->GetChildrenCount() == 0) pItem->InitFromXml(xmlTemplate);
    if (items.empty() || position < 0) return;
    // Copied: the forced check below writes into items through the handler.
    const DriverTask task = items[static_cast<size_t>(position) % items.size()];

    if (SWindow* box = pItem->FindChildByName(L"dirverfind_download_item_check")) {
        box->GetEventSet()->subscribeEvent(EVT_STATECHANGED,
                                           &CDriverDownLoad_Find_Adapter::OnItemCheckChanged, this);
        // Drawing the stored flag is no user's click.
        box->GetEventSet()->setMutedState(TRUE);
        box->SetCheck(task.checked ? TRUE : FALSE);
        box->GetEventSet()->setMutedState(FALSE);
    }
    // An empty skin name keeps whatever icon the reused item window shows.
    if (!task.iconSkin.IsEmpty()) {
        if (SWindow* icon = pItem->FindChildByName(L"driver_item_icon_download"))
            icon->SetAttribute(L"skin", task.iconSkin.c_str(), FALSE);
    }
    SetText(pItem, L"driverfind_item_text1", SStringW(L"驱动类型：") + task.category);
    SetText(pItem, L"driverfind_item_text2", SStringW(L"驱动名称：") + task.name);
    SetText(pItem, L"driverfind_item_text3", SStringW(L"驱动版本：") + task.version);
    SetText(pItem, L"driverfind_item_text4", SStringW(L"驱动大小：") + task.sizeText);
    ShowState(pItem, task);
}

void CDriverDownLoad_Find_Adapter::ShowState(SItemPanel* item, const DriverTask& task) {
    SWindow* box = item->FindChildByName(L"dirverfind_download_item_check");
    // A task handed to the download side stays ticked and cannot be unticked.
    // This check is not muted: it reaches OnItemCheckChanged like a click.
    auto lockChecked = [box] {
        if (box == nullptr) return;
        box->EnableWindow(FALSE);
        box->SetCheck(TRUE);
    };
    switch (task.state) {
        case TASK_DOWNLOADING:
            SetPage(item, task.paused ? kPagePaused : kPageDownloading);
            lockChecked();
            SetProgress(item, task.progress);
            if (task.paused) {
                SetText(item, L"text_item_download_speed_2", L"0B/S");
                BindButton(item, L"dirverfind_download_item_btn_run",
                           &CDriverDownLoad_Find_Adapter::OnBtnRun);
                BindButton(item, L"dirverfind_download_item_btn_close_4",
                           &CDriverDownLoad_Find_Adapter::OnBtnClose);
            } else {
                SetText(item, L"text_item_download_speed", task.speedText);
                BindButton(item, L"dirverfind_download_item_btn_pause",
                           &CDriverDownLoad_Find_Adapter::OnBtnPause);
                BindButton(item, L"dirverfind_download_item_btn_close_3",
                           &CDriverDownLoad_Find_Adapter::OnBtnClose);
            }
            break;
        case TASK_NOT_STARTED:
            SetPage(item, kPageNotStarted);
            if (box != nullptr) box->EnableWindow(TRUE);
            SetProgress(item, 0);
            BindButton(item, L"dirverfind_download_item_btn_st", &CDriverDownLoad_Find_Adapter::OnBtnStart);
            break;
        case TASK_WAITING:
            SetPage(item, kPageWaiting);
            lockChecked();
            SetProgress(item, 0);
            SetText(item, L"dirverfind_download_item_text_info", L"等待下载");
            break;
        case TASK_FAILED:
            SetPage(item, kPageFailed);
            if (box != nullptr) box->EnableWindow(TRUE);
            SetProgress(item, 0);
            BindButton(item, L"dirverfind_download_item_btn_retry",
                       &CDriverDownLoad_Find_Adapter::OnBtnRetry);
            break;
        case TASK_COMPLETED:
            SetPage(item, kPageCompleted);
            lockChecked();
            SetProgress(item, 100);
            BindButton(item, L"dirverfind_download_item_btn_complete",
                       &CDriverDownLoad_Find_Adapter::OnBtnComplete);
            break;
        default:
            break;
    }
}

void CDriverDownLoad_Find_Adapter::BindButton(SItemPanel* item, const wchar_t* name,
                                              bool (CDriverDownLoad_Find_Adapter::*handler)(EventArgs*)) {
    // Repeated on every reuse of the item window; the event set keeps one
    // subscription per handler.
    if (SWindow* button = item->FindChildByName(name))
        button->GetEventSet()->subscribeEvent(EVT_CMD, handler, this);
}

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

bool CDriverDownLoad_Find_Adapter::OnItemCheckChanged(EventSwndStateChanged* evt) {
    if (!evt->CheckState(WndState_Check)) return false;
    SItemPanel* item = ItemOf(evt);
    auto* box = dynamic_cast<SWindow*>(evt->sender);
    const int index = item != nullptr ? item->GetItemIndex() : -1;
    if (index < 0 || index >= getCount()) return false;
    items[static_cast<size_t>(index)].checked = box->IsChecked() != FALSE;
    const auto checkedCount =
        std::count_if(items.begin(), items.end(), [](const DriverTask& t) { return t.checked; });
    if (owner != nullptr) owner->SetAllChooseState(checkedCount == getCount() && checkedCount > 0);
    return true;
}

bool CDriverDownLoad_Find_Adapter::RunItemAction(EventArgs* evt, ItemAction action) {
    SItemPanel* item = ItemOf(evt);
    const int index = item != nullptr ? item->GetItemIndex() : -1;
    if (index < 0 || index >= getCount()) return true;
    DriverTask task = items[static_cast<size_t>(index)];
    if (owner != nullptr) (owner->*action)(std::move(task));
    return true;
}

bool CDriverDownLoad_Find_Adapter::OnBtnStart(EventArgs* evt) {
    return RunItemAction(evt, &CMainWnd::StartItemDownload);
}

bool CDriverDownLoad_Find_Adapter::OnBtnRetry(EventArgs* evt) {
    return RunItemAction(evt, &CMainWnd::RetryItemDownload);
}

bool CDriverDownLoad_Find_Adapter::OnBtnClose(EventArgs* evt) {
    return RunItemAction(evt, &CMainWnd::StopItemDownload);
}

bool CDriverDownLoad_Find_Adapter::OnBtnRun(EventArgs* evt) {
    return RunItemAction(evt, &CMainWnd::ResumeItemDownload);
}

bool CDriverDownLoad_Find_Adapter::OnBtnPause(EventArgs* evt) {
    return RunItemAction(evt, &CMainWnd::PauseItemDownload);
}

bool CDriverDownLoad_Find_Adapter::OnBtnComplete(EventArgs* evt) {
    return RunItemAction(evt, &CMainWnd::OpenDownloadFolder);
}
