// The settings dialog on real windows, storing into a copy of the shipped
// database.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/dialogs/PopWndSet.h"
#include "download/DownLoadManager.h"
#include "download/DriverDb.h"
#include "os/ModulePath.h"
#include "os/UnicodeText.h"
#include "soui/SDialogTestHook.h"
#include "soui/STestApi.h"
#include "soui/SWidgetTestApi.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/app/ScriptedDialog.h"
#include "tests/support/DownLoadManagerProbe.h"
#include "tests/support/ShotFolder.h"
#include "tests/support/TempFolder.h"

namespace apptest {
namespace {

namespace fs = std::filesystem;
using namespace SOUI;
using Dialog = ScriptedDialog<CPopWndSet>;
using test::MessageBoxAnswerer;

std::wstring Wide(const fs::path& path) {
    return os::Utf8ToWide(path.string()).value();
}

std::string Narrow(const std::wstring& text) {
    return os::WideToUtf8(text).value();
}

SStringW Text(CPopWndSet& dlg, const wchar_t* name) {
    SWindow* control = dlg.FindChildByName(name);
    return control != nullptr ? control->GetWindowTextW() : SStringW(L"<missing>");
}

bool HintShown(CPopWndSet& dlg) {
    SWindow* hint = dlg.FindChildByName(L"dirverdownload_chanelmax");
    return hint != nullptr && hint->IsVisible(TRUE);
}

// Replaces the count box's text as a user would: emptied, then typed.
void EnterCount(CPopWndSet& dlg, const std::wstring& count) {
    dlg.FindChildByName(L"popwnd_set_edit_2")->SetWindowTextW(L"");
    ASSERT_TRUE(test::TypeText(dlg, L"popwnd_set_edit_2", count));
    ASSERT_EQ(Text(dlg, L"popwnd_set_edit_2"), count.c_str());
}

using Row = std::pair<std::string, std::string>;  // localpath, newdevpath

class PopWndSet : public ::testing::Test {
protected:
    void SetUp() override {
        Framework();
        DropPendingQuit();
        saved = {g_downLoadDir, g_maxDownLoadsText, g_maxDownLoads};
        fs::create_directories(root / "db");
        // Never the shipped file that other tests read.
        fs::copy_file(Narrow(os::ExecutableDir()) + "driverdownload.db3", root / "db" / "driverdownload.db3");
        ASSERT_TRUE(g_driverDb.OpenIn(Wide(root / "db") + L"/"));
        baseRows = Rows().size();

        prog = root / "程序 目录";
        fs::create_directories(prog / "Driver");
        g_downLoadDir = Wide(prog / "Driver");
        g_maxDownLoadsText = L"3";
        g_maxDownLoads = 3;
        g_downLoadManager.SetMaxDownLoads(3);
    }

    void TearDown() override {
        g_driverDb.Close();
        g_downLoadDir = saved.dir;
        g_maxDownLoadsText = saved.countText;
        g_maxDownLoads = saved.count;
        g_downLoadManager.SetMaxDownLoads(0);
    }

    // tb_set rows added since the test began, oldest first.
    std::vector<Row> Rows() const {
        std::vector<Row> rows;
        sqlite3* db = nullptr;
        const std::string file = (root / "db" / "driverdownload.db3").string();
        if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_stmt* stmt = nullptr;
            sqlite3_prepare_v2(db, "select localpath, newdevpath from tb_set order by id", -1, &stmt,
                               nullptr);
            while (stmt != nullptr && sqlite3_step(stmt) == SQLITE_ROW) {
                rows.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)),
                                  reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1)));
            }
            sqlite3_finalize(stmt);
        }
        sqlite3_close(db);
        if (rows.size() >= baseRows) rows.erase(rows.begin(), rows.begin() + static_cast<long>(baseRows));
        return rows;
    }

    struct Saved {
        std::wstring dir;
        std::wstring countText;
        int32_t count;
    } saved;
    pelltest::TempFolder folder{"pell_set_"};
    const fs::path& root = folder.Path();
    fs::path prog;
    size_t baseRows = 0;
    test::DialogAnswerer answers;
};

TEST_F(PopWndSet, ShowsTheParentFolderAndKeepsItOnAnUnchangedOk) {
    Dialog dlg([&](Dialog& d) {
        EXPECT_EQ(Text(d, L"popwnd_set_edit_1"), Wide(prog).c_str());
        EXPECT_EQ(Text(d, L"popwnd_set_edit_2"), L"3");
        EXPECT_FALSE(HintShown(d));
        EXPECT_TRUE(test::SaveWindowAsPng(d, pelltest::ShotPath(L"popwnd_set.png")));
        ASSERT_TRUE(test::Click(d, L"btn_popwnd_set_ok"));
    });
    EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
    EXPECT_EQ(g_downLoadDir, Wide(prog / "Driver"));
    const Row row{(prog / "Driver").string(), "3"};
    EXPECT_EQ(Rows(), (std::vector<Row>{row, row}));
}

TEST_F(PopWndSet, FolderBrowserStartsAtTheDownloadFolderAndOnlyOkApplies) {
    const fs::path other = root / "其他";
    fs::create_directories(other);
    HWND hwnd = nullptr;
    Dialog dlg([&](Dialog& d) {
        hwnd = d.m_hWnd;
        answers.Queue({true, Wide(other)});
        ASSERT_TRUE(test::Click(d, L"btn_popwnd_set_pathchange"));
        EXPECT_EQ(Text(d, L"popwnd_set_edit_1"), Wide(other).c_str());
        answers.Queue({false, {}});
        ASSERT_TRUE(test::Click(d, L"btn_popwnd_set_pathchange"));
        EXPECT_EQ(Text(d, L"popwnd_set_edit_1"), Wide(other).c_str())
            << "a cancelled browser changes nothing";
        EnterCount(d, L"5");
        ASSERT_TRUE(test::Click(d, L"btn_popwnd_set_cancle"));
    });
    EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
    EXPECT_EQ(g_downLoadDir, Wide(prog / "Driver"));
    EXPECT_EQ(g_maxDownLoadsText, L"3");
    EXPECT_TRUE(Rows().empty());

    const auto shown = answers.Shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_TRUE(shown[0].folderBrowser);
    EXPECT_EQ(shown[0].title, L"请选择驱动存储目录:");
    EXPECT_EQ(shown[0].owner, hwnd);
    // The download folder itself is selected, in its parent.
    EXPECT_EQ(shown[0].folder, Wide(prog));
    EXPECT_EQ(shown[0].nameBox, L"Driver");
}

TEST_F(PopWndSet, CloseCancelAndWmCloseApplyNothing) {
    for (const wchar_t* way : {L"btn_popwnd_set_close", L"btn_popwnd_set_cancle", L"WM_CLOSE"}) {
        SCOPED_TRACE(Narrow(way));
        Dialog dlg([&](Dialog& d) {
            EnterCount(d, L"6");
            if (std::wstring(way) == L"WM_CLOSE") {
                d.PostMessageW(WM_CLOSE);
            } else {
                ASSERT_TRUE(test::Click(d, way));
            }
        });
        EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
        EXPECT_EQ(g_maxDownLoadsText, L"3");
        EXPECT_TRUE(Rows().empty());
    }
}

TEST_F(PopWndSet, RejectedCountShowsTheHintAndStoresOnlyTheFolder) {
    const fs::path other = root / "新目录";
    fs::create_directories(other);
    const std::wstring rejected[] = {L"0", L"7", L"", L" 3", L"3 ", L"03", L"9", L"３"};
    for (const std::wstring& count : rejected) {
        SCOPED_TRACE("count \"" + Narrow(count) + "\"");
        g_downLoadDir = Wide(prog / "Driver");
        const size_t rowsBefore = Rows().size();
        Dialog dlg([&](Dialog& d) {
            answers.Queue({true, Wide(other)});
            ASSERT_TRUE(test::Click(d, L"btn_popwnd_set_pathchange"));
            EnterCount(d, count);
            ASSERT_TRUE(test::Click(d, L"btn_popwnd_set_ok"));
            EXPECT_TRUE(HintShown(d));
            EXPECT_TRUE(d.IsWindowVisible()) << "the dialog stays open";
            if (count == L"9") {
                EXPECT_TRUE(test::SaveWindowAsPng(d, pelltest::ShotPath(L"popwnd_set_hint.png")));
            }
            // The folder part is already in force, stored with the old count.
            EXPECT_EQ(g_downLoadDir, Wide(other / "Driver"));
            EXPECT_TRUE(fs::is_directory(other / "Driver"));
            const auto rows = Rows();
            ASSERT_EQ(rows.size(), rowsBefore + 1);
            EXPECT_EQ(rows.back(), (Row{(other / "Driver").string(), "3"}));
            EXPECT_EQ(g_maxDownLoads, 3);
            EXPECT_EQ(g_maxDownLoadsText, L"3");

            // Corrected: the same folder again, without a second "Driver".
            EnterCount(d, L"4");
            ASSERT_TRUE(test::Click(d, L"btn_popwnd_set_ok"));
        });
        EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
        EXPECT_EQ(g_downLoadDir, Wide(other / "Driver"));
        EXPECT_EQ(g_maxDownLoads, 4);
        const auto rows = Rows();
        ASSERT_EQ(rows.size(), rowsBefore + 3);
        EXPECT_EQ(rows[rowsBefore + 1], (Row{(other / "Driver").string(), "3"}));
        EXPECT_EQ(rows[rowsBefore + 2], (Row{(other / "Driver").string(), "4"}));
        g_maxDownLoadsText = L"3";
        g_maxDownLoads = 3;
    }
}

TEST_F(PopWndSet, AcceptedCountReachesTheManagerAndTheNextOpening) {
    for (int digit = 1; digit <= 6; ++digit) {
        const std::wstring text = std::to_wstring(digit);
        SCOPED_TRACE(digit);
        const size_t rowsBefore = Rows().size();
        const std::wstring oldText = g_maxDownLoadsText;
        Dialog dlg([&](Dialog& d) {
            EnterCount(d, text);
            ASSERT_TRUE(test::Click(d, L"btn_popwnd_set_ok"));
        });
        EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
        EXPECT_EQ(g_maxDownLoads, digit);
        EXPECT_EQ(g_maxDownLoadsText, text);
        EXPECT_EQ(DownLoadManagerProbe::MaxDownLoads(g_downLoadManager), digit);
        const auto rows = Rows();
        ASSERT_EQ(rows.size(), rowsBefore + 2);
        const std::string folder = (prog / "Driver").string();
        EXPECT_EQ(rows[rowsBefore], (Row{folder, Narrow(oldText)}));
        EXPECT_EQ(rows[rowsBefore + 1], (Row{folder, Narrow(text)}));

        Dialog next([&](Dialog& d) {
            EXPECT_EQ(Text(d, L"popwnd_set_edit_2"), text.c_str());
            EXPECT_FALSE(HintShown(d));
            ASSERT_TRUE(test::Click(d, L"btn_popwnd_set_close"));
        });
        EXPECT_EQ(next.DoModal(nullptr), IDOK);
    }
}

TEST_F(PopWndSet, EmptyDownloadFolderOpensEmptyAndIsRefused) {
    g_downLoadDir.clear();
    MessageBoxAnswerer boxes;
    Dialog dlg([&](Dialog& d) {
        EXPECT_EQ(Text(d, L"popwnd_set_edit_1"), L"");
        EXPECT_EQ(Text(d, L"popwnd_set_edit_2"), L"");
        EnterCount(d, L"2");
        ASSERT_TRUE(test::Click(d, L"btn_popwnd_set_ok"));
        EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{L"驱动下载目录不能为空！"});
        EXPECT_TRUE(d.IsWindowVisible());
        EXPECT_FALSE(HintShown(d));
        ASSERT_TRUE(test::Click(d, L"btn_popwnd_set_close"));
    });
    EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
    EXPECT_EQ(g_downLoadDir, L"");
    EXPECT_EQ(g_maxDownLoads, 3);
    EXPECT_TRUE(Rows().empty());
}

// The root as the chosen folder gives the separator twice, and the next
// opening shows the root again, so a second OK keeps the same folder.
TEST_F(PopWndSet, RootFolderGivesTheSeparatorTwice) {
    const bool rootDriverExisted = fs::exists("/Driver");
    for (int opening = 0; opening < 2; ++opening) {
        Dialog dlg([&](Dialog& d) {
            if (opening == 0) {
                answers.Queue({true, L"/"});
                ASSERT_TRUE(test::Click(d, L"btn_popwnd_set_pathchange"));
            }
            EXPECT_EQ(Text(d, L"popwnd_set_edit_1"), L"/");
            ASSERT_TRUE(test::Click(d, L"btn_popwnd_set_ok"));
        });
        EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
        EXPECT_EQ(g_downLoadDir, L"//Driver");
    }
    EXPECT_EQ(Rows().back(), (Row{"//Driver", "3"}));
    if (!rootDriverExisted) fs::remove_all("/Driver");
}

// Paths are not bounded at 260 characters: a long folder is shown, offered
// and stored whole.
TEST_F(PopWndSet, LongFolderIsKeptWhole) {
    // Long enough below any temporary folder.
    fs::path deep = root;
    for (int i = 0; i < 7; ++i) deep /= std::string(40, static_cast<char>('a' + i)) + "目录";
    fs::create_directories(deep / "Driver");
    g_downLoadDir = Wide(deep / "Driver");
    ASSERT_GT(g_downLoadDir.size(), 300u);
    Dialog dlg([&](Dialog& d) {
        EXPECT_EQ(Text(d, L"popwnd_set_edit_1"), Wide(deep).c_str());
        answers.Queue({});
        ASSERT_TRUE(test::Click(d, L"btn_popwnd_set_pathchange"));
        EXPECT_EQ(Text(d, L"popwnd_set_edit_1"), Wide(deep / "Driver").c_str());
        ASSERT_TRUE(test::Click(d, L"btn_popwnd_set_ok"));
    });
    EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
    EXPECT_EQ(answers.Shown().at(0).folder, Wide(deep));
    EXPECT_EQ(g_downLoadDir, Wide(deep / "Driver" / "Driver"));
    EXPECT_TRUE(fs::is_directory(deep / "Driver" / "Driver"));
    EXPECT_EQ(Rows().back(), (Row{(deep / "Driver" / "Driver").string(), "3"}));
}

}  // namespace
}  // namespace apptest
