#include <gtest/gtest.h>

#include <functional>

#include "TestFramework.h"
#include "TestHost.h"
#include "soui/SMessageBox.h"
#include "soui/STestApi.h"
#include "soui/SystemApi.h"

namespace souitest {
namespace {

using namespace SOUI;

// Ends through OnOK or EndDialog; a timer started at WM_INITDIALOG lets the
// test act while the modal loop runs.
class TestDialog : public SHostDialog {
public:
    explicit TestDialog(std::function<void(TestDialog&)> whileShown)
        : SHostDialog(L"LAYOUT:TEST_DIALOG"), whileShown_(std::move(whileShown)) {}

    BOOL _HandleEvent(EventArgs* evt) override {
        if (evt->GetID() == EVT_CMD && evt->nameFrom == L"btn_ok") {
            evt->bubbleUp = FALSE;
            OnOK();
            return TRUE;
        }
        if (evt->GetID() == EVT_CMD && evt->nameFrom == L"btn_cancel") {
            EndDialog(7);
            return TRUE;
        }
        return SHostDialog::_HandleEvent(evt);
    }

    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result,
                              DWORD msgMapID) override {
        if (msg == WM_INITDIALOG) {
            ++initDialogs;
            SetTimer(5, 20);
            result = TRUE;
            return TRUE;
        }
        if (msg == WM_TIMER && wParam == 5) {
            KillTimer(5);
            whileShown_(*this);
            result = 0;
            return TRUE;
        }
        if (msg == WM_DESTROY) ++destroys;
        return SHostDialog::ProcessWindowMessage(hWnd, msg, wParam, lParam, result, msgMapID);
    }

    int initDialogs = 0;
    int destroys = 0;

private:
    std::function<void(TestDialog&)> whileShown_;
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Open()); }
    TestFramework framework;
    TestHost host;
};

TEST_F(DialogTest, ModalDialogEndsThroughItsButtonsAndReturns) {
    bool ownerDisabledMeanwhile = false;
    TestDialog ok([&](TestDialog& dlg) {
        ownerDisabledMeanwhile = !host.IsWindowEnabled();
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_TRUE(test::Click(dlg, L"btn_ok"));
    });
    EXPECT_EQ(ok.DoModal(host.m_hWnd), IDOK);
    EXPECT_EQ(ok.initDialogs, 1);
    EXPECT_EQ(ok.destroys, 1);
    EXPECT_FALSE(ok.IsWindow());
    EXPECT_TRUE(ownerDisabledMeanwhile);
    EXPECT_TRUE(host.IsWindowEnabled());

    TestDialog other([](TestDialog& dlg) { EXPECT_TRUE(test::Click(dlg, L"btn_cancel")); });
    EXPECT_EQ(other.DoModal(host.m_hWnd), 7);

    TestDialog closed([](TestDialog& dlg) { dlg.PostMessageW(WM_CLOSE); });
    EXPECT_EQ(closed.DoModal(host.m_hWnd), IDCANCEL);
    EXPECT_EQ(closed.destroys, 1);
    // The owner works again.
    EXPECT_TRUE(test::Click(host, L"btn_query"));
    EXPECT_EQ(host.events.size(), 1u);
}

TEST_F(DialogTest, QuitDuringModalLoopEndsDialogAndOuterLoop) {
    TestDialog dlg([](TestDialog&) { PostQuitMessage(3); });
    EXPECT_EQ(dlg.DoModal(host.m_hWnd), IDCANCEL);
    EXPECT_EQ(framework.App().Run(host.m_hWnd), 3) << "the quit message reaches the outer loop";
}

TEST_F(DialogTest, MessageBoxAnswersOkOrCancel) {
    test::MessageBoxAnswerer answers({IDCANCEL, IDOK, IDOK});
    EXPECT_EQ(SMessageBox(nullptr, L"有正在下载的任务，确认退出吗？", L"", MB_OKCANCEL, 100), IDCANCEL);
    EXPECT_EQ(SMessageBox(nullptr, L"有正在下载的任务，确认退出吗？", L"", MB_OKCANCEL, 100), IDOK);
    EXPECT_EQ(SMessageBox(nullptr, L"程序已经在运行！", L"", MB_OK, 100), IDOK);
    EXPECT_EQ(answers.Failures(), 0) << "each answer was a click on the box's own button";
    ASSERT_EQ(answers.Texts().size(), 3u);
    EXPECT_EQ(answers.Texts()[0], L"有正在下载的任务，确认退出吗？");
    EXPECT_EQ(answers.Texts()[2], L"程序已经在运行！");
}

TEST_F(DialogTest, MessageBoxShowsTextTitleAndButtonsOfItsTemplate) {
    test::MessageBoxAnswerer answers({IDOK, IDCANCEL});
    EXPECT_EQ(SMessageBox(host.m_hWnd, L"ISO文件路径不能为空！", L"提示", MB_OKCANCEL, 100), IDOK);
    EXPECT_EQ(answers.Texts().back(), L"ISO文件路径不能为空！");
    EXPECT_EQ(answers.Captions().back(), L"提示");
    EXPECT_EQ(answers.LastButtonLabels(), (std::vector<std::wstring>{L"确定", L"取消"}));
    EXPECT_EQ(SMessageBox(nullptr, L"重试？", L"", MB_ABORTRETRYIGNORE, 100), IDABORT)
        << "an answer the box does not offer presses its first button";
    EXPECT_EQ(answers.LastButtonLabels(), (std::vector<std::wstring>{L"关于", L"重试", L"忽略"}));
    EXPECT_EQ(answers.Failures(), 0);
}

TEST_F(DialogTest, MessageBoxKeysPressItsFirstButtonOrCancel) {
    using A = test::MessageBoxAnswerer;
    test::MessageBoxAnswerer answers({A::kPressReturn, A::kPressEscape, A::kPressEscape, A::kPressReturn});
    EXPECT_EQ(SMessageBox(nullptr, L"q", L"", MB_OKCANCEL, 100), IDOK);
    EXPECT_EQ(SMessageBox(nullptr, L"q", L"", MB_OKCANCEL, 100), IDCANCEL);
    EXPECT_EQ(SMessageBox(nullptr, L"i", L"", MB_OK, 100), IDOK);
    EXPECT_EQ(SMessageBox(nullptr, L"y", L"", MB_YESNO, 100), IDYES);
}

TEST_F(DialogTest, SystemMessageBoxIsAnswered) {
    test::MessageBoxAnswerer answers({IDOK});
    EXPECT_EQ(MessageBoxW(nullptr, L"Load SYS_NAMED_RESOURCE Error!", L"", MB_ICONINFORMATION), IDOK);
    ASSERT_EQ(answers.Texts().size(), 1u);
    EXPECT_EQ(answers.Texts()[0], L"Load SYS_NAMED_RESOURCE Error!");
}

}  // namespace
}  // namespace souitest
