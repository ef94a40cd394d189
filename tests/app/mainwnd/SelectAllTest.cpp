// The select-all box of the driver list and its label, clicked as a user does.
#include <gtest/gtest.h>

#include <vector>

#include "tests/app/DriverListTestSupport.h"
#include "tests/app/MainWindowFixture.h"

using namespace SOUI;

namespace apptest {
namespace {

class SelectAllTest : public MainWindowTest {
protected:
    SWindow* AllBox() { return Wnd().FindChildByName(L"btn_allchoose"); }

    bool ClickItemBox(int position) {
        return test::ClickInItem(Wnd(), *Wnd().driverListView, position, L"dirverfind_download_item_check");
    }

    // Ticks of the shown items, and of the tasks the adapter would download.
    std::vector<bool> ShownTicks() {
        std::vector<bool> ticks;
        for (int i = 0; i < ListAdapter(Wnd())->getCount(); ++i) {
            SItemPanel* item = ShownItem(Wnd(), i);
            SWindow* box = item ? item->FindChildByName(L"dirverfind_download_item_check") : nullptr;
            ticks.push_back(box != nullptr && box->IsChecked());
        }
        return ticks;
    }
    size_t TickedTasks() {
        std::vector<DriverTask> ticked;
        ListAdapter(Wnd())->CollectCheckedTasks(ticked);
        return ticked.size();
    }
};

TEST_F(SelectAllTest, TickingTheLastItemTicksTheBoxAndUntickingAnyUnticksIt) {
    Query(Wnd(), L"Aurex 16 Pro");
    ASSERT_NE(AllBox(), nullptr);

    ASSERT_TRUE(ClickItemBox(0));
    ASSERT_TRUE(ClickItemBox(2));
    EXPECT_FALSE(AllBox()->IsChecked());
    EXPECT_FALSE(Wnd().allChosen);
    ASSERT_TRUE(ClickItemBox(1));
    EXPECT_TRUE(AllBox()->IsChecked());
    EXPECT_TRUE(Wnd().allChosen);
    EXPECT_EQ(TickedTasks(), 3u);

    ASSERT_TRUE(ClickItemBox(2));
    EXPECT_FALSE(AllBox()->IsChecked());
    EXPECT_FALSE(Wnd().allChosen);
    EXPECT_EQ(ShownTicks(), (std::vector<bool>{true, true, false}));
    EXPECT_EQ(TickedTasks(), 2u);
}

TEST_F(SelectAllTest, BoxAndLabelFlipEveryItem) {
    Query(Wnd(), L"Aurex 16 Pro");
    ASSERT_TRUE(ClickItemBox(1));

    ASSERT_TRUE(test::Click(Wnd(), L"btn_allchoose"));
    EXPECT_TRUE(Wnd().allChosen);
    EXPECT_TRUE(AllBox()->IsChecked());
    EXPECT_EQ(ShownTicks(), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(TickedTasks(), 3u);

    ASSERT_TRUE(test::Click(Wnd(), L"btn_allchoose_text"));
    EXPECT_FALSE(Wnd().allChosen);
    EXPECT_FALSE(AllBox()->IsChecked());
    EXPECT_EQ(ShownTicks(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(TickedTasks(), 0u);

    ASSERT_TRUE(test::Click(Wnd(), L"btn_allchoose_text"));
    EXPECT_TRUE(AllBox()->IsChecked());
    EXPECT_EQ(TickedTasks(), 3u);
}

TEST_F(SelectAllTest, OnAnEmptyListOnlyTheBoxAndItsStateFlip) {
    ShowPage(Wnd(), 1);
    ASSERT_EQ(ListAdapter(Wnd())->getCount(), 0);

    ASSERT_TRUE(test::Click(Wnd(), L"btn_allchoose"));
    EXPECT_TRUE(Wnd().allChosen);
    EXPECT_TRUE(AllBox()->IsChecked());
    EXPECT_EQ(ListAdapter(Wnd())->getCount(), 0);

    ASSERT_TRUE(test::Click(Wnd(), L"btn_allchoose"));
    EXPECT_FALSE(Wnd().allChosen);
    EXPECT_FALSE(AllBox()->IsChecked());
}

}  // namespace
}  // namespace apptest
