#include <gtest/gtest.h>

#include "app/ProgramGlobals.h"
#include "download/DriverDb.h"
#include "soui/SControls.h"
#include "tests/app/MainWindowFixture.h"

using namespace SOUI;

namespace apptest {
namespace {

using MainWindowStart = MainWindowTest;

TEST_F(MainWindowStart, OpensOnTheQueryPageWithTheAgreementTicked) {
    CRect rc;
    ASSERT_TRUE(Wnd().GetClientRect(&rc));
    EXPECT_EQ(rc.Width(), 810);
    EXPECT_EQ(rc.Height(), 510);
    auto* tab = Wnd().FindChildByName2<STabCtrl>(L"tab_main_op");
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->GetCurSel(), 0);
    for (const wchar_t* box : {L"checkbox_sys_agreement_1", L"checkbox_sys_agreement_2"}) {
        SWindow* check = Wnd().FindChildByName(box);
        ASSERT_NE(check, nullptr) << box;
        EXPECT_TRUE(check->IsChecked()) << box;
    }
    EXPECT_EQ(g_networkState, 1);
    EXPECT_FALSE(g_downLoadDir.empty());
}

}  // namespace
}  // namespace apptest
