// The query button of page 0 against the local service: what a user sees on
// failure and on success, and what the window keeps for later.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ProgramGlobals.h"
#include "download/DownLoadCounters.h"
#include "download/StringConverter.h"
#include "tests/app/DriverListTestSupport.h"
#include "tests/app/MainWindowFixture.h"

using namespace SOUI;

namespace apptest {
namespace {

constexpr char kLookupPath[] = "/home/driver/QueryForWeb";
constexpr char kSearchPath[] = "/home/driver/Search";

// What a query may change, read as the user and the operating-system choice
// see it.
struct WindowState {
    int page = -1;
    std::wstring header;
    std::wstring osBox;
    std::vector<std::pair<std::wstring, int>> osChoices;
    int currentOsId = 0;
    std::vector<int32_t> taskIds;
    std::vector<std::wstring> taskNames;
    int32_t started = 0;
    int32_t completed = 0;

    bool operator==(const WindowState&) const = default;
};

WindowState Capture(CMainWnd& wnd) {
    WindowState state;
    state.page = CurrentPage(wnd);
    state.header = TextOf(wnd, L"text_device_query_name");
    state.osBox = TextOf(wnd, L"os_select_edit_input");
    for (const OsChoiceItem& choice : wnd.osChoices)
        state.osChoices.emplace_back(choice.name.c_str(), choice.osId);
    state.currentOsId = wnd.currentOsId;
    for (const DriverTask& task : ListedTasks(wnd)) {
        state.taskIds.push_back(task.id);
        state.taskNames.emplace_back(task.name.c_str());
    }
    state.started = g_startedDownLoads;
    state.completed = g_completedDownLoads;
    return state;
}

void PrintTo(const WindowState& s, std::ostream* out) {
    *out << "page " << s.page << ", header \"" << g_stringConverter.WideToMultiByte(s.header)
         << "\", os box \"" << g_stringConverter.WideToMultiByte(s.osBox) << "\", " << s.osChoices.size()
         << " choices, system " << s.currentOsId << ", " << s.taskIds.size() << " tasks, counters "
         << s.started << "/" << s.completed;
}

class QueryTest : public MainWindowTest {
protected:
    void TearDown() override {
        g_networkState = 1;
        g_activeDownLoads = 0;
        g_startedDownLoads = 0;
        g_completedDownLoads = 0;
        MainWindowTest::TearDown();
    }

    bool ErrorLineShown() {
        SWindow* line = Wnd().FindChildByName(L"dirver_query_error_info");
        return line != nullptr && line->IsVisible(FALSE);
    }

    size_t DriverRequests() { return Service().Log(kLookupPath).size() + Service().Log(kSearchPath).size(); }
};

struct FailureCase {
    const char* what;
    std::wstring text;
    int networkState;
    // What the user sees.
    int page;
    std::wstring errorLine;  // empty: the line stays hidden
    std::wstring messageBox;
    bool requestSent;
    std::wstring queryKeyAfter;  // empty: unchanged
};

TEST_F(QueryTest, EachFailureShowsItsMessageAndKeepsTheEarlierAnswer) {
    const std::vector<FailureCase> cases = {
        {"network check not finished", L"Aurex 16 Pro", -1, 0, L"", L"未完成网络初始化！", false, L""},
        {"no network", L"Aurex 16 Pro", 0, 2, L"", L"", false, L""},
        {"empty text", L"", 1, 0, L"*请输入主机编号/主机型号进行查询", L"", false, L""},
        {"model unknown to the service", L"Nomodel 404", 1, 0, L"*未搜索到相关内容，请重新输入", L"", true,
         L"Nomodel 404"},
        {"blanks are queried as typed", L"   ", 1, 0, L"*未搜索到相关内容，请重新输入", L"", true, L"   "},
        {"one character is queried", L"Z", 1, 0, L"*未搜索到相关内容，请重新输入", L"", true, L"Z"},
        {"answer without drivers", L"Velmont T7 Slim", 1, 0, L"*未搜索到相关内容，请重新输入", L"", true,
         L"Velmont T7 Slim"},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        g_networkState = 1;
        Query(Wnd(), L"Aurex 16 Pro");
        ASSERT_EQ(CurrentPage(Wnd()), 1);
        ShowPage(Wnd(), 0);
        g_startedDownLoads = 3;
        g_completedDownLoads = 2;
        const WindowState before = Capture(Wnd());
        const SStringW keyBefore = Wnd().queryKey;
        ASSERT_EQ(before.taskIds.size(), 3u);
        Service().ResetLog();

        g_networkState = c.networkState;
        test::MessageBoxAnswerer answerer;
        Query(Wnd(), c.text);

        WindowState expected = before;
        expected.page = c.page;
        EXPECT_EQ(Capture(Wnd()), expected);
        EXPECT_EQ(ErrorLineShown(), !c.errorLine.empty());
        if (!c.errorLine.empty()) {
            EXPECT_EQ(TextOf(Wnd(), L"dirver_query_error_info"), c.errorLine);
        }
        EXPECT_EQ(answerer.Texts(), c.messageBox.empty() ? std::vector<std::wstring>{}
                                                         : std::vector<std::wstring>{c.messageBox});
        EXPECT_EQ(DriverRequests() > 0, c.requestSent);
        if (c.requestSent) {
            const std::string typed = g_stringConverter.WideToMultiByte(c.text);
            EXPECT_NE(Service().Log(kLookupPath).at(0).body.find(typed), std::string::npos);
        }
        EXPECT_EQ(std::wstring(Wnd().queryKey.c_str()),
                  c.queryKeyAfter.empty() ? std::wstring(keyBefore.c_str()) : c.queryKeyAfter);
    }
}

TEST_F(QueryTest, SuccessShowsTheModelItsSystemsAndTheListPage) {
    // An earlier error line goes away with the next good answer.
    Query(Wnd(), L"");
    ASSERT_TRUE(ErrorLineShown());
    g_activeDownLoads = 2;
    g_startedDownLoads = 5;
    g_completedDownLoads = 4;

    // Typed key by key, as a user does; the answer's model name replaces it.
    ASSERT_TRUE(test::TypeText(Wnd(), L"edit_input_1", L"corran s13"));
    ASSERT_TRUE(test::Click(Wnd(), L"btn_driver_query"));

    EXPECT_FALSE(ErrorLineShown());
    EXPECT_EQ(CurrentPage(Wnd()), 1);
    EXPECT_EQ(TextOf(Wnd(), L"text_device_query_name"), L"主机信息：Corran S13");
    EXPECT_EQ(std::wstring(Wnd().queryKey.c_str()), L"Corran S13");
    EXPECT_EQ(TextOf(Wnd(), L"os_select_edit_input"), L"Windows 11 64位");
    EXPECT_EQ(std::wstring(g_defaultOsName.c_str()), L"Windows 11 64位");
    EXPECT_EQ(Wnd().currentOsId, 42);
    std::vector<std::pair<std::wstring, int>> choices;
    for (const OsChoiceItem& choice : Wnd().osChoices) choices.emplace_back(choice.name.c_str(), choice.osId);
    EXPECT_EQ(choices, (std::vector<std::pair<std::wstring, int>>{{L"Windows 11 64位", 42},
                                                                  {L"Windows 10 64位", 41}}));
    EXPECT_EQ(g_startedDownLoads, 0);
    EXPECT_EQ(g_completedDownLoads, 0);
    EXPECT_EQ(g_activeDownLoads, 2) << "downloads still running are not forgotten";
    EXPECT_EQ(ListedTasks(Wnd()).size(), 7u);
    // The first query asks for the fixed system 42.
    const auto searches = Service().Log(kSearchPath);
    ASSERT_EQ(searches.size(), 1u);
    EXPECT_NE(searches[0].body.find("42"), std::string::npos) << searches[0].body;
}

TEST_F(QueryTest, ListChangesBeforeTheHeaderAndTheHeaderBeforeThePage) {
    Query(Wnd(), L"Aurex 16 Pro");
    ShowPage(Wnd(), 0);

    // What the user could see at the moment the list is told of its new data,
    // and at the moment page 1 becomes visible.
    struct Seen {
        std::wstring header;
        int page = -1;
        bool allChosenBox = true;
        int scroll = -1;
    };
    struct Watch : ILvDataSetObserver {
        CMainWnd* wnd = nullptr;
        std::vector<Seen> atListChange;
        void onChanged() override {
            SWindow* box = wnd->FindChildByName(L"btn_allchoose");
            atListChange.push_back({TextOf(*wnd, L"text_device_query_name"), CurrentPage(*wnd),
                                    box != nullptr && box->IsChecked(),
                                    wnd->driverListView->GetScrollPos(TRUE)});
        }
        void onInvalidated() override {}
    } watch;
    watch.wnd = &Wnd();
    CDriverDownLoad_Find_Adapter* adapter = ListAdapter(Wnd());
    ASSERT_NE(adapter, nullptr);
    adapter->registerDataSetObserver(&watch);
    // Page 1 raises a state change as it becomes visible.
    struct PageSpy {
        CMainWnd* wnd;
        std::vector<std::wstring> headerWhenShown;
        bool OnState(EventSwndStateChanged* evt) {
            if (evt->CheckState(WndState_Invisible) && !(evt->dwNewState & WndState_Invisible))
                headerWhenShown.push_back(TextOf(*wnd, L"text_device_query_name"));
            return false;
        }
    } spy{&Wnd(), {}};
    auto* tab = Wnd().FindChildByName2<STabCtrl>(L"tab_main_op");
    ASSERT_NE(tab, nullptr);
    tab->GetItem(1)->GetEventSet()->subscribeEvent(EVT_STATECHANGED, &PageSpy::OnState, &spy);

    Query(Wnd(), L"Corran S13");

    tab->GetItem(1)->GetEventSet()->unsubscribeEvent(EVT_STATECHANGED, Subscriber(&PageSpy::OnState, &spy));
    adapter->unregisterDataSetObserver(&watch);
    ASSERT_EQ(watch.atListChange.size(), 1u) << "one change notice for the whole list";
    EXPECT_EQ(watch.atListChange[0].header, L"主机信息：Aurex 16 Pro");
    EXPECT_EQ(watch.atListChange[0].page, 0);
    EXPECT_FALSE(watch.atListChange[0].allChosenBox);
    EXPECT_EQ(watch.atListChange[0].scroll, 0);
    EXPECT_EQ(spy.headerWhenShown, std::vector<std::wstring>{L"主机信息：Corran S13"});
}

TEST_F(QueryTest, AnswerWithoutModelNodeShowsTheTypedText) {
    Query(Wnd(), L"corran b5");

    EXPECT_EQ(CurrentPage(Wnd()), 1);
    EXPECT_EQ(TextOf(Wnd(), L"text_device_query_name"), L"主机信息：corran b5");
    const std::vector<DriverTask> tasks = ListedTasks(Wnd());
    ASSERT_EQ(tasks.size(), 2u);
    for (const DriverTask& task : tasks) EXPECT_EQ(task.modelCode, "");
}

TEST_F(QueryTest, AnswerWithoutSystemsLeavesTheChoicesEmpty) {
    Query(Wnd(), L"Aurex 16 Pro");
    ASSERT_FALSE(Wnd().osChoices.empty());

    Query(Wnd(), L"Corran N2");

    EXPECT_EQ(CurrentPage(Wnd()), 1);
    EXPECT_TRUE(Wnd().osChoices.empty());
    EXPECT_EQ(TextOf(Wnd(), L"os_select_edit_input"), L"Windows 11 64位");
    EXPECT_EQ(Wnd().currentOsId, 42);
    EXPECT_EQ(ListedTasks(Wnd()).size(), 1u);
}

}  // namespace
}  // namespace apptest
