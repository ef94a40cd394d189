// The main window's page switches, links and agreement boxes, clicked.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/ProgramGlobals.h"
#include "app/dialogs/PopWndPack.h"
#include "app/dialogs/PopWndSet.h"
#include "soui/SControls.h"
#include "soui/STestApi.h"
#include "soui/SystemApi.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/BrowserRecorder.h"

using namespace SOUI;
using namespace std::chrono_literals;

namespace apptest {
namespace {

class PageCommand : public MainWindowTest {
protected:
    // The tests change the environment (the browser stand-in, the service
    // time-out); the start-up worker reads it while it collects the device
    // information, so it must be done first.
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_TRUE(test::PumpUntil([&] { return !Wnd().infoWorker.IsRunning(); }));
    }
    STabCtrl& Tab() {
        auto* tab = Wnd().FindChildByName2<STabCtrl>(L"tab_main_op");
        EXPECT_NE(tab, nullptr);
        return *tab;
    }
    void ShowPage(int page) {
        ASSERT_TRUE(Tab().SetCurSel(page));
        test::Pump(50ms);
    }
    SWindow& Control(const wchar_t* name) {
        SWindow* control = Wnd().FindChildByName(name);
        EXPECT_NE(control, nullptr) << name;
        return *control;
    }
};

TEST_F(PageCommand, MinimiseButtonMinimisesTheWindow) {
    ASSERT_FALSE(Wnd().IsIconic());
    ASSERT_TRUE(test::Click(Wnd(), L"btn_sys_min"));
    EXPECT_TRUE(test::PumpUntil([&] { return Wnd().IsIconic() != FALSE; }));
}

TEST_F(PageCommand, BackButtonsReturnToTheQueryPage) {
    const struct {
        const wchar_t* button;
        int page;
    } rows[] = {{L"btn_back_maintable", 1}, {L"btn_networkerror_back", 2}, {L"btn_agreement_close", 3}};
    for (const auto& row : rows) {
        ShowPage(row.page);
        ASSERT_TRUE(test::Click(Wnd(), row.button)) << row.button;
        EXPECT_EQ(Tab().GetCurSel(), 0) << row.button;
    }
}

// The network-error page's back button asks anew whether the maker's site
// answers, so a query after it sees the state of now.
TEST_F(PageCommand, NetworkErrorBackChecksTheNetworkAgain) {
    ASSERT_EQ(g_networkState, 1);
    // The home page does not answer; the check gives up after a second.
    ::setenv("PELLUCOR_SERVICE_TIMEOUT", "1", 1);
    Service().SetFault("silent", "/");
    ShowPage(2);
    ASSERT_TRUE(test::Click(Wnd(), L"btn_networkerror_back"));
    EXPECT_EQ(Tab().GetCurSel(), 0);
    EXPECT_EQ(g_networkState, 0);

    Service().SetFault("none");
    ShowPage(2);
    ASSERT_TRUE(test::Click(Wnd(), L"btn_networkerror_back"));
    EXPECT_EQ(Tab().GetCurSel(), 0);
    EXPECT_EQ(g_networkState, 1);
    ::unsetenv("PELLUCOR_SERVICE_TIMEOUT");
}

TEST_F(PageCommand, HelpOpensTheKnowledgeSitesDriverPage) {
    BrowserRecorder browser;
    ASSERT_TRUE(test::Click(Wnd(), L"btn_mainop_help"));
    // The site's host goes with the service address, here the local service.
    EXPECT_EQ(browser.WaitForOpened(1),
              std::vector<std::string>{Service().BaseUrl() + "/driver/driverquery"});
}

TEST_F(PageCommand, AgreementLinkOpensTheServicesAgreementPage) {
    BrowserRecorder browser;
    ASSERT_EQ(Wnd().serviceUrls.url[1], Service().BaseUrl() + "/home/agreement");
    ASSERT_TRUE(test::Click(Wnd(), L"btn_sys_agreement"));
    EXPECT_EQ(browser.WaitForOpened(1), std::vector<std::string>{Service().BaseUrl() + "/home/agreement"});
}

// Without the address list there is no agreement address: the click opens
// nothing and says why on stderr.
TEST_F(PageCommand, AgreementLinkWithoutAnAddressOpensNothing) {
    BrowserRecorder browser;
    const std::string address = Wnd().serviceUrls.url[1];
    Wnd().serviceUrls.url[1].clear();
    testing::internal::CaptureStderr();
    ASSERT_TRUE(test::Click(Wnd(), L"btn_sys_agreement"));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("agreement page not opened"), std::string::npos) << said;

    Wnd().serviceUrls.url[1] = address;
    ASSERT_TRUE(test::Click(Wnd(), L"btn_sys_agreement"));
    ASSERT_EQ(browser.WaitForOpened(1).size(), 1u);
    test::Pump(500ms);
    EXPECT_EQ(browser.WaitForOpened(1), std::vector<std::string>{address});
}

TEST_F(PageCommand, AgreementBoxesGateTheQueryPageButtons) {
    const wchar_t* gated[] = {L"btn_driver_query", L"btn_mainop_help", L"btn_mainop_set", L"btn_mainop_pack"};
    const wchar_t* boxes[] = {L"checkbox_sys_agreement_1", L"checkbox_sys_agreement_2"};
    const auto expectState = [&](bool accepted, const char* when) {
        EXPECT_EQ(Wnd().agreementAccepted, accepted) << when;
        for (const wchar_t* name : gated) EXPECT_EQ(Control(name).IsDisabled() == FALSE, accepted) << when;
        for (const wchar_t* name : boxes) EXPECT_EQ(Control(name).IsChecked() != FALSE, accepted) << when;
        // The link and the feedback button are never gated.
        EXPECT_FALSE(Control(L"btn_sys_agreement").IsDisabled()) << when;
        EXPECT_FALSE(Control(L"btn_sys_feedback").IsDisabled()) << when;
    };
    expectState(true, "at start");

    ASSERT_TRUE(test::Click(Wnd(), L"checkbox_sys_agreement_1"));
    expectState(false, "box on the query page unticked");
    ASSERT_TRUE(test::Click(Wnd(), L"checkbox_sys_agreement_1"));
    expectState(true, "ticked again");

    ShowPage(3);
    ASSERT_TRUE(test::Click(Wnd(), L"checkbox_sys_agreement_2"));
    expectState(false, "box on the agreement page unticked");
    ASSERT_TRUE(test::Click(Wnd(), L"checkbox_sys_agreement_2"));
    expectState(true, "ticked again on the agreement page");
}

// Acts on the program's modal dialog from inside its loop, as a user would:
// a hidden window's timer hands the active dialog to the script.
class ModalDialogScript : public SNativeWnd {
public:
    using Script = std::function<void(SHostDialog&)>;

    explicit ModalDialogScript(Script script) : script_(std::move(script)) {
        CreateNative(L"modal dialog script", nullptr, CRect(0, 0, 1, 1), FALSE, TRUE);
        SetTimer(kTimer, 20);
    }
    ~ModalDialogScript() override { DestroyWindow(); }

    int Runs() const { return runs_; }

    BOOL ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT& result, DWORD) override {
        if (msg != WM_TIMER || wParam != kTimer) return FALSE;
        result = 0;
        if (auto* dialog = dynamic_cast<SHostDialog*>(SNativeWnd::FromHandle(GetActiveWindow()))) {
            ++runs_;
            script_(*dialog);
        }
        return TRUE;
    }

private:
    static constexpr UINT_PTR kTimer = 7;
    Script script_;
    int runs_ = 0;
};

TEST_F(PageCommand, SettingsAndPackDialogsOpenFromBothPagesAndReturnThere) {
    const struct {
        const wchar_t* button;
        int page;
        const char* dialog;
    } rows[] = {{L"btn_mainop_set", 0, "settings"},
                {L"btn_driver_path", 1, "settings"},
                {L"btn_mainop_pack", 0, "pack"},
                {L"btn_driver_pack", 1, "pack"}};
    for (const auto& row : rows) {
        ShowPage(row.page);
        std::string shown;
        bool ownerDisabled = false;
        ModalDialogScript script([&](SHostDialog& dialog) {
            shown = dynamic_cast<CPopWndSet*>(&dialog)    ? "settings"
                    : dynamic_cast<CPopWndPack*>(&dialog) ? "pack"
                                                          : "another";
            ownerDisabled = !Wnd().IsWindowEnabled();
            dialog.PostMessageW(WM_CLOSE);
        });
        ASSERT_TRUE(test::Click(Wnd(), row.button)) << row.button;
        // The click returns once the modal dialog has ended.
        EXPECT_EQ(script.Runs(), 1) << row.button;
        EXPECT_EQ(shown, row.dialog) << row.button;
        EXPECT_TRUE(ownerDisabled) << row.button;
        EXPECT_TRUE(Wnd().IsWindowEnabled()) << row.button;
        EXPECT_EQ(Tab().GetCurSel(), row.page) << row.button;
    }
}

}  // namespace
}  // namespace apptest
