#include <gtest/gtest.h>

#include <algorithm>

#include "ListHost.h"
#include "TestFramework.h"
#include "soui/SControls.h"
#include "soui/STestApi.h"
#include "soui/SWidgetTestApi.h"

namespace souitest {
namespace {

using namespace SOUI;

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Open());
        list = host.List();
        ASSERT_NE(list, nullptr);
    }
    // Attaches a new adapter of count items; the list keeps the only reference.
    CountingAdapter* Fill(int count) {
        auto* adapter = new CountingAdapter(count);
        list->SetAdapter(adapter);
        adapter->Release();
        return adapter;
    }
    int VisibleRows() const {
        return (list->GetViewRect().Height() + 79) / 80 + 1;  // a partly shown row at each end
    }

    TestFramework framework;
    ListHost host;
    SListView* list = nullptr;
};

TEST_F(ListViewTest, ScrollingReusesAFixedNumberOfItemWindows) {
    CountingAdapter* adapter = Fill(10000);
    EXPECT_EQ(list->GetItemLocator()->GetTotalHeight(), 800000);
    EXPECT_TRUE(list->HasScrollBar(TRUE));
    const int rows = VisibleRows();
    const int step = list->GetViewRect().Height() / 2;
    for (int pos = 0; pos <= 800000; pos += step * 97) {
        adapter->views.clear();
        list->SetScrollPos(TRUE, pos, TRUE);
        const int top = list->GetScrollPos(TRUE);
        for (int p : adapter->views) {
            EXPECT_GE(p * 80 + 80, top) << "position " << p << " above the view at " << top;
            EXPECT_LT(p * 80, top + list->GetViewRect().Height());
        }
        EXPECT_LE(list->GetItemPanelCount(), rows);
    }
    list->SetScrollPos(TRUE, 1 << 30, TRUE);
    EXPECT_EQ(list->GetScrollPos(TRUE), 800000 - list->GetViewRect().Height());
    ASSERT_NE(list->GetItemPanel(9999), nullptr);
    EXPECT_EQ(list->GetItemPanel(9999)->FindChildByName(L"item_text")->GetWindowTextW(), L"item 9999");

    // The wheel scrolls three rows a notch.
    list->SetScrollPos(TRUE, 0, TRUE);
    test::WheelOver(host, *list, -120);
    EXPECT_EQ(list->GetScrollPos(TRUE), 240);
    EXPECT_LE(list->GetItemPanelCount(), rows);
}

TEST_F(ListViewTest, DataSetChangeRefillsOnlyTheVisibleItems) {
    CountingAdapter* adapter = Fill(5000);
    adapter->views.clear();
    adapter->label = L"changed ";
    adapter->notifyDataSetChanged();
    std::vector<int> views = adapter->views;
    std::sort(views.begin(), views.end());
    ASSERT_FALSE(views.empty());
    EXPECT_EQ(views.front(), 0);
    EXPECT_EQ(std::adjacent_find(views.begin(), views.end()), views.end()) << "an item drawn twice";
    EXPECT_LE(static_cast<int>(views.size()), VisibleRows());
    EXPECT_EQ(list->GetItemPanel(0)->FindChildByName(L"item_text")->GetWindowTextW(), L"changed 0");

    // Fewer items: the view and the selection follow.
    list->SetSel(4000);
    adapter->SetCount(3);
    adapter->notifyDataSetChanged();
    EXPECT_EQ(list->GetSel(), -1);
    EXPECT_FALSE(list->HasScrollBar(TRUE));
    EXPECT_EQ(list->GetItemPanel(3), nullptr);
}

TEST_F(ListViewTest, ItemButtonsReachTheirHandlerOnceAfterManyRedraws) {
    CountingAdapter* adapter = Fill(10000);
    for (int i = 0; i < 20; ++i) {
        adapter->notifyDataSetChanged();
        list->SetScrollPos(TRUE, (i % 2) ? 80 * 500 : 0, TRUE);
    }
    list->SetScrollPos(TRUE, 80 * 3, TRUE);
    ASSERT_TRUE(test::ClickInItem(host, *list, 4, L"item_btn"));
    EXPECT_EQ(adapter->clicks, (std::map<int, int>{{4, 1}}));
    ASSERT_TRUE(test::ClickInItem(host, *list, 5, L"item_btn"));
    EXPECT_EQ(adapter->clicks, (std::map<int, int>{{4, 1}, {5, 1}}));
    EXPECT_EQ(list->GetSel(), 5);
}

TEST_F(ListViewTest, ANewAdapterFreesTheOldOneAndBuildsItsOwnItems) {
    bool oldGone = false;
    auto* old = new CountingAdapter(100, &oldGone);
    list->SetAdapter(old);
    old->Release();
    ASSERT_GT(old->built, 0);

    CountingAdapter* fresh = Fill(100);
    EXPECT_TRUE(oldGone);
    EXPECT_EQ(fresh->built, static_cast<int>(fresh->views.size()));
    ASSERT_TRUE(test::ClickInItem(host, *list, 1, L"item_btn"));
    EXPECT_EQ(fresh->clicks, (std::map<int, int>{{1, 1}}));
    test::Pump(std::chrono::milliseconds(50));  // the old item windows go
}

TEST_F(ListViewTest, SelectionNotifiesOnlyWhenAskedAndClicksCommandTheList) {
    Fill(50);
    int changes = 0;
    struct Counter {
        int* count;
        bool On(EventArgs*) {
            ++*count;
            return true;
        }
    } counter{&changes};
    list->GetEventSet()->subscribeEvent(EVT_LV_SELCHANGED, &Counter::On, &counter);
    list->SetSel(2, FALSE);
    EXPECT_EQ(changes, 0);
    list->SetSel(3, TRUE);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(list->GetSel(), 3);

    SItemPanel* item = list->GetItemPanel(1);
    ASSERT_NE(item, nullptr);
    struct ItemClicks {
        std::vector<int> indexes;
        bool On(EventArgs* evt) {
            indexes.push_back(static_cast<SItemPanel*>(evt->sender)->GetItemIndex());
            return true;
        }
    } itemClicks;
    ASSERT_TRUE(item->GetEventSet()->subscribeEvent(EVT_ITEMPANEL_CLICK, &ItemClicks::On, &itemClicks));
    test::ClickAt(host, CPoint(200, test::CenterOnHost(*item).y));
    EXPECT_EQ(list->GetSel(), 1);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(itemClicks.indexes, std::vector<int>{1});
    ASSERT_FALSE(host.commands.empty());
    EXPECT_EQ(host.commands.back(), L"lv");

    // Keys move the selection of the focused list; the view follows.
    EXPECT_TRUE(list->IsFocused());
    for (int i = 0; i < 20; ++i) test::PressKey(host, VK_DOWN);
    EXPECT_EQ(list->GetSel(), 21);
    EXPECT_GE(list->GetScrollPos(TRUE) + list->GetViewRect().Height(), 22 * 80);
}

TEST_F(ListViewTest, ASelectionMadeBeforeTheListHasRoomKeepsTheTopInView) {
    const CRect full = list->GetWindowRect();
    list->Move(CRect(full.left, full.top, full.right, full.top));  // no height yet, as in a popup
    Fill(20);
    list->SetSel(0);
    list->Move(full);
    EXPECT_EQ(list->GetScrollPos(TRUE), 0);
    ASSERT_NE(list->GetItemPanel(0), nullptr) << "the first item shows";
    list->SetSel(19);
    EXPECT_EQ(list->GetScrollPos(TRUE), 20 * 80 - list->GetViewRect().Height())
        << "a laid-out list still follows";
}

TEST_F(ListViewTest, OwnerGetsTheListEvents) {
    Fill(5);
    SWindow* anchor = host.FindChildByName(L"drop_anchor");
    ASSERT_NE(anchor, nullptr);
    struct Owner : SWindow {
        std::vector<std::wstring> names;
        BOOL FireEvent(EventArgs* evt) override {
            names.push_back(evt->nameFrom);
            return TRUE;
        }
    } owner;
    list->SetOwner(&owner);
    ASSERT_TRUE(test::ClickInItem(host, *list, 0, L"item_btn"));
    list->SetOwner(nullptr);
    EXPECT_NE(std::find(owner.names.begin(), owner.names.end(), L"item_btn"), owner.names.end());
    EXPECT_NE(std::find(owner.names.begin(), owner.names.end(), L"lv"), owner.names.end());
    EXPECT_TRUE(host.commands.empty());
}

}  // namespace
}  // namespace souitest
