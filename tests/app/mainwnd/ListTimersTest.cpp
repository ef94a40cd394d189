// The main window's timers: the list page's buttons while downloads run, the
// counters once a second, and the redraw of changed items. Timer 1 is ticked
// by hand so the test counts ticks instead of waiting for them.
#include <gtest/gtest.h>

#include "download/DownLoadEvent.h"
#include "download/EventQueue.h"
#include "tests/app/DownloadWindowSupport.h"

using namespace SOUI;

namespace apptest {
namespace {

const wchar_t* const kListButtons[] = {L"btn_driver_download", L"btn_driver_path", L"btn_driver_pack",
                                       L"btn_back_maintable", L"btn_allchoose"};

class ListTimers : public DownloadWindowTest {
protected:
    void SetUp() override {
        DownloadWindowTest::SetUp();
        Wnd().KillTimer(1);
    }
    void ButtonTick() { Wnd().OnTimer(1); }

    ::testing::AssertionResult ButtonsAre(bool enabled) {
        const SColor colour = enabled ? RGBA(0xff, 0xff, 0xff) : RGBA(0x83, 0x89, 0x97);
        for (const wchar_t* name : kListButtons) {
            SWindow* button = Wnd().FindChildByName(name);
            if (button == nullptr) return ::testing::AssertionFailure() << "no control";
            if (button->IsDisabled() == enabled)
                return ::testing::AssertionFailure() << "enabled state of a list button";
            if (button->GetTextColor() != colour)
                return ::testing::AssertionFailure() << "text colour " << std::hex << button->GetTextColor();
        }
        SWindow* osButton = Wnd().FindChildByName(L"btn_os_suggest_dropdown");
        if (osButton == nullptr || osButton->IsDisabled() == enabled)
            return ::testing::AssertionFailure() << "system button";
        return ::testing::AssertionSuccess();
    }
    std::wstring Counter(const wchar_t* name) { return TextOf(Wnd(), name); }
};

TEST_F(ListTimers, ButtonsGreyOnTheFirstTickWithADownloadAndReturnOnTheFirstWithout) {
    ButtonTick();
    EXPECT_TRUE(ButtonsAre(true));
    Service().SetMode("files", "rate", "8192");
    ASSERT_TRUE(ClickItem(0, L"dirverfind_download_item_btn_st"));
    EXPECT_TRUE(ButtonsAre(true));
    ButtonTick();
    EXPECT_TRUE(ButtonsAre(false));

    Wnd().StopItemDownload(tasks[0]);
    ASSERT_TRUE(test::PumpUntil([] { return g_activeDownLoads == 0; }));
    EXPECT_TRUE(ButtonsAre(false));
    ButtonTick();
    EXPECT_TRUE(ButtonsAre(true));
}

TEST_F(ListTimers, CountersFollowTheGlobalsOnEveryFifthTick) {
    EXPECT_EQ(Counter(L"dirver_download_count_1"), L"0");
    EXPECT_EQ(Counter(L"dirver_download_count_2"), L"0");
    Wnd().tickCount = 0;
    g_startedDownLoads = 4;
    g_completedDownLoads = 2;
    for (int tick = 1; tick <= 4; ++tick) {
        ButtonTick();
        EXPECT_EQ(Counter(L"dirver_download_count_1"), L"0") << tick;
    }
    ButtonTick();
    EXPECT_EQ(Counter(L"dirver_download_count_1"), L"4");
    EXPECT_EQ(Counter(L"dirver_download_count_2"), L"2");
    // Ticks count 1 to 15 and start again.
    for (int tick = 6; tick <= 15; ++tick) ButtonTick();
    EXPECT_EQ(Wnd().tickCount, 0);
    g_completedDownLoads = 0;
}

TEST_F(ListTimers, NoticesOfFinishedOrUnlistedTasksLeaveNoTrace) {
    const std::vector<DriverTask> before = ListedTasks(Wnd());
    DownLoadEvent done;
    done.code = EVT_TASK_DONE;
    done.taskId = tasks[0].id;
    g_uiEventQueue.Post(done);
    DownLoadEvent unknown;
    unknown.code = EVT_TASK_CHANGED;
    unknown.taskId = 987654;
    g_uiEventQueue.Post(unknown);
    EXPECT_FALSE(Wnd().RefreshListItem(987654));
    Wnd().OnTimer(3);
    DownLoadEvent left;
    EXPECT_FALSE(g_uiEventQueue.Pop(left));
    const std::vector<DriverTask> after = ListedTasks(Wnd());
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].id, before[i].id);
        EXPECT_EQ(after[i].state, before[i].state);
    }
    EXPECT_EQ(Page(0), 0);
}

}  // namespace
}  // namespace apptest
