#include <gtest/gtest.h>

#include "ListHost.h"
#include "soui/SControls.h"
#include "soui/SEdit.h"
#include "soui/SHostWnd.h"
#include "soui/STestApi.h"
#include "soui/SWidgetTestApi.h"
#include "soui/SystemApi.h"
#include "tests/soui/Pixels.h"
#include "tests/soui/TestFramework.h"

namespace souitest {
namespace {

using namespace SOUI;

struct ChangeLog {
    std::vector<std::wstring> texts;
    bool OnNotify(EventArgs* evt) {
        auto* e = static_cast<EventRENotify*>(evt);
        if (e->iNotify == EN_CHANGE)
            texts.push_back(std::wstring(static_cast<SWindow*>(e->sender)->GetWindowTextW().c_str()));
        return true;
    }
};

class EditTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Open());
        edit = host.FindChildByName2<SEdit>(L"edit_key");
        ASSERT_NE(edit, nullptr);
        edit->GetEventSet()->subscribeEvent(EVT_RE_NOTIFY, &ChangeLog::OnNotify, &log);
    }
    TestFramework framework;
    ListHost host;
    SEdit* edit = nullptr;
    ChangeLog log;
};

TEST_F(EditTest, TypingReportsEveryChangeOnceAskedTo) {
    ASSERT_TRUE(test::TypeText(host, L"edit_key", L"ab"));
    EXPECT_TRUE(log.texts.empty()) << "no change notices before EM_SETEVENTMASK";
    EXPECT_EQ(edit->GetWindowTextW(), L"ab");

    EXPECT_EQ(edit->SSendMessage(EM_SETEVENTMASK, 0, ENM_CHANGE), 0);
    ASSERT_TRUE(test::TypeText(host, L"edit_key", L"主机"));
    EXPECT_EQ(log.texts, (std::vector<std::wstring>{L"ab主", L"ab主机"}));

    edit->SetWindowTextW(L"T480");
    EXPECT_EQ(log.texts.back(), L"T480");
    edit->SetWindowTextW(L"T480");  // the same text is still a change notice
    EXPECT_EQ(log.texts.size(), 4u);
    EXPECT_EQ(edit->GetWindowTextW(), L"T480");
}

TEST_F(EditTest, ReadOnlyCueTextAndFocus) {
    EXPECT_EQ(edit->GetCueText(), L"请输入");
    edit->SetAttribute(L"readOnly", L"1", FALSE);
    ASSERT_TRUE(test::TypeText(host, L"edit_key", L"x"));
    EXPECT_EQ(edit->GetWindowTextW(), L"");

    edit->SetFocus();
    EXPECT_TRUE(edit->IsFocused());
    edit->KillFocus();
    EXPECT_FALSE(edit->IsFocused());
}

// The native edit shows the text (or the cue) on the screen; the host under
// it shows only the edit's background there, else the two texts would show
// side by side. Pictures of the window still show the text.
TEST_F(EditTest, TextIsOnTheScreenOnceAndInPictures) {
    const CRect inside = edit->GetWindowRect();
    const auto notBackground = [](std::uint32_t p) { return p != 0xFFF0F0F0u; };
    for (const wchar_t* text : {L"WWWW 1164", L""}) {
        edit->SetWindowTextW(text);
        test::RedrawNow(host);
        EXPECT_EQ(CountPixels(test::HostPaintWithoutNativeEdits(host), inside, notBackground), 0) << text;
        EXPECT_GT(CountPixels(host.RenderToImage(), inside, notBackground), 20) << text;
    }
}

// A read-only box shows plain text, like any other read-only text: not when
// the page that held the focus goes away and the focus moves on to it, not
// after its text is set, not when it is focused.
TEST(ReadOnlyEdit, ShowsItsTextUnselected) {
    TestFramework framework;
    SHostWnd host(L"LAYOUT:TEST_PAGES");
    ASSERT_NE(host.Create(nullptr), nullptr);
    host.ShowWindow(SW_SHOWNORMAL);
    ASSERT_TRUE(test::PumpUntil([&] { return GetActiveWindow() == host.m_hWnd; }))
        << "the window became active";
    auto* tabs = host.FindChildByName2<STabCtrl>(L"tabs");
    auto* query = host.FindChildByName2<SEdit>(L"edit_query");
    auto* answer = host.FindChildByName2<SEdit>(L"edit_answer");
    ASSERT_TRUE(tabs && query && answer);
    ASSERT_TRUE(test::TypeText(host, L"edit_query", L"T480"));
    query->SetFocus();
    answer->SetWindowTextW(L"Windows 10 64位");
    test::RedrawNow(host);

    tabs->SetCurSel(1);
    test::RedrawNow(host);
    EXPECT_EQ(test::SelectedText(host, L"edit_answer"), L"") << "after the page switch";
    answer->SetWindowTextW(L"Windows 11 64位");
    test::RedrawNow(host);
    EXPECT_EQ(test::SelectedText(host, L"edit_answer"), L"") << "after its text was set";
    answer->SetFocus();
    EXPECT_EQ(test::SelectedText(host, L"edit_answer"), L"") << "after it was focused";
    EXPECT_EQ(answer->GetWindowTextW(), L"Windows 11 64位");
}

}  // namespace
}  // namespace souitest
