#include <gtest/gtest.h>

#include <algorithm>

#include "ListHost.h"
#include "soui/SControls.h"
#include "soui/STestApi.h"
#include "soui/SWidgetTestApi.h"
#include "tests/soui/TestFramework.h"

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
    // Where the list shows the item at that position, in the window.
    CRect RowRect(int position) const {
        const CRect view = list->GetViewRect();
        const int top = view.top + position * 80 - list->GetScrollPos(TRUE);
        return CRect(view.left, top, view.right, top + 80) & view;
    }
    std::wstring ShownText(int position) const {
        SItemPanel* item = list->GetItemPanel(position);
        SWindow* text = item != nullptr ? item->FindChildByName(L"item_text") : nullptr;
        return text != nullptr ? text->GetWindowTextW().c_str() : L"(not shown)";
    }
    // The screen keeps what was painted before except where the window was
    // asked to paint again: every pixel that the change made differ must lie
    // in one of those areas, or the screen goes on showing the old one.
    ::testing::AssertionResult RepaintCovers(const SImageData& before, const SImageData& after) const {
        if (before.width != after.width || before.height != after.height || before.pixels.empty())
            return ::testing::AssertionFailure() << "no pictures to compare";
        int changed = 0;
        for (int y = 0; y < after.height; ++y) {
            for (int x = 0; x < after.width; ++x) {
                const size_t i = static_cast<size_t>(y) * static_cast<size_t>(after.width) + x;
                if (before.pixels[i] == after.pixels[i]) continue;
                ++changed;
                const bool repainted =
                    std::any_of(host.redraws.begin(), host.redraws.end(),
                                [&](const CRect& rc) { return rc.PtInRect(CPoint(x, y)); });
                if (!repainted)
                    return ::testing::AssertionFailure() << "pixel " << x << "," << y << " stays old";
            }
        }
        if (changed == 0) return ::testing::AssertionFailure() << "the change showed nothing";
        return ::testing::AssertionSuccess();
    }
    bool Repainted(const CRect& area) const {
        return std::any_of(host.redraws.begin(), host.redraws.end(),
                           [&](const CRect& rc) { return !(rc & area).IsRectEmpty(); });
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

TEST_F(ListViewTest, ADataChangeRepaintsTheChangedItemsAndNoOther) {
    CountingAdapter* adapter = Fill(5000);
    ASSERT_GE(VisibleRows(), 4);
    struct Case {
        const char* what;
        std::map<int, std::wstring> texts;
        std::vector<int> repainted;
    };
    const std::vector<Case> cases = {
        {"one item", {{2, L"item 2 changed"}}, {2}},
        {"two others, the first back", {{0, L"first changed"}, {3, L"fourth changed"}}, {0, 2, 3}},
        {"all back", {}, {0, 3}},
        {"nothing new", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SImageData before = host.RenderToImage();
        host.redraws.clear();
        adapter->texts = c.texts;
        adapter->notifyDataSetChanged();
        const SImageData after = host.RenderToImage();
        if (c.repainted.empty())
            EXPECT_TRUE(after.pixels == before.pixels);
        else
            EXPECT_TRUE(RepaintCovers(before, after));
        for (int pos = 0; pos < 4; ++pos) {
            const bool expected = std::find(c.repainted.begin(), c.repainted.end(), pos) != c.repainted.end();
            EXPECT_EQ(Repainted(RowRect(pos)), expected) << "item " << pos;
            const auto own = c.texts.find(pos);
            EXPECT_EQ(ShownText(pos), own != c.texts.end() ? own->second : L"item " + std::to_wstring(pos));
        }
    }
}

TEST_F(ListViewTest, DistantChangedItemsArePaintedRightAndTheItemsBetweenKeepTheirPicture) {
    CountingAdapter* adapter = Fill(5000);
    ASSERT_GE(VisibleRows(), 6);
    struct Case {
        std::map<int, std::wstring> texts;
        std::vector<int> changed;
    };
    const std::vector<Case> cases = {
        {{{0, L"first item, longer than before"}, {4, L"fifth"}}, {0, 4}},
        {{{0, L"first item, longer than before"}, {1, L"second"}, {4, L"fifth"}, {5, L"partly shown"}},
         {1, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.changed.front());
        const SImageData before = test::HostPaintWithoutNativeEdits(host);
        host.redraws.clear();
        adapter->texts = c.texts;
        adapter->notifyDataSetChanged();
        for (int pos = 0; pos < VisibleRows(); ++pos) {
            const bool changed = std::find(c.changed.begin(), c.changed.end(), pos) != c.changed.end();
            EXPECT_EQ(Repainted(RowRect(pos)), changed) << "item " << pos;
        }
        // Painted as the platform asks, only the requested areas over the old
        // screen: the result must be the whole new picture.
        const SImageData shown = test::RepaintAreasOver(host, before, host.redraws);
        const SImageData expected = test::HostPaintWithoutNativeEdits(host);
        ASSERT_EQ(shown.pixels.size(), expected.pixels.size());
        EXPECT_FALSE(expected.pixels == before.pixels);
        const auto [wrong, _] =
            std::mismatch(shown.pixels.begin(), shown.pixels.end(), expected.pixels.begin());
        const auto at = static_cast<int>(wrong - shown.pixels.begin());
        EXPECT_TRUE(wrong == shown.pixels.end())
            << "pixel " << at % expected.width << "," << at / expected.width << " wrong";
    }
}

TEST_F(ListViewTest, AnItemChangedOutsideTheAdapterOrScrolledInShowsTheData) {
    CountingAdapter* adapter = Fill(5000);
    // A control of a shown item changes on its own (as a click does), and
    // the next refill puts the adapter's text back.
    SWindow* text = list->GetItemPanel(1)->FindChildByName(L"item_text");
    text->SetWindowTextW(L"typed over");
    const SImageData typed = host.RenderToImage();
    host.redraws.clear();
    adapter->notifyDataSetChanged();
    EXPECT_EQ(ShownText(1), L"item 1");
    EXPECT_TRUE(RepaintCovers(typed, host.RenderToImage()));

    // An item changed while out of view shows its new text once scrolled in.
    adapter->texts = {{100, L"changed unseen"}};
    adapter->notifyDataSetChanged();
    const SImageData top = host.RenderToImage();
    host.redraws.clear();
    list->SetScrollPos(TRUE, 100 * 80, TRUE);
    EXPECT_EQ(ShownText(100), L"changed unseen");
    EXPECT_TRUE(RepaintCovers(top, host.RenderToImage()));
    EXPECT_TRUE(Repainted(RowRect(100)));
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
