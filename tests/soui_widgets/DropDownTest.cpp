#include <gtest/gtest.h>

#include "ListHost.h"
#include "soui/SApplication.h"
#include "soui/SDropDownWnd.h"
#include "soui/SEdit.h"
#include "soui/SScreenApi.h"
#include "soui/STestApi.h"
#include "soui/SWidgetTestApi.h"
#include "tests/soui/TestFramework.h"

namespace souitest {
namespace {

using namespace SOUI;

// Keys for the list go to the popup's own window, as a search box's popup
// does it.
class TestPopup : public SDropDownWnd {
public:
    TestPopup(ISDropDownOwner* owner, bool* gone) : SDropDownWnd(owner), gone_(gone) {}
    ~TestPopup() override { *gone_ = true; }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (SDropDownWnd::PreTranslateMessage(msg)) return TRUE;
        const bool key = msg->message == WM_KEYDOWN || msg->message == WM_KEYUP;
        if (key && (msg->wParam == VK_UP || msg->wParam == VK_DOWN || msg->wParam == VK_RETURN ||
                    msg->wParam == VK_ESCAPE)) {
            SendMessageW(msg->message, msg->wParam, msg->lParam);
            return TRUE;
        }
        return FALSE;
    }

private:
    bool* gone_;
};

// The owning control: a command of its list ends the popup with IDOK.
class DropControl : public SWindow, public ISDropDownOwner {
public:
    SWindow* GetDropDownOwner() override { return this; }
    void OnCreateDropDown(SDropDownWnd*) override { ++created; }
    void OnDestroyDropDown(SDropDownWnd* dropDown) override {
        exitCode = dropDown->GetExitCode();
        auto* list = dropDown->FindChildByName2<SListView>(L"lv_dropdown");
        selected = list ? list->GetSel() : -2;
        popup = nullptr;
    }
    BOOL FireEvent(EventArgs* evt) override {
        if (evt->GetID() == EVT_CMD && evt->nameFrom == L"lv_dropdown" && popup) {
            popup->EndDropDown(IDOK);
            return TRUE;
        }
        return SWindow::FireEvent(evt);
    }

    SDropDownWnd* popup = nullptr;
    int created = 0;
    int exitCode = 0;
    int selected = -2;
};

class DropDownTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Open()); }

    // Opens a popup of five entries under the anchor and gives it the capture.
    SListView* Open() {
        gone = false;
        auto* popup = new TestPopup(&control, &gone);
        control.popup = popup;
        EXPECT_NE(popup->CreateEx(host.m_hWnd, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 0, 0, 0, 0),
                  nullptr);
        control.OnCreateDropDown(popup);
        SXmlDoc layout;
        EXPECT_TRUE(framework.App().LoadXmlDocment(layout, L"LAYOUT:TEST_POPUP"));
        popup->InitFromXml(layout.document_element());
        auto* list = popup->FindChildByName2<SListView>(L"lv_dropdown");
        EXPECT_NE(list, nullptr);
        list->SetOwner(&control);
        list->SetFocus();
        auto* adapter = new CountingAdapter(5);
        list->SetAdapter(adapter);
        adapter->Release();
        list->SetSel(0);

        SWindow* anchor = host.FindChildByName(L"drop_anchor");
        CRect rc = anchor->GetContainer()->FrameToHost(anchor->GetWindowRect());
        CPoint topLeft = rc.TopLeft();
        CPoint bottomRight = rc.BottomRight();
        host.ClientToScreen(&topLeft);
        host.ClientToScreen(&bottomRight);
        const int height = std::min(120, list->GetItemLocator()->GetTotalHeight() + 2);
        popup->SetWindowPos(HWND_TOPMOST, topLeft.x, bottomRight.y, rc.Width(), height,
                            SWP_NOACTIVATE | SWP_SHOWWINDOW);
        SetCapture(popup->m_hWnd);
        anchorBottomLeft = CPoint(topLeft.x, bottomRight.y);
        return list;
    }

    TestFramework framework;
    ListHost host;
    DropControl control;
    bool gone = false;
    CPoint anchorBottomLeft;
};

TEST_F(DropDownTest, OpensUnderTheControlAndTakesTheListKeys) {
    SEdit* edit = host.FindChildByName2<SEdit>(L"edit_key");
    ASSERT_NE(edit, nullptr);
    edit->SetFocus();
    SListView* list = Open();
    ASSERT_NE(control.popup, nullptr);
    EXPECT_EQ(control.created, 1);
    CRect placed;
    ASSERT_TRUE(control.popup->GetWindowRect(&placed));
    EXPECT_EQ(placed.TopLeft(), anchorBottomLeft);
    EXPECT_EQ(placed.Height(), 120);
    // A window of its own on the screen, for tools that look there.
    EXPECT_NE(test::NativeWindowId(*control.popup), 0u);
    EXPECT_NE(test::NativeWindowId(*control.popup), test::NativeWindowId(host));

    // Typing still reaches the edit; the list keys reach the popup.
    ASSERT_TRUE(test::TypeText(host, L"edit_key", L"ab"));
    EXPECT_EQ(edit->GetWindowTextW(), L"ab");
    test::PressKey(host, VK_DOWN);
    test::PressKey(host, VK_DOWN);
    test::PressKey(host, VK_UP);
    test::PressKey(host, VK_DOWN);
    EXPECT_EQ(list->GetSel(), 2);
    test::PressKey(host, VK_RETURN);
    EXPECT_EQ(control.exitCode, IDOK);
    EXPECT_EQ(control.selected, 2);
    EXPECT_EQ(control.popup, nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    ASSERT_TRUE(test::PumpUntil([&] { return gone; }));

    Open();
    test::PressKey(host, VK_ESCAPE);
    EXPECT_EQ(control.exitCode, IDCANCEL);
    ASSERT_TRUE(test::PumpUntil([&] { return gone; }));
}

TEST_F(DropDownTest, AClickOnAnItemEndsWithOkAndAClickOutsideCancels) {
    SListView* list = Open();
    auto* popupHost = static_cast<SHostWnd*>(control.popup);
    ASSERT_TRUE(test::ClickInItem(*popupHost, *list, 3, L"device_name_item"));
    EXPECT_EQ(control.exitCode, IDOK);
    EXPECT_EQ(control.selected, 3);
    ASSERT_TRUE(test::PumpUntil([&] { return gone; }));

    Open();
    const size_t commands = host.commands.size();
    test::ClickAt(host, CPoint(700, 300));  // over the host's list, outside the popup
    EXPECT_EQ(control.exitCode, IDCANCEL);
    EXPECT_EQ(control.popup, nullptr);
    EXPECT_EQ(host.commands.size(), commands) << "the closing click went on to the window below";
    ASSERT_TRUE(test::PumpUntil([&] { return gone; }));

    // A click into the native edit is outside the popup too.
    ASSERT_TRUE(test::TypeText(host, L"edit_key", L""));  // the native edit exists
    Open();
    test::ClickAt(host, test::CenterOnHost(*host.FindChildByName(L"edit_key")));
    EXPECT_EQ(control.exitCode, IDCANCEL);
    EXPECT_EQ(control.popup, nullptr);
    ASSERT_TRUE(test::PumpUntil([&] { return gone; }));
}

TEST(ScreenApi, MonitorOfAWindowAndScreenMetrics) {
    TestFramework framework;
    ListHost host;
    ASSERT_TRUE(host.Open());
    HMONITOR monitor = MonitorFromWindow(host.m_hWnd, MONITOR_DEFAULTTONULL);
    ASSERT_NE(monitor, nullptr);
    MONITORINFO info;
    ASSERT_TRUE(GetMonitorInfoW(monitor, &info));
    EXPECT_EQ(info.rcMonitor.Width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(info.rcMonitor.Height(), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(MonitorFromWindow(nullptr, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_FALSE(GetMonitorInfoW(nullptr, &info));
}

}  // namespace
}  // namespace souitest
