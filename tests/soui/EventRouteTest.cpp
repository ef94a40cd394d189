#include <gtest/gtest.h>

#include "TestFramework.h"
#include "TestHost.h"
#include "soui/SControls.h"
#include "soui/SNotifyCenter.h"
#include "soui/STestApi.h"

namespace souitest {
namespace {

using namespace SOUI;

class EventRouteTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Open()); }
    TestFramework framework;
    TestHost host;
};

TEST_F(EventRouteTest, ClickReachesEventMapWithCodeIdAndName) {
    ASSERT_TRUE(test::Click(host, L"btn_query"));
    ASSERT_EQ(host.events.size(), 1u);
    EXPECT_EQ(host.events[0].code, 10000);
    EXPECT_EQ(host.events[0].id, 1001);
    EXPECT_EQ(host.events[0].name, L"btn_query");

    ASSERT_TRUE(test::Click(host, L"btn_normal"));
    ASSERT_EQ(host.events.size(), 2u);
    EXPECT_EQ(host.events[1].name, L"btn_normal");
}

TEST_F(EventRouteTest, SubscribersRunFirstAndMayStopTheRoute) {
    SWindow* button = host.FindChildByName(L"btn_query");
    ASSERT_NE(button, nullptr);
    std::vector<std::wstring> order;
    struct Listener {
        std::vector<std::wstring>* order;
        bool stop;
        bool OnCmd(EventArgs* evt) {
            order->push_back(L"subscriber");
            if (stop) evt->bubbleUp = FALSE;
            return true;
        }
    } listener{&order, false};
    // The same handler twice is kept once.
    EXPECT_TRUE(button->GetEventSet()->subscribeEvent(EVT_CMD, &Listener::OnCmd, &listener));
    EXPECT_TRUE(button->GetEventSet()->subscribeEvent(EVT_CMD, &Listener::OnCmd, &listener));
    EXPECT_EQ(button->GetEventSet()->subscriberCount(EVT_CMD), 1u);

    ASSERT_TRUE(test::Click(host, L"btn_query"));
    EXPECT_EQ(order.size(), 1u);
    EXPECT_EQ(host.events.size(), 1u);

    listener.stop = true;
    ASSERT_TRUE(test::Click(host, L"btn_query"));
    EXPECT_EQ(order.size(), 2u);
    EXPECT_EQ(host.events.size(), 1u) << "a cleared bubble-up flag keeps the event from the host";
}

TEST_F(EventRouteTest, MutedControlRaisesNothing) {
    SWindow* button = host.FindChildByName(L"btn_query");
    button->GetEventSet()->setMutedState(TRUE);
    ASSERT_TRUE(test::Click(host, L"btn_query"));
    EXPECT_TRUE(host.events.empty());
    button->GetEventSet()->setMutedState(FALSE);
    ASSERT_TRUE(test::Click(host, L"btn_query"));
    EXPECT_EQ(host.events.size(), 1u);
}

TEST_F(EventRouteTest, DisabledControlTakesNoClick) {
    ASSERT_TRUE(test::Click(host, L"btn_disabled"));
    EXPECT_TRUE(host.events.empty());

    SWindow* button = host.FindChildByName(L"btn_query");
    button->EnableWindow(FALSE, TRUE);
    ASSERT_TRUE(test::Click(host, L"btn_query"));
    EXPECT_TRUE(host.events.empty());
    button->EnableWindow(TRUE, TRUE);
    ASSERT_TRUE(test::Click(host, L"btn_query"));
    EXPECT_EQ(host.events.size(), 1u);
}

TEST_F(EventRouteTest, CheckBoxTogglesBeforeItsCommand) {
    auto* box = host.FindChildByName(L"chk_agree");
    ASSERT_NE(box, nullptr);
    bool checkedWhenHandled = false;
    struct Probe {
        SWindow* box;
        bool* seen;
        bool OnCmd(EventArgs*) {
            *seen = box->IsChecked() != FALSE;
            return false;
        }
    } probe{box, &checkedWhenHandled};
    box->GetEventSet()->subscribeEvent(EVT_CMD, &Probe::OnCmd, &probe);

    ASSERT_TRUE(test::Click(host, L"chk_agree"));
    EXPECT_TRUE(box->IsChecked());
    EXPECT_TRUE(checkedWhenHandled);
    ASSERT_EQ(host.events.size(), 1u);
    EXPECT_EQ(host.events[0].name, L"chk_agree");

    ASSERT_TRUE(test::Click(host, L"chk_agree"));
    EXPECT_FALSE(box->IsChecked());
}

TEST_F(EventRouteTest, StateChangeCarriesOldAndNewStates) {
    SWindow* box = host.FindChildByName(L"chk_agree");
    std::vector<std::pair<DWORD, DWORD>> changes;
    struct Watch {
        std::vector<std::pair<DWORD, DWORD>>* changes;
        bool OnState(EventSwndStateChanged* evt) {
            changes->emplace_back(evt->dwOldState, evt->dwNewState);
            return true;
        }
    } watch{&changes};
    box->GetEventSet()->subscribeEvent(EVT_STATECHANGED, &Watch::OnState, &watch);
    box->SetCheck(TRUE);
    box->EnableWindow(FALSE, TRUE);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].first & WndState_Check, 0u);
    EXPECT_NE(changes[0].second & WndState_Check, 0u);
    EXPECT_EQ(changes[1].first & WndState_Check, changes[1].second & WndState_Check);
    EXPECT_NE(changes[1].second & WndState_Disable, 0u);
}

TEST_F(EventRouteTest, ToolTipShowsOnHover) {
    ASSERT_TRUE(test::Hover(host, L"btn_close"));
    EXPECT_TRUE(test::PumpUntil([] { return test::ShownToolTip() == L"关闭"; }));
    ASSERT_TRUE(test::Hover(host, L"btn_normal"));
    EXPECT_TRUE(test::PumpUntil([] { return test::ShownToolTip().empty(); }));
}

TEST_F(EventRouteTest, DraggingTheCaptionMovesTheWindow) {
    CRect before;
    host.GetWindowRect(&before);
    ASSERT_TRUE(test::Press(host, L"caption"));
    const CPoint start = host.FindChildByName(L"caption")->GetWindowRect().CenterPoint();
    host.SendMessageW(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(start.x + 30, start.y + 20));
    CRect after;
    host.GetWindowRect(&after);
    EXPECT_EQ(after.left - before.left, 30);
    EXPECT_EQ(after.top - before.top, 20);
    EXPECT_EQ(after.Size(), before.Size());
    EXPECT_TRUE(host.events.empty()) << "a press and a drag raise no command";
}

TEST_F(EventRouteTest, NotifyCenterLivesOnceAndCallsItsListeners) {
    EXPECT_EQ(SNotifyCenter::getSingletonPtr(), nullptr);
    {
        SNotifyCenter center;
        EXPECT_EQ(SNotifyCenter::getSingletonPtr(), &center);
        struct Listener {
            int calls = 0;
            bool On(EventArgs*) { return ++calls > 0; }
        } listener;
        center.RegisterEventMap(Subscriber(&Listener::On, &listener));
        center.RegisterEventMap(Subscriber(&Listener::On, &listener));
        EventCmd evt(host.FindChildByName(L"btn_query"));
        center.FireEventSync(&evt);
        EXPECT_EQ(listener.calls, 1);
        EXPECT_EQ(evt.handled, 1);
        center.UnregisterEventMap(Subscriber(&Listener::On, &listener));
        center.FireEventSync(&evt);
        EXPECT_EQ(listener.calls, 1);
    }
    EXPECT_EQ(SNotifyCenter::getSingletonPtr(), nullptr);
}

}  // namespace
}  // namespace souitest
