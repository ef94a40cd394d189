// The driver list of page 1 filled from real answers of the local service:
// which drivers are listed, in which order, with which texts, icons and task
// identifiers, in the list and in the shared task list.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/ProgramGlobals.h"
#include "download/DriverDb.h"
#include "os/ModulePath.h"
#include "tests/app/DriverListTestSupport.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/TempFolder.h"

using namespace SOUI;

namespace apptest {
namespace {

struct ListedDriver {
    std::wstring category;
    std::wstring name;
    std::wstring sizeText;
    std::string sizeBytes;
    std::wstring iconSkin;
    std::string fileName;
};

// "Corran S13" for system 42, by category in answer order, each category's
// drivers in answer order. Left out: size 0, empty, "unknown" and negative,
// the driver without address, the service tool's category, and the driver
// whose category is not in the answer.
const std::vector<ListedDriver> kCorranS13 = {
    {L"芯片组", L"芯片组驱动", L"1.00KB", "1025", L"_skin.sys.dirver.icon_1", "corrans13_chipset_10.1.exe"},
    {L"芯片组", L"芯片组说明文件", L"", "1024", L"_skin.sys.dirver.icon_1", "corrans13_chipset_readme.txt"},
    {L"显卡", L"核芯显卡驱动", L"1024.00KB", "1048576", L"_skin.sys.dirver.icon_2",
     "corrans13_graphics_31.0.exe"},
    {L"显卡", L"显卡控制中心", L"1.00MB", "1048577", L"_skin.sys.dirver.icon_2",
     "corrans13_graphics_center_2.4.exe"},
    {L"声卡", L"音频驱动完整包", L"5120.00MB", "5368709120", L"_skin.sys.dirver.icon_4",
     "corrans13_audio_full_6.0.zip"},
    {L"存储", L"存储控制器驱动", L"2.00MB", "2097152", L"_skin.sys.dirver.icon_0",
     "corrans13_storage_19.5.exe"},
    {L"存储设备", L"存储控制器驱动", L"2.00MB", "2097152", L"_skin.sys.dirver.icon_0",
     "corrans13_storage_19.5.exe"},
};

using DriverListTest = MainWindowTest;

TEST_F(DriverListTest, ListsDownloadableDriversByCategoryWithSizesAndIcons) {
    Query(Wnd(), L"Corran S13");

    const std::vector<DriverTask> tasks = ListedTasks(Wnd());
    ASSERT_EQ(tasks.size(), kCorranS13.size());
    for (size_t i = 0; i < tasks.size(); ++i) {
        SCOPED_TRACE(i);
        const DriverTask& task = tasks[i];
        const ListedDriver& want = kCorranS13[i];
        EXPECT_EQ(std::wstring(task.category.c_str()), want.category);
        EXPECT_EQ(std::wstring(task.name.c_str()), want.name);
        EXPECT_EQ(std::wstring(task.sizeText.c_str()), want.sizeText);
        EXPECT_EQ(task.sizeBytesText, want.sizeBytes);
        EXPECT_EQ(task.size, std::stoll(want.sizeBytes));
        EXPECT_EQ(std::wstring(task.iconSkin.c_str()), want.iconSkin);
        EXPECT_EQ(task.fileName, want.fileName);
        EXPECT_EQ(task.url, Service().BaseUrl() + "/files/" + want.fileName);
        EXPECT_EQ(task.modelCode, "Corran S13");
        EXPECT_EQ(task.osName, "Windows 11 64位");
        EXPECT_EQ(task.kind, 2);
        EXPECT_EQ(task.state, TASK_NOT_STARTED);
        EXPECT_EQ(task.progress, 0);
        EXPECT_FALSE(task.paused || task.stoppedByUser);
        EXPECT_TRUE(task.speedText.IsEmpty());
        // Left-out drivers draw no identifier: the listed ones are numbered
        // without gaps.
        EXPECT_EQ(task.id, tasks[0].id + static_cast<int32_t>(i));

        int32_t index = -1;
        DriverTask shared;
        ASSERT_TRUE(g_driverTaskList.FindById(task.id, index, shared));
        EXPECT_EQ(index, static_cast<int32_t>(i)) << "same position in the shared task list";
        EXPECT_EQ(shared.url, task.url);
        EXPECT_EQ(std::wstring(shared.name.c_str()), want.name);
    }
    EXPECT_EQ(tasks[0].editionId, "91002");
    EXPECT_EQ(std::wstring(tasks[0].version.c_str()), L"10.1.19600.8418");
    EXPECT_EQ(std::wstring(tasks[0].activeTime.c_str()), L"2024-05-02");

    // The first item as drawn.
    SItemPanel* item = ShownItem(Wnd(), 0);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(TextOf(item->FindChildByName(L"driverfind_item_text1")), L"驱动类型：芯片组");
    EXPECT_EQ(TextOf(item->FindChildByName(L"driverfind_item_text2")), L"驱动名称：芯片组驱动");
    EXPECT_EQ(TextOf(item->FindChildByName(L"driverfind_item_text3")), L"驱动版本：10.1.19600.8418");
    EXPECT_EQ(TextOf(item->FindChildByName(L"driverfind_item_text4")), L"驱动大小：1.00KB");
    if (SItemPanel* second = ShownItem(Wnd(), 1)) {
        EXPECT_EQ(TextOf(second->FindChildByName(L"driverfind_item_text4")), L"驱动大小：");
    }
}

TEST_F(DriverListTest, SecondAnswerReplacesBothListsWithFreshIdentifiers) {
    Query(Wnd(), L"Corran S13");
    const std::vector<DriverTask> first = ListedTasks(Wnd());
    ASSERT_EQ(first.size(), kCorranS13.size());
    Wnd().driverListView->SetScrollPos(TRUE, 200, TRUE);
    ASSERT_TRUE(test::Click(Wnd(), L"btn_allchoose"));
    ASSERT_TRUE(Wnd().allChosen);

    Query(Wnd(), L"Aurex 16 Pro");

    EXPECT_EQ(Wnd().driverListView->GetScrollPos(TRUE), 0);
    EXPECT_FALSE(Wnd().allChosen);
    SWindow* box = Wnd().FindChildByName(L"btn_allchoose");
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->IsChecked());
    const std::vector<DriverTask> second = ListedTasks(Wnd());
    ASSERT_EQ(second.size(), 3u);
    std::vector<std::wstring> names;
    for (size_t i = 0; i < second.size(); ++i) {
        names.emplace_back(second[i].name.c_str());
        EXPECT_EQ(second[i].id, first.back().id + 1 + static_cast<int32_t>(i));
        int32_t index = -1;
        DriverTask shared;
        ASSERT_TRUE(g_driverTaskList.FindById(second[i].id, index, shared));
        EXPECT_EQ(index, static_cast<int32_t>(i));
    }
    EXPECT_EQ(names, (std::vector<std::wstring>{L"芯片组驱动", L"独立显卡驱动", L"蓝牙驱动"}));
    for (const DriverTask& old : first) {
        int32_t index = -1;
        DriverTask shared;
        EXPECT_FALSE(g_driverTaskList.FindById(old.id, index, shared))
            << "task " << old.id << " of the first list";
    }
}

// The database file beside the program, copied into `dir` with one icon
// name emptied.
void CopyDatabaseWithEmptyIcon(const std::filesystem::path& dir, const std::string& partName) {
    std::filesystem::copy_file(std::filesystem::path(os::ExecutableDir()) / "driverdownload.db3",
                               dir / "driverdownload.db3");
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open((dir / "driverdownload.db3").c_str(), &db), SQLITE_OK);
    const std::string sql = "update tb_part set iconname='' where partname='" + partName + "'";
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(sqlite3_changes(db), 1);
    sqlite3_close(db);
}

TEST_F(DriverListTest, CategoryIconsFallBackToTheDefaultOrToNoneWhenTheLookupFails) {
    const pelltest::TempFolder dir("driverlist_db_");
    // Back to the program's own database, whatever happens here, before the
    // copy goes.
    struct Reopen {
        ~Reopen() {
            g_driverDb.Close();
            g_driverDb.Open();
        }
    } reopen;
    CopyDatabaseWithEmptyIcon(dir.Path(), "芯片组");
    g_driverDb.Close();
    ASSERT_TRUE(g_driverDb.OpenIn(dir.Path().wstring() + L"/"));
    Query(Wnd(), L"Corran S13");
    std::vector<DriverTask> tasks = ListedTasks(Wnd());
    ASSERT_EQ(tasks.size(), kCorranS13.size());
    EXPECT_EQ(std::wstring(tasks[0].iconSkin.c_str()), L"_skin.sys.dirver.icon_0") << "empty icon name";
    EXPECT_EQ(std::wstring(tasks[2].iconSkin.c_str()), L"_skin.sys.dirver.icon_2");

    // A closed database fails every lookup: no icon skin, drivers still listed.
    g_driverDb.Close();
    Query(Wnd(), L"Corran S13");
    tasks = ListedTasks(Wnd());
    ASSERT_EQ(tasks.size(), kCorranS13.size());
    for (const DriverTask& task : tasks) EXPECT_TRUE(task.iconSkin.IsEmpty()) << task.id;
}

TEST_F(DriverListTest, FiveThousandDriversInSixtyCategoriesAreListed) {
    Query(Wnd(), L"Corran Bench");

    ASSERT_EQ(CurrentPage(Wnd()), 1) << "the long answer must reach the window whole";
    const std::vector<DriverTask> tasks = ListedTasks(Wnd());
    ASSERT_EQ(tasks.size(), 5000u);
    // Category k holds drivers k, k + 60, ...; categories in answer order.
    EXPECT_EQ(std::wstring(tasks.front().category.c_str()), L"扩展设备 1");
    EXPECT_EQ(std::wstring(tasks.front().name.c_str()), L"驱动 1");
    EXPECT_EQ(std::wstring(tasks[84].category.c_str()), L"扩展设备 2");
    EXPECT_EQ(std::wstring(tasks[84].name.c_str()), L"驱动 2");
    EXPECT_EQ(std::wstring(tasks.back().category.c_str()), L"扩展设备 60");
    EXPECT_EQ(tasks.back().id, tasks.front().id + 4999);
}

}  // namespace
}  // namespace apptest
