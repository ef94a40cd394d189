// The main window on a real X display of the test's own, driven only by real
// X input (xdotool): type a model, pick a suggestion, query, tick two
// drivers, download, and both finish byte-exact.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "VirtualDisplay.h"
#include "app/ProgramGlobals.h"
#include "app/dropdown/SearchDropdownList_1.h"
#include "download/DownLoadCounters.h"
#include "download/DownLoadManager.h"
#include "download/DriverDb.h"
#include "os/UnicodeText.h"
#include "soui/SControls.h"
#include "soui/SHostWnd.h"
#include "soui/SListView.h"
#include "soui/STestApi.h"
#include "soui/SWidgetTestApi.h"
#include "tests/app/DriverListTestSupport.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/DownLoadManagerProbe.h"
#include "tests/support/ServedFile.h"
#include "tests/support/ShotFolder.h"
#include "tests/support/TempFolder.h"

using namespace SOUI;
using namespace std::chrono_literals;

namespace apptest {
namespace {

namespace fs = std::filesystem;

constexpr auto kDownloadTime = std::chrono::seconds(120);

// The picture of the finished screen, kept beside the test for people to see.
constexpr wchar_t kScreenshot[] = L"real_display_download.png";

class RealDisplay : public MainWindowTest {
protected:
    // The server comes up before the framework's first window, which then
    // connects to it on the xcb platform.
    static void SetUpTestSuite() {
        try {
            display = std::make_unique<x11test::VirtualDisplay>(1280, 800);
        } catch (const std::exception& error) {
            startError = error.what();
            return;
        }
        ::setenv("DISPLAY", display->Name().c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    }
    static void TearDownTestSuite() { display.reset(); }

    void SetUp() override {
        ASSERT_NE(display, nullptr) << startError;
        ASSERT_FALSE(x11test::FindProgram("xdotool").empty())
            << "xdotool is not installed (Debian package xdotool, see scripts/install-deps.sh)";
        MainWindowTest::SetUp();
        fs::create_directories(root / "Driver");
        savedDir = g_downLoadDir;
        g_downLoadDir = (root / "Driver").wstring();
    }
    void TearDown() override {
        g_downLoadManager.StopAll();
        // The stops show at once; the engine writes in the folder until it
        // has confirmed the cancels.
        EXPECT_TRUE(test::PumpUntil(
            [] { return g_activeDownLoads == 0 && DownLoadManagerProbe::TransfersEnded(g_downLoadManager); },
            60s));
        g_startedDownLoads = 0;
        g_downLoadDir = savedDir;
        MainWindowTest::TearDown();
        EXPECT_TRUE(boxes.Texts().empty())
            << "a message box came up: " << os::WideToUtf8Lossy(boxes.Texts().at(0));
    }

    static ::testing::AssertionResult Xdotool(const std::vector<std::string>& args) {
        std::vector<std::string> argv = {"xdotool"};
        argv.insert(argv.end(), args.begin(), args.end());
        const x11test::ToolRun run = x11test::RunTool(argv);
        if (run.exitCode == 0) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "xdotool exit " << run.exitCode << ": " << run.output;
    }
    // A left click with the real pointer at the control's centre on the
    // screen, once the control's own window is the one there (a window just
    // shown reaches the screen a little later).
    static ::testing::AssertionResult ClickOn(SHostWnd& host, SWindow* control) {
        if (control == nullptr) return ::testing::AssertionFailure() << "no such control";
        CPoint at = test::CenterOnHost(*control);
        host.ClientToScreen(&at);
        const std::vector<std::string> move = {
            "xdotool",          "mousemove", "--sync", std::to_string(at.x), std::to_string(at.y),
            "getmouselocation", "--shell"};
        x11test::ToolRun moved;
        const auto onOwnWindow = [&] {
            moved = x11test::RunTool(move);
            const std::string own = "WINDOW=" + std::to_string(test::NativeWindowId(host)) + "\n";
            return moved.exitCode == 0 && moved.output.find(own) != std::string::npos;
        };
        if (!test::PumpUntil(onOwnWindow, 10s))
            return ::testing::AssertionFailure() << "the control's window is not the one on the screen at "
                                                 << at.x << "," << at.y << ": " << moved.output;
        return Xdotool({"click", "1"});
    }

    // The page of the item's download state as its shown item window has it.
    int Page(int position) {
        SItemPanel* item = ShownItem(Wnd(), position);
        auto* tab =
            item != nullptr ? item->FindChildByName2<STabCtrl>(L"dirverfind_download_operation") : nullptr;
        return tab != nullptr ? tab->GetCurSel() : -1;
    }
    bool ServedExactly(const DriverTask& task) {
        const fs::path saved = os::WideToUtf8Lossy(Wnd().BuildDownloadPath(task));
        return pelltest::FileSha256(saved.string()) ==
               pelltest::ServedFileSha256(task.fileName, static_cast<uint64_t>(task.size));
    }

    static inline std::unique_ptr<x11test::VirtualDisplay> display;
    static inline std::string startError;
    // The flow raises no message box; one that comes up all the same is
    // answered rather than left waiting for a person.
    test::MessageBoxAnswerer boxes;
    pelltest::TempFolder folder{"pellucor_x11_"};
    const fs::path& root = folder.Path();
    std::wstring savedDir;
};

TEST_F(RealDisplay, TypedPickedQueriedAndTwoTickedDriversDownloaded) {
    SWindow* input = Wnd().FindChildByName(L"edit_input_1");
    ASSERT_NE(input, nullptr);
    ASSERT_TRUE(ClickOn(Wnd(), input));
    ASSERT_TRUE(Xdotool({"type", "--delay", "60", "Hal"}));
    ASSERT_TRUE(test::PumpUntil([&] { return TextOf(input) == L"Hal"; }, 10s)) << "typed: " << TextOf(input);

    // The suggestions drop down once the typing pauses; pick "Halden X6".
    auto* box = Wnd().FindChildByName2<SSearchDropdownList_1>(L"query_suggest_list");
    ASSERT_NE(box, nullptr);
    SWindow* suggestion = nullptr;
    ASSERT_TRUE(test::PumpUntil(
        [&] {
            SListView* list = box->popup != nullptr ? box->popup->GetListView() : nullptr;
            if (list == nullptr || !box->popup->IsWindowVisible()) return false;
            for (int i = 0; i < list->GetAdapter()->getCount() && suggestion == nullptr; ++i) {
                SItemPanel* item = list->GetItemPanel(i);
                SWindow* name = item != nullptr ? item->FindChildByName(L"device_name_item") : nullptr;
                if (TextOf(name) == L"Halden X6") suggestion = name;
            }
            return suggestion != nullptr;
        },
        20s))
        << "no suggestion \"Halden X6\" shown";
    ASSERT_TRUE(ClickOn(*box->popup, suggestion));
    const auto listGone = [&] { return box->popup == nullptr || !box->popup->IsWindowVisible(); };
    ASSERT_TRUE(test::PumpUntil([&] { return TextOf(input) == L"Halden X6" && listGone(); }, 10s))
        << "after the pick: " << TextOf(input) << (listGone() ? "" : ", the list still shown");

    ASSERT_TRUE(ClickOn(Wnd(), Wnd().FindChildByName(L"btn_driver_query")));
    ASSERT_TRUE(test::PumpUntil(
        [&] { return CurrentPage(Wnd()) == 1 && ListAdapter(Wnd()) && ListAdapter(Wnd())->getCount() == 6; },
        30s))
        << "page " << CurrentPage(Wnd());
    const std::vector<DriverTask> tasks = ListedTasks(Wnd());
    ASSERT_EQ(tasks.size(), 6u);

    for (int position : {0, 2}) {
        SWindow* check = nullptr;
        ASSERT_TRUE(test::PumpUntil([&] {
            SItemPanel* item = ShownItem(Wnd(), position);
            check = item != nullptr ? item->FindChildByName(L"dirverfind_download_item_check") : nullptr;
            return check != nullptr;
        }));
        ASSERT_TRUE(ClickOn(Wnd(), check));
        ASSERT_TRUE(test::PumpUntil([&] { return check->IsChecked() == TRUE; }, 10s)) << position;
    }
    ASSERT_TRUE(ClickOn(Wnd(), Wnd().FindChildByName(L"btn_driver_download")));

    // Finished items show their last page ("open folder") and the count of
    // finished downloads says two, without help from the test.
    const auto finished = [&] {
        return Page(0) == 4 && Page(2) == 4 && TextOf(Wnd(), L"dirver_download_count_2") == L"2";
    };
    ASSERT_TRUE(test::PumpUntil(finished, kDownloadTime))
        << "pages " << Page(0) << ", " << Page(2) << "; finished "
        << TextOf(Wnd(), L"dirver_download_count_2");
    EXPECT_TRUE(ServedExactly(tasks[0]));
    EXPECT_TRUE(ServedExactly(tasks[2]));
    // The unticked ones were left alone.
    EXPECT_EQ(Page(1), 0);
    EXPECT_EQ(Page(3), 0);
    for (size_t position : {1, 3, 4, 5})
        EXPECT_FALSE(fs::exists(os::WideToUtf8Lossy(Wnd().BuildDownloadPath(tasks[position])))) << position;

    test::Pump(500ms);
    const fs::path picture = pelltest::ShotPath(kScreenshot);
    const x11test::ToolRun shot = x11test::RunTool({"import", "-window", "root", picture.string()});
    EXPECT_EQ(shot.exitCode, 0) << shot.output;
    EXPECT_GT(fs::exists(picture) ? fs::file_size(picture) : 0, 0u) << picture;
}

}  // namespace
}  // namespace apptest
