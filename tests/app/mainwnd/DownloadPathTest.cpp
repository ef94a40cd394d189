// Where a downloaded driver lands: «download folder»/«model»/«system»/
// «category»/«file name», confined to the download folder whatever the
// service sends.
#include <gtest/gtest.h>

#include <filesystem>

#include "download/DownLoadCounters.h"
#include "download/DriverDb.h"
#include "soui/STestApi.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/TempFolder.h"

using namespace SOUI;

namespace apptest {
namespace {

namespace fs = std::filesystem;

class DownloadPath : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        fs::create_directories(root / "downloads");
        savedDir = g_downLoadDir;
        g_downLoadDir = (root / "downloads").wstring();
    }
    void TearDown() override {
        g_downLoadDir = savedDir;
        MainWindowTest::TearDown();
    }

    static DriverTask Task(const std::string& model, const std::string& os, const std::wstring& category,
                           const std::string& file) {
        DriverTask task;
        task.modelCode = model;
        task.osName = os;
        task.category = category.c_str();
        task.fileName = file;
        task.kind = 2;
        return task;
    }

    // True when the path, taken part by part, stays below the download folder.
    static bool Confined(const fs::path& path) {
        const fs::path base = fs::path(g_downLoadDir).lexically_normal();
        const fs::path normal = path.lexically_normal();
        const auto [mismatch, unused] = std::mismatch(base.begin(), base.end(), normal.begin(), normal.end());
        if (mismatch != base.end()) return false;
        for (const fs::path& part : normal)
            if (part == "..") return false;
        return std::distance(normal.begin(), normal.end()) == std::distance(base.begin(), base.end()) + 4;
    }

    pelltest::TempFolder folder{"pellucor_paths_"};
    const fs::path& root = folder.Path();
    std::wstring savedDir;
};

TEST_F(DownloadPath, RemovesTheSevenCharactersFromFoldersAndKeepsTheFileName) {
    const std::wstring path =
        Wnd().BuildDownloadPath(Task("M10/2:3", "Win 11 64位", L"x*y?", "a?b<c>d*e:f\"g|h.exe"));
    EXPECT_EQ(path, g_downLoadDir + L"/M1023/Win 11 64位/xy/a?b<c>d*e:f\"g|h.exe");
    EXPECT_TRUE(fs::is_directory(root / "downloads/M1023/Win 11 64位/xy"));
    // The quote and the bar stay in every part.
    EXPECT_EQ(Wnd().BuildDownloadPath(Task("a\"b|c", "o", L"c\"|", "f")),
              g_downLoadDir + L"/a\"b|c/o/c\"|/f");
}

TEST_F(DownloadPath, AnEmptySystemNameGivesAnEmptyPart) {
    EXPECT_EQ(Wnd().BuildDownloadPath(Task("M1", "", L"网卡", "n.exe")), g_downLoadDir + L"/M1//网卡/n.exe");
}

TEST_F(DownloadPath, HostileNamesNeverLeaveTheDownloadFolder) {
    const std::string longName(300, 'x');
    const DriverTask cases[] = {
        Task("M1", "o", L"c", "../../../.bashrc"),
        Task("..", "..", L"..", ".."),
        Task(".", ".", L".", "."),
        Task("/", "\\", L"/", "/etc/passwd"),
        Task("M1", "o", L"c", std::string("..\0/x", 5)),
        Task(std::string("..\0", 3), "o", L"c", "f"),
        Task("M1", "o", L"c", ""),
        Task("M1", "o", L"c", "\x01\x1b[31m\x7f.exe"),
        Task(longName, "o", L"c", longName + ".exe"),
    };
    for (const DriverTask& task : cases) {
        const std::wstring path = Wnd().BuildDownloadPath(task);
        EXPECT_TRUE(Confined(path)) << fs::path(path).string();
    }
    // Nothing was made outside the download folder.
    for (const auto& entry : fs::directory_iterator(root)) EXPECT_EQ(entry.path().filename(), "downloads");
}

}  // namespace
}  // namespace apptest
