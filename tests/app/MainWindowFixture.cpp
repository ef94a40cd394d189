#include "MainWindowFixture.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "app/ProgramGlobals.h"
#include "soui/SResProvider.h"
#include "soui/STestApi.h"
#include "soui/SystemApi.h"

using namespace SOUI;

namespace apptest {

namespace {

// The main window ends the process with code 0 when it takes itself for a
// second copy or an outdated tool; inside a test that must not pass.
std::atomic<bool> g_testRunning{false};

void FailAnExitDuringATest() {
    if (!g_testRunning) return;
    std::fputs("the process ended in the middle of a window test\n", stderr);
    std::_Exit(1);
}

}  // namespace

pelltest::LocalService& Service() {
    static pelltest::LocalService& service = []() -> pelltest::LocalService& {
        pelltest::LocalService& shared = pelltest::LocalService::Shared();
        ::setenv("PELLUCOR_SERVICE_URL", shared.BaseUrl().c_str(), 1);
        ::setenv("PELLUCOR_CA_FILE", shared.CertificateFile().c_str(), 1);
        return shared;
    }();
    return service;
}

ProgramFramework& Framework() {
    static ProgramFramework* framework = [] {
        test::UseOffscreenPlatform();
        auto* made = new ProgramFramework();
        EXPECT_TRUE(made->Start(GetModuleHandleW(nullptr)));
        return made;
    }();
    return *framework;
}

void MainWindowTest::SetUp() {
    static const bool guarded = std::atexit(FailAnExitDuringATest) == 0;
    EXPECT_TRUE(guarded);
    g_testRunning = true;
    Service().Reset();
    Framework();
    wnd = std::make_unique<CMainWnd>();
    ASSERT_NE(wnd->Create(nullptr), nullptr);
    {
        // Start-up shows a box and ends the program when it takes itself for
        // a second copy (two programs of its name run on this machine) or an
        // outdated tool. Answered, the box cannot wait for a click for ever;
        // the exit then fails the test.
        test::MessageBoxAnswerer startUpBoxes;
        wnd->SendMessageW(WM_INITDIALOG, 0, 0);
    }
    wnd->ShowWindow(SW_SHOWNORMAL);
    ASSERT_TRUE(test::PumpUntil([] { return g_networkState != -1; }));
}

void MainWindowTest::TearDown() {
    if (wnd && wnd->IsWindow()) wnd->DestroyWindow();
    wnd.reset();
    g_testRunning = false;
}

}  // namespace apptest
