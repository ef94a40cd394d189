// Start-up outcomes of the real program, each ending with exit code 0.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "ProgramRun.h"
#include "tests/support/BrowserRecorder.h"
#include "tests/support/LocalService.h"

namespace apptest {
namespace {

using StartupOutcome = ProgramTest;

TEST_F(StartupOutcome, AMissingRendererOrDecoderEndsStartUpWithItsMessageOnly) {
    struct Case {
        std::vector<std::string> modules;
        const char* message;
    };
    const Case cases[] = {
        {{"libimgdecoder-gdip.so", "libsoui-sys-resource.so"}, "Load CreateRender_Skia Error!"},
        {{"librender-skia.so", "libsoui-sys-resource.so"}, "Load CreateImgDecoder Error!"},
    };
    for (const Case& c : cases) {
        service.ResetLog();
        ProgramFolder folder(c.modules);
        ProgramRun run(folder, Env());
        EXPECT_EQ(run.WaitForExit(), 0) << run.Output();
        EXPECT_EQ(run.MessageBoxes(), std::vector<std::string>{c.message});
        EXPECT_TRUE(service.Log().empty()) << c.message;
    }
}

TEST_F(StartupOutcome, MissingSystemResourcesAreReportedAndTheWindowStillOpens) {
    ProgramFolder folder({"librender-skia.so", "libimgdecoder-gdip.so"});
    ProgramRun run(folder, Env());
    ASSERT_TRUE(WaitUntil([&] { return Initialised(); })) << run.Output();
    run.RequestClose();
    EXPECT_EQ(run.WaitForExit(), 0) << run.Output();
    EXPECT_EQ(run.MessageBoxes(), std::vector<std::string>{"Load SYS_NAMED_RESOURCE Error!"});
    EXPECT_EQ(service.LastToolReport()["status"], "3");
}

TEST_F(StartupOutcome, ACopyUnderAnotherNameIsNoSecondCopy) {
    ProgramFolder copyFolder(kAllModules, "PellucorCopy");
    ProgramRun copy(copyFolder, Env());
    ASSERT_TRUE(WaitUntil([&] { return Initialised(); })) << copy.Output();
    service.ResetLog();

    ProgramFolder folder;
    ProgramRun run(folder, Env());
    ASSERT_TRUE(WaitUntil([&] { return Initialised(); })) << run.Output();
    EXPECT_TRUE(run.MessageBoxes().empty());
    for (ProgramRun* program : {&run, &copy}) {
        program->RequestClose();
        EXPECT_EQ(program->WaitForExit(), 0) << program->Output();
    }
}

TEST_F(StartupOutcome, ANewerVersionOpensTheDownloadPageAndEnds) {
    service.SetMode("tool", "version", "newer");
    BrowserRecorder browser;
    ProgramFolder folder;
    ProgramRun run(folder, Env());
    EXPECT_EQ(run.WaitForExit(), 0) << run.Output();
    EXPECT_EQ(run.MessageBoxes(),
              std::vector<std::string>{"检测到当前工具有新的版本更新，请下载最新版本使用。"});
    EXPECT_EQ(browser.WaitForOpened(1).size(), 1u);
    EXPECT_TRUE(service.Log("/home/tool/urlList").empty());
}

TEST_F(StartupOutcome, AVersionServiceThatFailsDoesNotStopTheTool) {
    service.SetFault("close", "/Home/tool/version");
    ProgramFolder folder;
    ProgramRun run(folder, Env());
    ASSERT_TRUE(WaitUntil([&] { return Initialised(); })) << run.Output();
    run.RequestClose();
    EXPECT_EQ(run.WaitForExit(), 0) << run.Output();
    EXPECT_TRUE(run.MessageBoxes().empty());
}

TEST_F(StartupOutcome, TheProgramWorksInItsOwnFolderWhereverItIsStarted) {
    ProgramFolder folder;
    ProgramRun run(folder, Env(), "/");
    ASSERT_TRUE(WaitUntil([&] { return Initialised(); })) << run.Output();
    char cwd[4096] = {};
    const std::string link = "/proc/" + std::to_string(run.Pid()) + "/cwd";
    const ssize_t n = ::readlink(link.c_str(), cwd, sizeof cwd - 1);
    ASSERT_GT(n, 0);
    EXPECT_EQ(std::filesystem::path(cwd), std::filesystem::canonical(folder.Path()));
    run.RequestClose();
    EXPECT_EQ(run.WaitForExit(), 0) << run.Output();
}

}  // namespace
}  // namespace apptest
