#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "soui/SScreenApi.h"
#include "soui/STestApi.h"
#include "soui/SWidgetTestApi.h"
#include "soui/SystemApi.h"
#include "tests/app/DropdownFixture.h"

using namespace SOUI;

namespace apptest {
namespace {

struct ChangeCounter {
    bool OnNotify(EventRENotify* evt) {
        if (evt->iNotify == EN_CHANGE) ++count;
        return false;
    }
    int count = 0;
};

CRect PopupRect(SNativeWnd& popup) {
    CRect rc;
    EXPECT_TRUE(popup.GetWindowRect(&rc));
    return rc;
}

// The typing pause of the query box, counted in ticks of its timer.
using TypingPause = SearchBoxTest;

TEST_F(TypingPause, TypingEveryFiveTicksNeverFillsTheSixteenthQuietTickDoes) {
    // One character every 100 ms is one every 5 ticks of 20 ms.
    for (wchar_t ch : std::wstring(L"halden")) {
        ASSERT_TRUE(test::TypeText(Host(), L"edit_input_1", std::wstring(1, ch)));
        Tick(5);
    }
    EXPECT_TRUE(queryRecorder.fillKeys.empty());
    EXPECT_EQ(TicksUntilFill(), 16 - 5);
    ASSERT_EQ(queryRecorder.fillKeys.size(), 1u);
    EXPECT_EQ(queryRecorder.fillKeys[0], L"halden");
    ASSERT_NE(query->popup, nullptr);
    EXPECT_TRUE(query->popup->IsWindowVisible());
}

TEST_F(TypingPause, AChangeDuringTheCoolingFillsOnTheFirstTickAfterIt) {
    ASSERT_TRUE(test::TypeText(Host(), L"edit_input_1", L"ab"));
    ASSERT_EQ(TicksUntilFill(), 16);
    Tick(10);
    ASSERT_TRUE(test::TypeText(Host(), L"edit_input_1", L"c"));
    // 16 quiet ticks would end 26 ticks after the fill; the cooling holds it to 51.
    EXPECT_EQ(TicksUntilFill(), 51 - 10);
    ASSERT_EQ(queryRecorder.fillKeys.size(), 2u);
    EXPECT_EQ(queryRecorder.fillKeys[1], L"abc");
}

TEST_F(TypingPause, TheTextAlreadyReportedStartsNoFill) {
    ChangeCounter changes;
    edit->GetEventSet()->subscribeEvent(EVT_RE_NOTIFY, &ChangeCounter::OnNotify, &changes);
    ASSERT_TRUE(test::TypeText(Host(), L"edit_input_1", L"ab"));
    ASSERT_EQ(TicksUntilFill(), 16);
    Tick(60);  // past the cooling

    const int before = changes.count;
    edit->SetWindowTextW(L"ab");
    EXPECT_EQ(changes.count, before + 1) << "the edit reports the change";
    EXPECT_EQ(TicksUntilFill(100), -1);
    // Away and back again before the pause ends is a change all the same.
    edit->SetWindowTextW(L"abx");
    edit->SetWindowTextW(L"ab");
    EXPECT_EQ(TicksUntilFill(), 16);
}

TEST_F(TypingPause, AFillWithoutEntriesEndsThePopupTheNextChangeMakesAHiddenOne) {
    queryRecorder.entries = 0;
    ASSERT_TRUE(test::TypeText(Host(), L"edit_input_1", L"zz"));
    ASSERT_NE(query->popup, nullptr);
    EXPECT_FALSE(query->popup->IsWindowVisible()) << "made hidden by the first change";
    const HWND first = query->popup->m_hWnd;
    ASSERT_EQ(TicksUntilFill(), 16);
    EXPECT_EQ(query->popup, nullptr);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(queryRecorder.selections.empty());

    ASSERT_TRUE(test::TypeText(Host(), L"edit_input_1", L"z"));
    ASSERT_NE(query->popup, nullptr);
    EXPECT_NE(query->popup->m_hWnd, first);
    EXPECT_FALSE(query->popup->IsWindowVisible());
}

TEST_F(TypingPause, KeysBeforeThePopupShowsStayWithTheEdit) {
    edit->SetFocus();
    ASSERT_TRUE(test::TypeText(Host(), L"edit_input_1", L"ab"));
    ASSERT_NE(query->popup, nullptr);
    // Escape in the box while the popup still waits for its fill ends nothing.
    test::PressKey(Host(), VK_ESCAPE);
    ASSERT_NE(query->popup, nullptr);
    EXPECT_EQ(TicksUntilFill(), 16);
    EXPECT_TRUE(query->popup->IsWindowVisible());
}

TEST_F(TypingPause, TheRealTimerFillsOnceTheTypingPauses) {
    ASSERT_TRUE(test::TypeText(Host(), L"edit_input_1", L"t14"));
    ASSERT_TRUE(test::PumpUntil([&] { return !queryRecorder.fillKeys.empty(); }));
    EXPECT_EQ(queryRecorder.fillKeys[0], L"t14");
}

// Where the popup opens and how high it is.
using PopupPlacement = SearchBoxTest;

TEST_F(PopupPlacement, ThePopupIsAsHighAsItsEntriesUpToTheCap) {
    ShowDriverListPage();
    const struct {
        int entries;
        int height;
    } cases[] = {{1, 32}, {2, 62}, {3, 92}, {5, 120}, {12, 120}};
    const CRect box = ScreenRectOf(*os);
    for (const auto& c : cases) {
        osRecorder.entries = c.entries;
        ASSERT_TRUE(os->ShowDropDown());
        ASSERT_NE(os->popup, nullptr) << c.entries;
        EXPECT_TRUE(os->popup->IsWindowVisible());
        const CRect placed = PopupRect(*os->popup);
        EXPECT_EQ(placed.Height(), c.height) << c.entries << " entries";
        EXPECT_EQ(placed.Width(), box.Width());
        EXPECT_EQ(placed.right, box.right) << "right edges line up";
        EXPECT_EQ(placed.top, box.bottom) << "opens below the box";
        EXPECT_EQ(GetCapture(), os->popup->m_hWnd);
        os->CloseDropDown(IDCANCEL);
        EXPECT_EQ(os->popup, nullptr);
    }
    EXPECT_TRUE(osRecorder.selections.empty());
}

TEST_F(PopupPlacement, AttributesSetTheCapAndTheAlignment) {
    ShowDriverListPage();
    const CRect box = ScreenRectOf(*os);
    osRecorder.entries = 5;
    os->SetAttribute(L"MAXDROPHEIGHT", L"0x10", FALSE);
    os->SetAttribute(L"dropalign", L"0", FALSE);
    ASSERT_TRUE(os->ShowDropDown());
    const CRect placed = PopupRect(*os->popup);
    EXPECT_EQ(placed.Height(), 16);
    EXPECT_EQ(placed.left, box.left) << "left edges line up";
    EXPECT_EQ(placed.Width(), box.Width());
}

TEST_F(PopupPlacement, ABoxNearTheMonitorsBottomOpensItAbove) {
    MONITORINFO info;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(Host().m_hWnd, MONITOR_DEFAULTTONEAREST), &info));
    // The box's bottom 50 pixels above the monitor's, with 120 to place.
    const CRect before = ScreenRectOf(*query);
    CRect hostRect;
    ASSERT_TRUE(Host().GetWindowRect(&hostRect));
    const int shift = info.rcMonitor.bottom - 50 - before.bottom;
    Host().SetWindowPos(nullptr, hostRect.left, hostRect.top + shift, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const CRect box = ScreenRectOf(*query);
    ASSERT_EQ(box.bottom, info.rcMonitor.bottom - 50);

    SDropdownList_1* popup = OpenQueryPopup(L"ab", 5);
    ASSERT_NE(popup, nullptr);
    const CRect placed = PopupRect(*popup);
    EXPECT_EQ(placed.Height(), 120);
    EXPECT_EQ(placed.bottom, box.top) << "opens above the box";
}

// Keys and the wheel while a popup is open.
using PopupInput = SearchBoxTest;

TEST_F(PopupInput, ListKeysAndTheWheelGoToThePopupTypingStaysInTheEdit) {
    edit->SetFocus();
    SDropdownList_1* popup = OpenQueryPopup(L"ab", 8);
    ASSERT_NE(popup, nullptr);
    SListView* list = popup->GetListView();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetSel(), 0);

    test::PressKey(Host(), VK_DOWN);
    test::PressKey(Host(), VK_DOWN);
    test::PressKey(Host(), VK_DOWN);
    test::PressKey(Host(), VK_UP);
    EXPECT_EQ(list->GetSel(), 2);
    ASSERT_TRUE(test::TypeText(Host(), L"edit_input_1", L"c"));
    EXPECT_EQ(edit->GetWindowTextW(), L"abc");

    const int scrolled = list->GetScrollPos(TRUE);
    test::WheelOver(Host(), *edit, -120);
    EXPECT_GT(list->GetScrollPos(TRUE), scrolled) << "the wheel over the edit scrolled the popup's list";
    EXPECT_EQ(query->popup, popup);

    test::PressKey(Host(), VK_RETURN);
    EXPECT_EQ(query->popup, nullptr);
    ASSERT_EQ(queryRecorder.selections.size(), 1u);
    EXPECT_EQ(queryRecorder.selections[0], 2);
    EXPECT_EQ(queryRecorder.selectionPopups[0], popup);
    EXPECT_EQ(GetCapture(), nullptr);

    // With no popup the keys are the edit's again.
    ASSERT_TRUE(test::TypeText(Host(), L"edit_input_1", L"d"));
    EXPECT_EQ(edit->GetWindowTextW(), L"abcd");
}

// How a popup ends.
using PopupClose = SearchBoxTest;

TEST_F(PopupClose, AClickOnAnEntryClosesWithOkAndReportsItsIndex) {
    SDropdownList_1* popup = OpenQueryPopup(L"ab", 5);
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(test::ClickInItem(*popup, *popup->GetListView(), 3, L"device_name_item"));
    EXPECT_EQ(query->popup, nullptr);
    ASSERT_EQ(queryRecorder.selections.size(), 1u);
    EXPECT_EQ(queryRecorder.selections[0], 3);
    EXPECT_EQ(queryRecorder.selectionPopups[0], popup);
}

TEST_F(PopupClose, EveryOtherEndRaisesNoSelection) {
    const std::vector<std::pair<const char*, std::function<void(SDropdownList_1&)>>> ends = {
        {"escape", [this](SDropdownList_1&) { test::PressKey(Host(), VK_ESCAPE); }},
        {"click outside", [this](SDropdownList_1&) { test::ClickAt(Host(), CPoint(700, 450)); }},
        {"click into the edit",
         [this](SDropdownList_1&) { test::ClickAt(Host(), test::CenterOnHost(*edit)); }},
        {"owner closes", [this](SDropdownList_1&) { query->CloseDropDown(IDCANCEL); }},
        {"window destroyed", [](SDropdownList_1& popup) { popup.DestroyWindow(); }},
        {"fill without entries",
         [this](SDropdownList_1&) {
             queryRecorder.entries = 0;
             ASSERT_TRUE(test::TypeText(Host(), L"edit_input_1", L"x"));
             ASSERT_GT(TicksUntilFill(), 0);
         }},
    };
    edit->SetFocus();
    std::wstring text = L"a";
    for (const auto& [name, end] : ends) {
        text += L"b";
        Tick(60);  // past the cooling of the previous fill
        SDropdownList_1* popup = OpenQueryPopup(text.substr(text.size() - 1), 5);
        ASSERT_NE(popup, nullptr) << name;
        end(*popup);
        EXPECT_EQ(query->popup, nullptr) << name;
        EXPECT_FALSE(IsWindow(popup->m_hWnd)) << name;
        EXPECT_TRUE(queryRecorder.selections.empty()) << name;
    }
}

TEST_F(PopupClose, OtherEventsPassThroughTheBox) {
    struct CommandCounter {
        bool OnCommand(EventArgs* evt) {
            names.push_back(evt->nameFrom);
            return true;
        }
        std::vector<std::wstring> names;
    } commands;
    query->GetEventSet()->subscribeEvent(EVT_CMD, &CommandCounter::OnCommand, &commands);
    SDropdownList_1* popup = OpenQueryPopup(L"ab", 5);
    ASSERT_NE(popup, nullptr);

    // A command of a list of another name is the box's own business.
    SListView other;
    other.SetName(L"lv_other");
    EventCmd cmd(&other);
    EXPECT_TRUE(query->FireEvent(&cmd));
    EXPECT_EQ(cmd.bubbleUp, TRUE);
    ASSERT_EQ(commands.names.size(), 1u);
    EXPECT_EQ(commands.names[0], L"lv_other");
    EXPECT_EQ(query->popup, popup);

    // An event of another kind from the popup's own list does not end it.
    popup->GetListView()->SetSel(3, TRUE);
    EXPECT_EQ(query->popup, popup);
    EXPECT_TRUE(popup->IsWindowVisible());
    EXPECT_TRUE(queryRecorder.selections.empty());
}

// A box that goes away while its popup is open ends the popup first.
using BoxLifetime = SearchBoxTest;

TEST_F(BoxLifetime, ABoxDestroyedWithItsPopupOpenEndsThePopup) {
    SDropdownList_1* popup = OpenQueryPopup(L"ab", 5);
    ASSERT_NE(popup, nullptr);
    const HWND popupWnd = popup->m_hWnd;
    ASSERT_TRUE(query->GetParent()->DestroyChild(query));
    query = nullptr;
    EXPECT_FALSE(IsWindow(popupWnd));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(queryRecorder.selections.empty());
    // Input that the popup would have taken now finds nothing of it.
    test::ClickAt(Host(), CPoint(300, 300));
    LetPopupsGo();
}

TEST_F(BoxLifetime, ClosingTheWindowEndsTheOpenPopup) {
    ShowDriverListPage();
    osRecorder.entries = 3;
    ASSERT_TRUE(os->ShowDropDown());
    const HWND popupWnd = os->popup->m_hWnd;
    Wnd().DestroyWindow();
    wnd.reset();
    EXPECT_FALSE(IsWindow(popupWnd));
    LetPopupsGo();
}

}  // namespace
}  // namespace apptest
