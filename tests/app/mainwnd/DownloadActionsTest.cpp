// The download actions of the driver list, clicked on the real window, with
// the real engine against the local service.
#include <gtest/gtest.h>

#include <chrono>
#include <map>

#include "soui/SMessageBox.h"
#include "tests/app/DownloadWindowSupport.h"
#include "tests/support/BrowserRecorder.h"
#include "tests/support/ServedFile.h"

using namespace SOUI;

namespace apptest {
namespace {

namespace fs = std::filesystem;

constexpr auto kDownloadTime = std::chrono::seconds(120);

class DownloadActions : public DownloadWindowTest {
protected:
    std::vector<std::string> FileRequests() {
        std::vector<std::string> names;
        for (const auto& request : Service().Log())
            if (request.path.rfind("/files/", 0) == 0) names.push_back(request.path.substr(7));
        return names;
    }
    bool ServedExactly(int position) {
        const DriverTask& task = tasks.at(static_cast<size_t>(position));
        return pelltest::FileSha256(Saved(position).string()) ==
               pelltest::ServedFileSha256(task.fileName, static_cast<uint64_t>(task.size));
    }
    bool WaitForState(int position, int32_t state) {
        return test::PumpUntil([&] { return State(position) == state; }, kDownloadTime);
    }
    bool WaitForPage(int position, int page) {
        return test::PumpUntil([&] { return Page(position) == page; }, kDownloadTime);
    }
};

TEST_F(DownloadActions, NothingToDownloadIsSaidAndStartsNothing) {
    ASSERT_EQ(tasks.size(), 6u);
    {
        test::MessageBoxAnswerer answers;
        ASSERT_TRUE(test::Click(Wnd(), L"btn_driver_download"));
        EXPECT_EQ(answers.Texts(), std::vector<std::wstring>{L"请选择需要下载的驱动!"});
    }
    EXPECT_EQ(g_activeDownLoads.load(), 0);
    EXPECT_EQ(g_startedDownLoads, 0);
    test::Pump(std::chrono::milliseconds(300));
    EXPECT_TRUE(FileRequests().empty());
}

TEST_F(DownloadActions, CheckedItemsGoInListOrderAndCountOnceEach) {
    Service().SetMode("files", "rate", "32768");
    for (int position : {4, 0, 2}) Tick(position);
    // One more start is let through only once the request before it has
    // reached the service, so the service sees them in the order they were
    // handed over however long each takes to arrive.
    g_downLoadManager.SetMaxDownLoads(1);
    ASSERT_TRUE(test::Click(Wnd(), L"btn_driver_download"));
    EXPECT_EQ(g_activeDownLoads.load(), 3);
    EXPECT_EQ(g_startedDownLoads, 3);
    for (size_t seen = 1; seen <= 3; ++seen) {
        ASSERT_TRUE(test::PumpUntil([&] { return FileRequests().size() == seen; }, kDownloadTime)) << seen;
        g_downLoadManager.SetMaxDownLoads(static_cast<int32_t>(seen) + 1);
    }
    EXPECT_EQ(FileRequests(),
              (std::vector<std::string>{tasks[0].fileName, tasks[2].fileName, tasks[4].fileName}));

    // The same three, still ticked, are no longer to be started (the button
    // itself is greyed while downloads run, so the handler is called).
    test::MessageBoxAnswerer answers;
    Wnd().OnBtnDownload();
    EXPECT_EQ(answers.Texts(), std::vector<std::wstring>{L"请选择需要下载的驱动!"});
    EXPECT_EQ(g_startedDownLoads, 3);
}

TEST_F(DownloadActions, RetryCountsOnlyAsActiveAndStopNeverTakesTheStartedCountBelowZero) {
    Service().SetMode("files", "rate", "32768");
    Wnd().RetryItemDownload(tasks[1]);
    EXPECT_EQ(g_activeDownLoads.load(), 1);
    EXPECT_EQ(g_startedDownLoads, 0);
    Wnd().StopItemDownload(tasks[1]);
    EXPECT_EQ(g_startedDownLoads, 0);
    Wnd().StartItemDownload(tasks[1]);
    EXPECT_EQ(g_startedDownLoads, 1);
    Wnd().StopItemDownload(tasks[1]);
    EXPECT_EQ(g_startedDownLoads, 0);
    // The dispatcher takes the stopped downloads off the active count.
    EXPECT_TRUE(test::PumpUntil([] { return g_activeDownLoads == 0; }));
}

TEST_F(DownloadActions, SixAtOnceLandByteExactWhereTheSavePathSays) {
    ASSERT_TRUE(test::Click(Wnd(), L"btn_allchoose"));
    ASSERT_TRUE(test::Click(Wnd(), L"btn_driver_download"));
    EXPECT_EQ(g_startedDownLoads, 6);
    for (int position = 0; position < 6; ++position) {
        ASSERT_TRUE(WaitForPage(position, 4)) << position;
        EXPECT_TRUE(ServedExactly(position)) << position;
    }
    EXPECT_TRUE(test::PumpUntil([] { return g_activeDownLoads == 0; }));
}

TEST_F(DownloadActions, PauseShowsNoSpeedAndResumeContinuesWithARange) {
    Service().SetMode("files", "rate", "65536");
    ASSERT_TRUE(ClickItem(1, L"dirverfind_download_item_btn_st"));
    ASSERT_TRUE(WaitForPage(1, 2));
    ASSERT_TRUE(test::PumpUntil([&] {
        return fs::exists(Saved(1).string() + ".part") && fs::file_size(Saved(1).string() + ".part") > 0;
    }));
    ASSERT_TRUE(ClickItem(1, L"dirverfind_download_item_btn_pause"));
    ASSERT_TRUE(WaitForPage(1, 3));
    EXPECT_EQ(TextOf(Item(1)->FindChildByName(L"text_item_download_speed_2")), L"0B/S");

    Service().ResetLog();
    Service().SetMode("files", "rate", "");
    ASSERT_TRUE(ClickItem(1, L"dirverfind_download_item_btn_run"));
    ASSERT_TRUE(WaitForPage(1, 4));
    EXPECT_TRUE(ServedExactly(1));
    const auto requests = Service().Log("/files/" + tasks[1].fileName);
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.back().Header("Range").rfind("bytes=", 0), 0u) << requests.back().Header("Range");
}

TEST_F(DownloadActions, StopReturnsTheItemToItsStartAndLeavesNoFile) {
    Service().SetMode("files", "rate", "32768");
    ASSERT_TRUE(ClickItem(3, L"dirverfind_download_item_btn_st"));
    ASSERT_TRUE(WaitForPage(3, 2));
    ASSERT_TRUE(ClickItem(3, L"dirverfind_download_item_btn_pause"));
    ASSERT_TRUE(WaitForPage(3, 3));
    // The pause shows at once; the engine writes in the folder until it has
    // confirmed it.
    ASSERT_TRUE(test::PumpUntil([] { return DownLoadManagerProbe::TransfersEnded(g_downLoadManager); },
                                kDownloadTime));
    // Stop makes the file's folder again, as pause and resume do.
    fs::remove_all(Saved(3).parent_path());
    ASSERT_TRUE(ClickItem(3, L"dirverfind_download_item_btn_close_4"));
    ASSERT_TRUE(WaitForPage(3, 0));
    EXPECT_TRUE(fs::is_directory(Saved(3).parent_path()));
    EXPECT_FALSE(fs::exists(Saved(3)));
    EXPECT_EQ(g_startedDownLoads, 0);
    EXPECT_TRUE(test::PumpUntil([] { return g_activeDownLoads == 0; }));
}

TEST_F(DownloadActions, ADroppedConnectionFailsAndRetryCompletesIt) {
    Service().SetMode("files", "drop-after", "100000");
    ASSERT_TRUE(ClickItem(0, L"dirverfind_download_item_btn_st"));
    ASSERT_TRUE(WaitForPage(0, 5));
    EXPECT_FALSE(fs::exists(Saved(0)));
    Service().SetMode("files", "drop-after", "");
    ASSERT_TRUE(ClickItem(0, L"dirverfind_download_item_btn_retry"));
    ASSERT_TRUE(WaitForPage(0, 4));
    EXPECT_TRUE(ServedExactly(0));
}

TEST_F(DownloadActions, AMissingFileFailsAndLeavesNothing) {
    Service().SetMode("files", "not-found", "1");
    ASSERT_TRUE(ClickItem(2, L"dirverfind_download_item_btn_st"));
    ASSERT_TRUE(WaitForPage(2, 5));
    for (const auto& entry : fs::recursive_directory_iterator(root))
        EXPECT_TRUE(entry.is_directory()) << entry.path();
}

TEST_F(DownloadActions, OpenFolderShowsTheSavedFile) {
    // The recorder changes the environment, which the start-up worker reads
    // as it starts its child processes: it must be done first.
    ASSERT_TRUE(test::PumpUntil([&] { return !Wnd().infoWorker.IsRunning(); }));
    BrowserRecorder fileManager("PELLUCOR_FILE_MANAGER");
    ASSERT_TRUE(ClickItem(5, L"dirverfind_download_item_btn_st"));
    ASSERT_TRUE(WaitForPage(5, 4));
    ASSERT_TRUE(ClickItem(5, L"dirverfind_download_item_btn_complete"));
    EXPECT_EQ(fileManager.WaitForOpened(1), std::vector<std::string>{Saved(5).string()});
}

// File names that climb, split or hold control characters: each download
// lands whole under the download folder and nothing is written elsewhere.
class DownloadOddNames : public DownloadActions {
protected:
    const wchar_t* Model() const override { return kOddNamesModel; }
};

TEST_F(DownloadOddNames, EveryFileLandsWholeUnderTheDownloadFolder) {
    ASSERT_EQ(tasks.size(), 5u);
    ASSERT_TRUE(test::Click(Wnd(), L"btn_allchoose"));
    ASSERT_TRUE(test::Click(Wnd(), L"btn_driver_download"));
    for (int position = 0; position < 5; ++position) {
        ASSERT_TRUE(WaitForPage(position, 4)) << tasks[static_cast<size_t>(position)].fileName;
        EXPECT_TRUE(ServedExactly(position)) << tasks[static_cast<size_t>(position)].fileName;
    }
    const fs::path folder = root / "Driver";
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        ++files;
        const fs::path relative = entry.path().lexically_relative(folder);
        EXPECT_FALSE(relative.empty() || *relative.begin() == "..") << entry.path();
    }
    EXPECT_EQ(files, 5);
}

// Two packages of one category both named "setup.exe", a third whose own name
// is "setup (2).exe", and ".." and "." in the categories ".." and "/", which
// clean to one save path: whatever the order, each finished row's file holds
// its own driver's bytes and none is replaced by another's.
class DownloadTwinFiles : public DownloadActions {
protected:
    const wchar_t* Model() const override { return kTwinFilesModel; }

    struct Served {
        std::string name;
        uint64_t size;
    };
    // What the service sends for each position (the second "setup.exe" comes
    // from an address of its own).
    const std::vector<Served> served{{"setup.exe", 98304},
                                     {"twint2_engine_setup.exe", 81920},
                                     {"setup (2).exe", 65536},
                                     {"..", 1000},
                                     {".", 1500}};

    fs::path Under(const std::string& subpath) {
        return root / "Driver" / "Twin Files T2" / "Windows 11 64位" / subpath;
    }

    // Waits until the row's download has finished or failed and the row
    // shows it; the page shown, -1 when it did not end.
    int WaitForEnd(int position) {
        const auto ended = [&] {
            return State(position) == TASK_COMPLETED || State(position) == TASK_FAILED;
        };
        if (!test::PumpUntil(ended, kDownloadTime)) return -1;
        const int page = State(position) == TASK_COMPLETED ? 4 : 5;
        return WaitForPage(position, page) ? page : -1;
    }
    // Clicks the row's button, waits until the click has reached the task
    // (a retried row is failed until then) and then until it ends.
    int RunToEnd(int position, const wchar_t* button) {
        const int32_t before = State(position);
        if (!ClickItem(position, button)) return -1;
        if (!test::PumpUntil([&] { return State(position) != before; }, kDownloadTime)) return -1;
        return WaitForEnd(position);
    }

    // Every row finished, each with its own bytes in the file given, and no
    // other file anywhere.
    void ExpectOwnFiles(const std::map<int, std::string>& subpaths) {
        for (const auto& [position, subpath] : subpaths) {
            EXPECT_EQ(Page(position), 4) << position;
            const Served& file = served.at(static_cast<size_t>(position));
            EXPECT_EQ(pelltest::FileSha256(Under(subpath).string()),
                      pelltest::ServedFileSha256(file.name, file.size))
                << position << " " << subpath;
        }
        size_t files = 0;
        for (const auto& entry : fs::recursive_directory_iterator(root))
            files += entry.is_regular_file() ? 1 : 0;
        EXPECT_EQ(files, subpaths.size());
    }
};

TEST_F(DownloadTwinFiles, StartedTogetherEachLandsInAFileOfItsOwn) {
    ASSERT_EQ(tasks.size(), 5u);
    ASSERT_TRUE(test::Click(Wnd(), L"btn_allchoose"));
    ASSERT_TRUE(test::Click(Wnd(), L"btn_driver_download"));
    for (int position = 0; position < 5; ++position) ASSERT_EQ(WaitForEnd(position), 4) << position;
    ExpectOwnFiles({{0, "芯片组/setup.exe"},
                    {1, "芯片组/setup (3).exe"},
                    {2, "芯片组/setup (2).exe"},
                    {3, "_/_"},
                    {4, "_/_ (2)"}});
}

TEST_F(DownloadTwinFiles, OneAfterTheOtherTheLaterIsNumberedAndANewListStartsAfresh) {
    ASSERT_EQ(tasks.size(), 5u);
    for (int position : {1, 0, 2, 4, 3})
        ASSERT_EQ(RunToEnd(position, L"dirverfind_download_item_btn_st"), 4) << position;
    ExpectOwnFiles({{1, "芯片组/setup.exe"},
                    {0, "芯片组/setup (3).exe"},
                    {2, "芯片组/setup (2).exe"},
                    {4, "_/_"},
                    {3, "_/_ (2)"}});
    // The same drivers listed again start with no claims, and claim anew.
    Query(Wnd(), Model());
    const std::vector<DriverTask> again = ListedTasks(Wnd());
    ASSERT_EQ(again.size(), 5u);
    EXPECT_EQ(os::WideToUtf8Lossy(Wnd().BuildDownloadPath(again[0])), Under("芯片组/setup.exe").string());
    EXPECT_EQ(os::WideToUtf8Lossy(Wnd().BuildDownloadPath(again[1])), Under("芯片组/setup (3).exe").string());
}

TEST_F(DownloadTwinFiles, ARetryAfterTheOtherFinishedKeepsBothAndEachRowShowsItsOwnFile) {
    // The recorder changes the environment, which the start-up worker reads
    // as it starts its child processes: it must be done first.
    ASSERT_TRUE(test::PumpUntil([&] { return !Wnd().infoWorker.IsRunning(); }));
    BrowserRecorder fileManager("PELLUCOR_FILE_MANAGER");
    Service().SetMode("files", "not-found", "1");
    ASSERT_EQ(RunToEnd(1, L"dirverfind_download_item_btn_st"), 5);
    Service().SetMode("files", "not-found", "");
    ASSERT_EQ(RunToEnd(0, L"dirverfind_download_item_btn_st"), 4);
    ASSERT_EQ(RunToEnd(1, L"dirverfind_download_item_btn_retry"), 4);
    ExpectOwnFiles({{1, "芯片组/setup.exe"}, {0, "芯片组/setup (3).exe"}});

    ASSERT_TRUE(ClickItem(0, L"dirverfind_download_item_btn_complete"));
    ASSERT_TRUE(ClickItem(1, L"dirverfind_download_item_btn_complete"));
    EXPECT_EQ(fileManager.WaitForOpened(2), (std::vector<std::string>{Under("芯片组/setup (3).exe").string(),
                                                                      Under("芯片组/setup.exe").string()}));
}

}  // namespace
}  // namespace apptest
