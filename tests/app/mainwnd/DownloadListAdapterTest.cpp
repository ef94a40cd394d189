// The items of the driver list as drawn for each download state, their check
// boxes and buttons, on the real list of the main window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "download/DownLoadCounters.h"
#include "download/DownLoadEvent.h"
#include "download/EventQueue.h"
#include "tests/app/DriverListTestSupport.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/ShotFolder.h"
#include "tests/support/TempFolder.h"

using namespace SOUI;

namespace apptest {
namespace {

using Handler = bool (CDriverDownLoad_Find_Adapter::*)(EventArgs*);

class DownloadListAdapterTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Query(Wnd(), L"Corran S13");
        tasks = ListedTasks(Wnd());
        ASSERT_EQ(tasks.size(), 7u);
        adapter = ListAdapter(Wnd());
    }
    void TearDown() override {
        g_activeDownLoads = 0;
        MainWindowTest::TearDown();
    }

    // What the queue drain hands the adapter for a changed task.
    void ShowState(int position, int32_t state, bool paused = false, int32_t progress = 0,
                   const wchar_t* speed = L"", bool stopped = false) {
        DriverTask change = tasks[static_cast<size_t>(position)];
        change.state = state;
        change.paused = paused;
        change.progress = progress;
        change.speedText = speed;
        change.stoppedByUser = stopped;
        adapter->UpdateTask(position, change);
        adapter->notifyDataSetChanged();
    }

    SItemPanel* Item(int position) {
        Wnd().driverListView->EnsureVisible(position);
        return ShownItem(Wnd(), position);
    }

    int Page(int position) {
        auto* tab = Item(position)->FindChildByName2<STabCtrl>(L"dirverfind_download_operation");
        return tab != nullptr ? tab->GetCurSel() : -1;
    }

    SWindow* Box(int position) { return Item(position)->FindChildByName(L"dirverfind_download_item_check"); }

    // The button is bound to that handler and to nothing else.
    ::testing::AssertionResult BoundTo(SItemPanel* item, const wchar_t* name, Handler handler) {
        SWindow* button = item->FindChildByName(name);
        if (button == nullptr) return ::testing::AssertionFailure() << "no button";
        SEventSet* events = button->GetEventSet();
        if (events->subscriberCount(EVT_CMD) != 1)
            return ::testing::AssertionFailure() << events->subscriberCount(EVT_CMD) << " subscriptions";
        // An equal handler is kept once: the count stays 1 only for the same one.
        events->subscribeEvent(EVT_CMD, handler, adapter);
        if (events->subscriberCount(EVT_CMD) != 1) {
            events->unsubscribeEvent(EVT_CMD, Subscriber(handler, adapter));
            return ::testing::AssertionFailure() << "bound to another handler";
        }
        return ::testing::AssertionSuccess();
    }

    std::vector<DriverTask> tasks;
    CDriverDownLoad_Find_Adapter* adapter = nullptr;
};

struct StateRow {
    const char* what;
    int32_t state;
    bool paused;
    int32_t progress;
    const wchar_t* speed;
    bool checkedBefore;
    // Expected.
    int page;
    bool boxEnabled;
    bool boxChecked;
    int bar;
    const wchar_t* textControl;  // null: none
    const wchar_t* text;
    std::vector<std::pair<const wchar_t*, Handler>> buttons;
};

TEST_F(DownloadListAdapterTest, EachDownloadStateDrawsItsPageBoxBarTextAndButtons) {
    using A = CDriverDownLoad_Find_Adapter;
    const std::vector<StateRow> rows = {
        {"not started",
         TASK_NOT_STARTED,
         false,
         0,
         L"",
         false,
         0,
         true,
         false,
         0,
         nullptr,
         nullptr,
         {{L"dirverfind_download_item_btn_st", &A::OnBtnStart}}},
        {"not started, ticked",
         TASK_NOT_STARTED,
         false,
         0,
         L"",
         true,
         0,
         true,
         true,
         0,
         nullptr,
         nullptr,
         {{L"dirverfind_download_item_btn_st", &A::OnBtnStart}}},
        {"waiting",
         TASK_WAITING,
         false,
         30,
         L"",
         false,
         1,
         false,
         true,
         0,
         L"dirverfind_download_item_text_info",
         L"等待下载",
         {}},
        {"downloading",
         TASK_DOWNLOADING,
         false,
         45,
         L"512KB/S",
         false,
         2,
         false,
         true,
         45,
         L"text_item_download_speed",
         L"512KB/S",
         {{L"dirverfind_download_item_btn_pause", &A::OnBtnPause},
          {L"dirverfind_download_item_btn_close_3", &A::OnBtnClose}}},
        {"paused",
         TASK_DOWNLOADING,
         true,
         60,
         L"2MB/S",
         false,
         3,
         false,
         true,
         60,
         L"text_item_download_speed_2",
         L"0B/S",
         {{L"dirverfind_download_item_btn_run", &A::OnBtnRun},
          {L"dirverfind_download_item_btn_close_4", &A::OnBtnClose}}},
        {"finished",
         TASK_COMPLETED,
         false,
         97,
         L"",
         false,
         4,
         false,
         true,
         100,
         nullptr,
         nullptr,
         {{L"dirverfind_download_item_btn_complete", &A::OnBtnComplete}}},
        {"failed",
         TASK_FAILED,
         false,
         55,
         L"",
         false,
         5,
         true,
         false,
         0,
         nullptr,
         nullptr,
         {{L"dirverfind_download_item_btn_retry", &A::OnBtnRetry}}},
        {"failed, ticked",
         TASK_FAILED,
         false,
         55,
         L"",
         true,
         5,
         true,
         true,
         0,
         nullptr,
         nullptr,
         {{L"dirverfind_download_item_btn_retry", &A::OnBtnRetry}}},
        {"stopped by the user",
         TASK_NOT_STARTED,
         false,
         0,
         L"",
         false,
         0,
         true,
         false,
         0,
         nullptr,
         nullptr,
         {{L"dirverfind_download_item_btn_st", &A::OnBtnStart}}},
    };
    for (const StateRow& row : rows) {
        SCOPED_TRACE(row.what);
        // Back to not started, with the box as the row wants it, ticked by a click.
        ShowState(0, TASK_NOT_STARTED);
        if (Box(0)->IsChecked() != row.checkedBefore) {
            ASSERT_TRUE(
                test::ClickInItem(Wnd(), *Wnd().driverListView, 0, L"dirverfind_download_item_check"));
        }
        ASSERT_EQ(Box(0)->IsChecked() != FALSE, row.checkedBefore);

        ShowState(0, row.state, row.paused, row.progress, row.speed,
                  std::string(row.what) == "stopped by the user");

        SItemPanel* item = Item(0);
        ASSERT_NE(item, nullptr);
        auto* tab = item->FindChildByName2<STabCtrl>(L"dirverfind_download_operation");
        auto* bar = item->FindChildByName2<SProgress>(L"pro_driverfind_download");
        ASSERT_NE(tab, nullptr);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(tab->GetCurSel(), row.page);
        EXPECT_EQ(Box(0)->IsDisabled() == FALSE, row.boxEnabled);
        EXPECT_EQ(Box(0)->IsChecked() != FALSE, row.boxChecked);
        EXPECT_EQ(bar->GetValue(), row.bar);
        if (row.textControl != nullptr) {
            EXPECT_EQ(TextOf(item->FindChildByName(row.textControl)), row.text);
        }
        for (const auto& [name, handler] : row.buttons) EXPECT_TRUE(BoundTo(item, name, handler)) << name;

        // A row that locked the box ticked it for good: back on page 0 the
        // task stays ticked, ready for "download the ticked drivers".
        ShowState(0, TASK_NOT_STARTED);
        EXPECT_EQ(Box(0)->IsChecked() != FALSE, row.boxChecked);
        std::vector<DriverTask> ticked;
        adapter->CollectCheckedTasks(ticked);
        EXPECT_EQ(!ticked.empty() && ticked[0].id == tasks[0].id, row.boxChecked);
    }
}

TEST_F(DownloadListAdapterTest, UpdatesOnlyTheDownloadFieldsOfTheTaskWithThatId) {
    DriverTask change = tasks[1];
    change.state = TASK_DOWNLOADING;
    change.progress = 12;
    change.speedText = L"3MB/S";
    DriverTask stranger = change;
    stranger.id = tasks[2].id;
    EXPECT_TRUE(adapter->UpdateTask(1, stranger)) << "another task's id changes nothing";
    EXPECT_TRUE(adapter->UpdateTask(99, change)) << "an index outside the list changes nothing";
    adapter->notifyDataSetChanged();
    EXPECT_EQ(Page(1), 0);

    adapter->UpdateTask(1, change);
    adapter->notifyDataSetChanged();
    EXPECT_EQ(Page(1), 2);
    EXPECT_EQ(TextOf(Item(1)->FindChildByName(L"text_item_download_speed")), L"3MB/S");

    // Texts and the tick are the adapter's own.
    DriverTask stopped = tasks[1];
    stopped.name = L"另一个名字";
    stopped.checked = false;
    stopped.stoppedByUser = true;
    adapter->UpdateTask(1, stopped);
    adapter->notifyDataSetChanged();
    EXPECT_EQ(Page(1), 0);
    EXPECT_EQ(TextOf(Item(1)->FindChildByName(L"driverfind_item_text2")), L"驱动名称：芯片组说明文件");
    EXPECT_TRUE(Box(1)->IsChecked()) << "ticked while it downloaded";
}

TEST_F(DownloadListAdapterTest, PausedShowsNoSpeedAndResumingShowsTheLastOneAgain) {
    ShowState(2, TASK_DOWNLOADING, false, 40, L"800KB/S");
    EXPECT_EQ(Page(2), 2);
    ShowState(2, TASK_DOWNLOADING, true, 40, L"800KB/S");
    EXPECT_EQ(Page(2), 3);
    EXPECT_EQ(TextOf(Item(2)->FindChildByName(L"text_item_download_speed_2")), L"0B/S");
    ShowState(2, TASK_DOWNLOADING, false, 40, L"800KB/S");
    EXPECT_EQ(Page(2), 2);
    EXPECT_EQ(TextOf(Item(2)->FindChildByName(L"text_item_download_speed")), L"800KB/S");
}

TEST_F(DownloadListAdapterTest, DrawingTheStoredTickIsNoClickButTheForcedTickIs) {
    Query(Wnd(), L"Aurex 16 Pro");
    ASSERT_EQ(adapter->getCount(), 3);
    tasks = ListedTasks(Wnd());
    SWindow* all = Wnd().FindChildByName(L"btn_allchoose");
    ASSERT_NE(all, nullptr);

    // Ticks drawn from the stored flags are muted: the select-all box hears nothing.
    adapter->SetAllChecked(true);
    adapter->notifyDataSetChanged();
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(Box(i)->IsChecked()) << i;
    EXPECT_FALSE(all->IsChecked());
    EXPECT_FALSE(Wnd().allChosen);

    // The tick forced on a waiting task counts like a click: with it every
    // task is ticked, and so is the select-all box.
    adapter->SetAllChecked(false);
    adapter->notifyDataSetChanged();
    ASSERT_TRUE(test::ClickInItem(Wnd(), *Wnd().driverListView, 0, L"dirverfind_download_item_check"));
    ASSERT_TRUE(test::ClickInItem(Wnd(), *Wnd().driverListView, 1, L"dirverfind_download_item_check"));
    EXPECT_FALSE(all->IsChecked());
    ShowState(2, TASK_WAITING);
    EXPECT_TRUE(all->IsChecked());
    EXPECT_TRUE(Wnd().allChosen);
}

TEST_F(DownloadListAdapterTest, ReusedItemWindowsKeepTheirIconWhenTheTaskHasNone) {
    // Twenty tasks with one icon, then one without: scrolled to the end, the
    // last is drawn on an item window that showed the others.
    adapter->Clear();
    for (int i = 0; i < 21; ++i) {
        DriverTask task = tasks[0];
        task.id = 1000 + i;
        task.name = (L"驱动 " + std::to_wstring(i)).c_str();
        task.iconSkin = i < 20 ? L"_skin.sys.dirver.icon_5" : L"";
        adapter->AddTask(task);
    }
    adapter->notifyDataSetChanged();
    for (int i = 0; i < 21; ++i) Item(i);

    SItemPanel* last = Item(20);
    ASSERT_NE(last, nullptr);
    EXPECT_LT(Wnd().driverListView->GetItemPanelCount(), 21) << "item windows are reused";
    EXPECT_EQ(TextOf(last->FindChildByName(L"driverfind_item_text2")), L"驱动名称：驱动 20");
    auto* icon = last->FindChildByName2<SImageWnd>(L"driver_item_icon_download");
    ASSERT_NE(icon, nullptr);
    ASSERT_NE(icon->GetSkin(), nullptr);
    EXPECT_EQ(icon->GetSkin()->GetName(), L"_skin.sys.dirver.icon_5");

    // A position beyond the count draws the task at the position modulo the count.
    adapter->getView(21 + 3, last, Wnd().driverListView->GetTemplate());
    EXPECT_EQ(TextOf(last->FindChildByName(L"driverfind_item_text2")), L"驱动名称：驱动 3");
}

// The dispatcher's change notices reach the item through the window's queue
// drain (timer 3); true once the item shows the page.
bool WaitForPage(CMainWnd& wnd, int position, int page) {
    return test::PumpUntil([&] {
        wnd.driverListView->EnsureVisible(position);
        SItemPanel* item = ShownItem(wnd, position);
        auto* tab = item ? item->FindChildByName2<STabCtrl>(L"dirverfind_download_operation") : nullptr;
        return tab != nullptr && tab->GetCurSel() == page;
    });
}

void Post(int32_t code, int32_t taskId, int32_t progress = 0, const wchar_t* text = L"") {
    DownLoadEvent evt;
    evt.kind = 2;
    evt.code = code;
    evt.taskId = taskId;
    evt.progress = progress;
    evt.text = text;
    g_downLoadEventQueue.Post(evt);
}

TEST_F(DownloadListAdapterTest, DispatcherEventsReachTheItemsAndThePicture) {
    // Item 0 stays not started; the others go through the dispatcher.
    Post(EVT_DOWNLOAD_QUEUED, tasks[1].id);
    Post(EVT_DOWNLOAD_QUEUED, tasks[2].id);
    Post(EVT_DOWNLOAD_PROGRESS, tasks[2].id, 45, L"1MB/S");
    Post(EVT_DOWNLOAD_QUEUED, tasks[3].id);
    Post(EVT_DOWNLOAD_PROGRESS, tasks[3].id, 70, L"512KB/S");
    Post(EVT_DOWNLOAD_PAUSED, tasks[3].id);
    Post(EVT_DOWNLOAD_QUEUED, tasks[4].id);
    Post(EVT_DOWNLOAD_PROGRESS, tasks[4].id, 100, L"2MB/S");
    Post(EVT_DOWNLOAD_DONE, tasks[4].id);
    Post(EVT_DOWNLOAD_QUEUED, tasks[5].id);
    Post(EVT_DOWNLOAD_FAILED, tasks[5].id);
    const std::vector<std::pair<int, int>> pages = {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {0, 0}};
    for (const auto& [position, page] : pages) EXPECT_TRUE(WaitForPage(Wnd(), position, page)) << position;

    // Pictures of the top and the end of the list ($PELL_SHOT_DIR keeps them).
    const pelltest::ShotFolder shots;
    for (const auto& [scroll, file] :
         {std::pair{0, L"driver_list_top.png"}, std::pair{10000, L"driver_list_end.png"}}) {
        Wnd().driverListView->SetScrollPos(TRUE, scroll, TRUE);
        test::RedrawNow(Wnd());
        ASSERT_TRUE(test::SaveWindowAsPng(Wnd(), shots / file));
        EXPECT_GT(std::filesystem::file_size(shots / file), 0u);
    }
}

}  // namespace
}  // namespace apptest
