// Closing the main window while a download runs.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "download/DownLoadCounters.h"
#include "download/DownLoadManager.h"
#include "download/DriverDb.h"
#include "soui/SMessageBox.h"
#include "soui/SMessageLoop.h"
#include "soui/STestApi.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/DownLoadManagerProbe.h"
#include "tests/support/TempFolder.h"

using namespace SOUI;

namespace apptest {
namespace {

namespace fs = std::filesystem;

using CloseWindow = MainWindowTest;

const char* kStatistics = "/Home/tool/statistics";

TEST_F(CloseWindow, CancelOnTheQuestionKeepsWindowDownloadsAndTimers) {
    // A transfer of an hour and more, handed over as the window's download
    // actions do: it still runs when the question has been answered, however
    // slowly the window gets there. The engine writes its partial file a
    // mebibyte at a time, so the rate fills one in about a second.
    Service().SetMode("files", "rate", "1048576");
    const pelltest::TempFolder target("pellucor_close_");
    PendingDownLoad request;
    request.kind = 2;
    request.taskId = 900001;
    request.size = 5368709120;
    request.url = Service().BaseUrl() + "/files/corrans13_audio_full_6.0.zip";
    request.savePath = (target / L"audio.zip").wstring();
    ++g_activeDownLoads;
    g_downLoadManager.Enqueue(request);

    test::MessageBoxAnswerer answers({IDCANCEL});
    ASSERT_TRUE(test::Click(Wnd(), L"btn_sys_close"));
    EXPECT_EQ(answers.Texts(), std::vector<std::wstring>{L"有正在下载的任务，确认退出吗？"});
    EXPECT_TRUE(Wnd().IsWindow());
    EXPECT_EQ(g_activeDownLoads.load(), 1);
    // The transfer goes on: bytes keep arriving in its partial file. (A
    // missing file has no size, not a large one.)
    EXPECT_TRUE(test::PumpUntil(
        [&] {
            std::error_code ec;
            const uintmax_t size = fs::file_size(target / "audio.zip.part", ec);
            return !ec && size > 0;
        },
        std::chrono::seconds(120)));
    EXPECT_TRUE(Service().Log(kStatistics).empty());
    // Both timers still run.
    EXPECT_TRUE(Wnd().KillTimer(1));
    EXPECT_TRUE(Wnd().KillTimer(3));

    // Stop acts on a started transfer only; the stop shows at once, and the
    // engine writes in the folder until it has confirmed the cancel.
    ASSERT_TRUE(g_downLoadManager.Stop(request));
    EXPECT_TRUE(test::PumpUntil([] { return DownLoadManagerProbe::TransfersEnded(g_downLoadManager); },
                                std::chrono::seconds(60)));
}

TEST_F(CloseWindow, WithoutDownloadsItAsksNothingAndSendsTheReport) {
    test::MessageBoxAnswerer answers;
    ASSERT_TRUE(test::Click(Wnd(), L"btn_sys_close"));
    EXPECT_TRUE(answers.Texts().empty());
    ASSERT_EQ(Service().Log(kStatistics).size(), 1u);
    EXPECT_EQ(Service().LastToolReport()["status"], "3");
    // The posted quit ends a message loop, as it ends the program's; left in
    // the queue it would end the next test's first modal box at once.
    EXPECT_EQ(SMessageLoop::GetCurrent()->Run(), 0);
}

}  // namespace
}  // namespace apptest
