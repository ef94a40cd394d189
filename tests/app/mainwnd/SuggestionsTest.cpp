// Suggestions under the query box and the operating-system choice of the
// list page, on the real window against the local service.
#include <gtest/gtest.h>

#include "app/ProgramGlobals.h"
#include "app/dropdown/DropdownList.h"
#include "app/dropdown/SearchDropdownList.h"
#include "app/dropdown/SearchDropdownList_1.h"
#include "download/StringConverter.h"
#include "soui/SMessageBox.h"
#include "tests/app/DownloadWindowSupport.h"

using namespace SOUI;

namespace apptest {
namespace {

constexpr char kSuggestPath[] = "/home/driver/TreeNode";
constexpr char kSearchPath[] = "/home/driver/Search";

class Suggestions : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        box = Wnd().FindChildByName2<SSearchDropdownList_1>(L"query_suggest_list");
        ASSERT_NE(box, nullptr);
    }
    void TearDown() override {
        g_networkState = 1;
        MainWindowTest::TearDown();
    }
    // Types the text as key presses and waits until the typing pause has
    // raised its fill event.
    void TypeAndWaitForFill(const std::wstring& text) {
        ASSERT_TRUE(test::TypeText(Wnd(), L"edit_input_1", text));
        ASSERT_TRUE(test::PumpUntil([&] { return !box->pending && box->cooling; }));
    }

    SSearchDropdownList_1* box = nullptr;
};

TEST_F(Suggestions, OneCharacterAsksNothingTwoAskAlsoWithoutNetwork) {
    TypeAndWaitForFill(L"H");
    EXPECT_TRUE(Service().Log(kSuggestPath).empty());
    EXPECT_EQ(box->popup, nullptr);

    g_networkState = 0;
    ASSERT_TRUE(test::PumpUntil([&] { return !box->cooling; }));
    TypeAndWaitForFill(L"a");
    ASSERT_EQ(Service().Log(kSuggestPath).size(), 1u);
    ASSERT_NE(box->popup, nullptr);
    EXPECT_TRUE(box->popup->IsWindowVisible());
}

TEST_F(Suggestions, APickFillsTheBoxWithoutQuerying) {
    TypeAndWaitForFill(L"Halden");
    ASSERT_NE(box->popup, nullptr);
    SListView* list = box->popup->GetListView();
    ASSERT_NE(list, nullptr);
    ASSERT_GE(list->GetAdapter()->getCount(), 1);
    ASSERT_TRUE(test::ClickInItem(*box->popup, *list, 0, L"device_name_item"));
    test::Pump(std::chrono::milliseconds(50));
    EXPECT_EQ(TextOf(Wnd(), L"edit_input_1"), L"Halden X6");
    // The picked name does not open the list again.
    EXPECT_FALSE(box->pending);
    EXPECT_TRUE(box->popup == nullptr || !box->popup->IsWindowVisible());
    EXPECT_TRUE(Service().Log(kSearchPath).empty());
    EXPECT_EQ(CurrentPage(Wnd()), 0);
}

class SystemChoice : public DownloadWindowTest {
protected:
    SSearchDropdownList* OsBox() { return Wnd().FindChildByName2<SSearchDropdownList>(L"os_suggest_list"); }
    // Opens the system list from its button and picks the entry.
    void Pick(int entry) {
        ASSERT_TRUE(test::Click(Wnd(), L"btn_os_suggest_dropdown"));
        SSearchDropdownList* box = OsBox();
        ASSERT_NE(box->popup, nullptr);
        SListView* list = box->popup->GetListView();
        ASSERT_NE(list, nullptr);
        ASSERT_TRUE(test::ClickInItem(*box->popup, *list, entry, L"device_name_item"));
        test::Pump(std::chrono::milliseconds(50));
    }
    int IndexOf(const std::wstring& name) {
        for (size_t i = 0; i < Wnd().osChoices.size(); ++i)
            if (Wnd().osChoices[i].name.c_str() == name) return static_cast<int>(i);
        return -1;
    }
};

TEST_F(SystemChoice, APickQueriesAgainForThatSystemAndResetsTheCounters) {
    const int windows10 = IndexOf(L"Windows 10 64位");
    ASSERT_GE(windows10, 0);
    g_startedDownLoads = 3;
    g_completedDownLoads = 2;
    Service().ResetLog();
    Pick(windows10);
    const auto searches = Service().Log(kSearchPath);
    ASSERT_EQ(searches.size(), 1u);
    EXPECT_NE(searches[0].body.find("41"), std::string::npos) << searches[0].body;
    EXPECT_EQ(Wnd().currentOsId, 41);
    EXPECT_EQ(TextOf(Wnd(), L"os_select_edit_input"), L"Windows 10 64位");
    EXPECT_EQ(std::wstring(g_defaultOsName.c_str()), L"Windows 10 64位");
    EXPECT_EQ(g_startedDownLoads, 0);
    EXPECT_EQ(g_completedDownLoads.load(), 0);
    const std::vector<DriverTask> listed = ListedTasks(Wnd());
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].osName, "Windows 10 64位");
}

TEST_F(SystemChoice, ASystemWithoutDriversLeavesAnEmptyListAndNoError) {
    const int windows7 = IndexOf(L"Windows 7 64位");
    ASSERT_GE(windows7, 0);
    Pick(windows7);
    EXPECT_TRUE(ListedTasks(Wnd()).empty());
    EXPECT_EQ(CurrentPage(Wnd()), 1);
    SWindow* error = Wnd().FindChildByName(L"dirver_query_error_info");
    ASSERT_NE(error, nullptr);
    EXPECT_FALSE(error->IsVisible(FALSE));
}

TEST_F(SystemChoice, WithDownloadsRunningCancelChangesNothingAndAPickEndsThem) {
    Service().SetMode("files", "rate", "8192");
    // Keep the button enabled, as before the next button tick: the tick must
    // not come between the clicks below and the one on the button.
    Wnd().KillTimer(1);
    ASSERT_TRUE(ClickItem(0, L"dirverfind_download_item_btn_st"));
    ASSERT_TRUE(ClickItem(1, L"dirverfind_download_item_btn_st"));
    ASSERT_EQ(g_activeDownLoads.load(), 2);
    {
        test::MessageBoxAnswerer answers({IDCANCEL});
        ASSERT_TRUE(test::Click(Wnd(), L"btn_os_suggest_dropdown"));
        EXPECT_EQ(answers.Texts(), std::vector<std::wstring>{L"有正在下载的任务，切换系统将导致下载结束!"});
    }
    EXPECT_EQ(OsBox()->popup, nullptr);
    EXPECT_EQ(g_activeDownLoads.load(), 2);
    EXPECT_EQ(ListAdapter(Wnd())->getCount(), 6);

    const int windows11 = IndexOf(L"Windows 11 64位");
    test::MessageBoxAnswerer answers({IDOK});
    Pick(windows11);
    EXPECT_EQ(answers.Texts().size(), 1u);
    // The earlier list's downloads were ended; none keeps running unseen.
    EXPECT_TRUE(test::PumpUntil([] { return g_activeDownLoads == 0; }));
    Service().ResetLog();
    Service().SetMode("files", "rate", "");
    test::Pump(std::chrono::milliseconds(500));
    for (const auto& request : Service().Log())
        EXPECT_NE(request.path.rfind("/files/", 0), 0u) << request.path;
    EXPECT_FALSE(std::filesystem::exists(Saved(0)));
    EXPECT_EQ(ListedTasks(Wnd()).size(), 6u);
}

}  // namespace
}  // namespace apptest
