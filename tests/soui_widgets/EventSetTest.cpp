#include <gtest/gtest.h>

#include <memory>

#include "ListHost.h"
#include "soui/STestApi.h"
#include "tests/soui/TestFramework.h"

namespace souitest {
namespace {

using namespace SOUI;

struct StateLog {
    std::vector<std::pair<DWORD, DWORD>> changes;
    bool OnState(EventArgs* evt) {
        auto* e = static_cast<EventSwndStateChanged*>(evt);
        changes.emplace_back(e->dwOldState, e->dwNewState);
        return true;
    }
};

TEST(EventSet, MutingSuppressesStateChangesAndEnablingKeepsTheCheckBit) {
    TestFramework framework;
    ListHost host;
    ASSERT_TRUE(host.Open());
    SWindow* check = host.FindChildByName(L"plain_check");
    ASSERT_NE(check, nullptr);
    StateLog log;
    check->GetEventSet()->subscribeEvent(EVT_STATECHANGED, &StateLog::OnState, &log);
    check->GetEventSet()->subscribeEvent(EVT_STATECHANGED, &StateLog::OnState, &log);  // equal: kept once

    check->GetEventSet()->setMutedState(TRUE);
    check->SetCheck(TRUE);
    check->GetEventSet()->setMutedState(FALSE);
    EXPECT_TRUE(log.changes.empty());
    EXPECT_TRUE(check->IsChecked());

    check->EnableWindow(FALSE, TRUE);
    check->EnableWindow(TRUE, TRUE);
    ASSERT_EQ(log.changes.size(), 2u);
    for (const auto& [oldState, newState] : log.changes) {
        EXPECT_EQ(oldState & WndState_Check, newState & WndState_Check);
    }
    check->SetCheck(FALSE);
    ASSERT_EQ(log.changes.size(), 3u);
    EXPECT_NE(log.changes[2].first & WndState_Check, log.changes[2].second & WndState_Check);
}

struct TimerProbe : SWindow {
    std::vector<UINT_PTR> ticks;
    BOOL ProcessSwndMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (msg == UM_SWNDTIMER) {
            ticks.push_back(wParam);
            return TRUE;
        }
        return SWindow::ProcessSwndMessage(msg, wParam, lParam, result);
    }
};

TEST(ControlTimers, TickUntilKilledOrDestroyed) {
    TestFramework framework;
    auto probe = std::make_unique<TimerProbe>();
    ASSERT_TRUE(probe->SetTimer2(2, 20));
    ASSERT_TRUE(probe->SetTimer2(7, 20));
    ASSERT_TRUE(test::PumpUntil([&] { return probe->ticks.size() >= 6; }));
    EXPECT_NE(std::find(probe->ticks.begin(), probe->ticks.end(), 2u), probe->ticks.end());
    EXPECT_NE(std::find(probe->ticks.begin(), probe->ticks.end(), 7u), probe->ticks.end());

    probe->KillTimer2(7);
    probe->ticks.clear();
    ASSERT_TRUE(test::PumpUntil([&] { return probe->ticks.size() >= 3; }));
    EXPECT_EQ(std::count(probe->ticks.begin(), probe->ticks.end(), 7u), 0);

    probe.reset();  // its timer goes with it
    test::Pump(std::chrono::milliseconds(100));
}

}  // namespace
}  // namespace souitest
