#pragma once
// A main window with the six-driver model listed and a download folder of its
// own, for the tests of the download actions, timers and the system choice.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "DriverListTestSupport.h"
#include "MainWindowFixture.h"
#include "download/DownLoadCounters.h"
#include "download/DownLoadManager.h"
#include "download/DriverDb.h"
#include "download/DriverTaskList.h"
#include "os/UnicodeText.h"
#include "soui/SControls.h"
#include "soui/STestApi.h"
#include "soui/SWidgetTestApi.h"
#include "tests/support/DownLoadManagerProbe.h"
#include "tests/support/TempFolder.h"

namespace apptest {

// Six drivers for Windows 11, two for Windows 10, none for Windows 7.
inline constexpr wchar_t kSixDriverModel[] = L"Halden X6";
// Five drivers whose file names climb, split, are ".." or hold control
// characters.
inline constexpr wchar_t kOddNamesModel[] = L"Odd Names Q1";
// Two different files both named "setup.exe", one named "setup (2).exe", and
// ".." and "." in the categories ".." and "/".
inline constexpr wchar_t kTwinFilesModel[] = L"Twin Files T2";

class DownloadWindowTest : public MainWindowTest {
protected:
    virtual const wchar_t* Model() const { return kSixDriverModel; }

    void SetUp() override {
        MainWindowTest::SetUp();
        std::filesystem::create_directories(root / "Driver");
        savedDir = g_downLoadDir;
        g_downLoadDir = (root / "Driver").wstring();
        g_downLoadManager.SetMaxDownLoads(6);
        Query(Wnd(), Model());
        tasks = ListedTasks(Wnd());
    }
    void TearDown() override {
        Service().SetMode("files", "rate", "");
        g_downLoadManager.StopAll();
        // The stops show at once; the engine writes in the folder until it
        // has confirmed the cancels.
        EXPECT_TRUE(SOUI::test::PumpUntil(
            [] { return g_activeDownLoads == 0 && DownLoadManagerProbe::TransfersEnded(g_downLoadManager); },
            std::chrono::seconds(60)));
        g_startedDownLoads = 0;
        g_downLoadDir = savedDir;
        MainWindowTest::TearDown();
    }

    SOUI::SItemPanel* Item(int position) {
        Wnd().driverListView->EnsureVisible(position);
        SOUI::test::RedrawNow(Wnd());
        return ShownItem(Wnd(), position);
    }
    int Page(int position) {
        SOUI::SItemPanel* item = Item(position);
        auto* tab = item != nullptr ? item->FindChildByName2<SOUI::STabCtrl>(L"dirverfind_download_operation")
                                    : nullptr;
        return tab != nullptr ? tab->GetCurSel() : -1;
    }
    bool ClickItem(int position, const wchar_t* name) {
        Item(position);
        return SOUI::test::ClickInItem(Wnd(), *Wnd().driverListView, position, name);
    }
    void Tick(int position) {
        SOUI::SItemPanel* item = Item(position);
        ASSERT_NE(item, nullptr);
        item->FindChildByName(L"dirverfind_download_item_check")->SetCheck(SOUI::TRUE);
    }
    // The list item's state as the task list holds it.
    int32_t State(int position) {
        int32_t index = 0;
        DriverTask task;
        return g_driverTaskList.FindById(tasks.at(static_cast<size_t>(position)).id, index, task) ? task.state
                                                                                                  : -1;
    }
    // The save path in UTF-8, so that filesystem paths need no locale.
    std::filesystem::path Saved(int position) {
        return os::WideToUtf8Lossy(Wnd().BuildDownloadPath(tasks.at(static_cast<size_t>(position))));
    }

    pelltest::TempFolder folder{"pellucor_dl_"};
    const std::filesystem::path& root = folder.Path();
    std::wstring savedDir;
    std::vector<DriverTask> tasks;
};

}  // namespace apptest
