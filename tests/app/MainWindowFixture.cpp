#include "MainWindowFixture.h"

#include <cstdlib>

#include "app/ProgramGlobals.h"
#include "soui/SResProvider.h"
#include "soui/STestApi.h"
#include "soui/SystemApi.h"

using namespace SOUI;

namespace apptest {

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
    Service().Reset();
    Framework();
    wnd = std::make_unique<CMainWnd>();
    ASSERT_NE(wnd->Create(nullptr), nullptr);
    wnd->SendMessageW(WM_INITDIALOG, 0, 0);
    wnd->ShowWindow(SW_SHOWNORMAL);
    ASSERT_TRUE(test::PumpUntil([] { return g_networkState != -1; }));
}

void MainWindowTest::TearDown() {
    if (wnd && wnd->IsWindow()) wnd->DestroyWindow();
    wnd.reset();
}

}  // namespace apptest
