#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "TestFramework.h"
#include "soui/SHostWnd.h"
#include "soui/STestApi.h"
#include "soui/SystemApi.h"

namespace souitest {
namespace {

using namespace SOUI;

constexpr UINT kMsgPing = WM_USER + 7;

// A message map in the way programs write one: matched messages are taken,
// the rest go to the host window.
class MappedHost : public SHostWnd {
public:
    MappedHost() : SHostWnd(L"LAYOUT:TEST_MAIN") {}

    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result,
                              DWORD msgMapID) override {
        SetMsgHandled(TRUE);
        switch (msg) {
            case WM_INITDIALOG:
                ++initDialogs;
                SetTimer(1, 20);
                SetTimer(2, 200);
                SetTimer(9, 30);
                result = TRUE;
                return TRUE;
            case WM_TIMER:
                if (wParam == 1)
                    ++fastTicks;
                else if (wParam == 2 && ++slowTicks == 3)
                    PostMessageW(WM_CLOSE);
                else
                    SetMsgHandled(FALSE);
                if (IsMsgHandled()) {
                    result = 0;
                    return TRUE;
                }
                break;
            case WM_CLOSE:
                ++closes;
                KillTimer(1);
                KillTimer(2);
                KillTimer(9);
                PostMessageW(WM_QUIT, 42);
                result = 0;
                return TRUE;
            case WM_DESTROY:
                ++destroys;
                result = 0;
                return TRUE;
            case kMsgPing:
                ++pings;
                result = static_cast<LRESULT>(wParam) + 1;
                return TRUE;
            default:
                break;
        }
        return SHostWnd::ProcessWindowMessage(hWnd, msg, wParam, lParam, result, msgMapID);
    }

    void OnTimer(UINT_PTR id) override {
        if (id == 9) ++otherTicks;
        SHostWnd::OnTimer(id);
    }

    int initDialogs = 0, fastTicks = 0, slowTicks = 0, otherTicks = 0, closes = 0, destroys = 0;
    std::atomic<int> pings{0};
};

class MessageMapTest : public ::testing::Test {
protected:
    TestFramework framework;
    MappedHost host;
};

TEST_F(MessageMapTest, TimersCloseAndQuitReachTheMapAndEndRun) {
    ASSERT_NE(host.Create(nullptr), nullptr);
    EXPECT_EQ(host.SendMessageW(WM_INITDIALOG), TRUE);
    EXPECT_EQ(host.initDialogs, 1);
    host.ShowWindow(SW_SHOWNORMAL);
    EXPECT_EQ(framework.App().Run(host.m_hWnd), 42);
    EXPECT_EQ(host.slowTicks, 3);
    EXPECT_GE(host.fastTicks, host.slowTicks);
    EXPECT_GT(host.otherTicks, 0) << "ids the map does not take reach OnTimer";
    EXPECT_EQ(host.closes, 1);
    EXPECT_EQ(host.destroys, 0);
    EXPECT_TRUE(host.DestroyWindow());
    EXPECT_EQ(host.destroys, 1);
    EXPECT_FALSE(IsWindow(host.m_hWnd));
}

TEST_F(MessageMapTest, SendIsSynchronousAndPostIsQueued) {
    ASSERT_NE(host.Create(nullptr), nullptr);
    EXPECT_EQ(host.SendMessageW(kMsgPing, 4), 5);
    EXPECT_EQ(host.pings, 1);
    EXPECT_TRUE(host.PostMessageW(kMsgPing, 4));
    EXPECT_EQ(host.pings, 1);
    EXPECT_TRUE(test::PumpUntil([&] { return host.pings == 2; }));
    // A stale handle takes nothing.
    const HWND gone = host.m_hWnd;
    host.DestroyWindow();
    EXPECT_FALSE(PostMessageW(gone, kMsgPing, 0, 0));
    EXPECT_EQ(SendMessageW(gone, kMsgPing, 0, 0), 0);
}

TEST_F(MessageMapTest, OtherThreadsPostAndSendToTheWindowThread) {
    ASSERT_NE(host.Create(nullptr), nullptr);
    const HWND hwnd = host.m_hWnd;
    LRESULT sent = 0;
    std::thread worker([&] {
        for (int i = 0; i < 50; ++i) PostMessageW(hwnd, kMsgPing, 0, 0);
        sent = SendMessageW(hwnd, kMsgPing, 9, 0);
    });
    EXPECT_TRUE(test::PumpUntil([&] { return host.pings == 51; }));
    worker.join();
    EXPECT_EQ(sent, 10);
}

TEST_F(MessageMapTest, MinimizeCommandMinimizesAndCloseDestroysByDefault) {
    ASSERT_NE(host.Create(nullptr), nullptr);
    host.ShowWindow(SW_SHOWNORMAL);
    host.SendMessageW(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(test::PumpUntil([&] { return host.IsIconic() != FALSE; }));

    SHostWnd plain(L"LAYOUT:TEST_MAIN");
    ASSERT_NE(plain.Create(nullptr), nullptr);
    plain.SendMessageW(WM_CLOSE);
    EXPECT_FALSE(plain.IsWindow());
}

TEST_F(MessageMapTest, QuitPostedBeforeRunEndsItAtOnce) {
    PostQuitMessage(5);
    test::Pump(std::chrono::milliseconds(50));
    EXPECT_EQ(framework.App().Run(nullptr), 5);
}

}  // namespace
}  // namespace souitest
