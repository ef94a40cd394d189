#include <gtest/gtest.h>

#include <string>

#include "app/dropdown/DriverFindOsDropBoxListViewAdapter.h"
#include "app/dropdown/DriverSearchAdapter.h"
#include "soui/STestApi.h"
#include "soui/SWidgetTestApi.h"
#include "tests/app/DropdownFixture.h"

using namespace SOUI;

namespace apptest {
namespace {

// Says when it goes.
class WatchedSearchAdapter : public SDriverSearchAdapter {
public:
    explicit WatchedSearchAdapter(bool* gone) : SDriverSearchAdapter(nullptr), gone(gone) {}
    ~WatchedSearchAdapter() override { *gone = true; }

private:
    bool* gone;
};

TEST(DropdownAdapters, KeepCopiesInTheOrderAdded) {
    SAutoRefPtr<CDriverFind_Os_DropBoxListViewAdapter> os;
    os.Attach(new CDriverFind_Os_DropBoxListViewAdapter(nullptr));
    EXPECT_EQ(os->getCount(), 0);
    EXPECT_TRUE(os->isEmpty());
    OsChoiceItem win10{SStringW(L"Windows 10 64位"), 42};
    EXPECT_TRUE(os->AddItem(win10));
    win10.name = L"changed after adding";
    EXPECT_TRUE(os->AddItem({SStringW(L"Windows 11"), 51}));
    ASSERT_EQ(os->getCount(), 2);
    EXPECT_EQ(os->GetItem(0).name, L"Windows 10 64位");
    EXPECT_EQ(os->GetItem(0).osId, 42);
    EXPECT_EQ(os->GetItem(1).name, L"Windows 11");
    EXPECT_EQ(os->GetItem(1).osId, 51);
    for (int outside : {-1, 2, 1000}) {
        EXPECT_TRUE(os->GetItem(outside).name.IsEmpty()) << outside;
        EXPECT_EQ(os->GetItem(outside).osId, 0) << outside;
    }
    EXPECT_EQ(os->GetColumnName(0), L"col_nick");
    EXPECT_TRUE(os->GetColumnName(1).IsEmpty());

    SAutoRefPtr<SDriverSearchAdapter> names;
    names.Attach(new SDriverSearchAdapter(nullptr));
    EXPECT_TRUE(names->AddItem({SStringW(L"Halden T14")}));
    EXPECT_EQ(names->getCount(), 1);
    EXPECT_EQ(names->GetItem(0).name, L"Halden T14");
    EXPECT_EQ(names->GetColumnName(0), L"col_nick");
}

using AdapterInList = SearchBoxTest;

TEST_F(AdapterInList, EntryNShowsTheNameOfItemNAndRefillingFreesTheOldAdapter) {
    SDropdownList_1* popup = OpenQueryPopup(L"ab", 3);
    ASSERT_NE(popup, nullptr);
    SListView* list = popup->GetListView();

    bool firstGone = false;
    auto* first = new WatchedSearchAdapter(&firstGone);
    for (const wchar_t* name : {L"E14", L"T14", L"X1 Slate"}) first->AddItem({SStringW(name)});
    list->SetAdapter(first);
    first->Release();
    ASSERT_FALSE(firstGone) << "the list holds it";
    for (int i = 0; i < 3; ++i) {
        SItemPanel* item = list->GetItemPanel(i);
        ASSERT_NE(item, nullptr) << i;
        SWindow* text = item->FindChildByName(L"device_name_item");
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->GetWindowTextW(), first->GetItem(i).name) << i;
    }

    bool secondGone = false;
    auto* second = new WatchedSearchAdapter(&secondGone);
    second->AddItem({SStringW(L"P16")});
    list->SetAdapter(second);
    second->Release();
    EXPECT_TRUE(firstGone) << "a refill frees the previous adapter";
    EXPECT_FALSE(secondGone);
    test::Pump(std::chrono::milliseconds(20));  // the old item windows go after the message
    ASSERT_NE(list->GetItemPanel(0), nullptr);
    EXPECT_EQ(list->GetItemPanel(0)->FindChildByName(L"device_name_item")->GetWindowTextW(), L"P16");

    query->CloseDropDown(IDCANCEL);
    LetPopupsGo();
    EXPECT_TRUE(secondGone) << "the last adapter goes with its popup";
}

TEST_F(AdapterInList, TheOsAdapterTakesItemClicksOnce) {
    ShowDriverListPage();
    osRecorder.entries = 0;  // the test fills the list itself
    struct OsFill {
        bool OnFill(EventArgs* evt) {
            auto* fill = static_cast<EventFillSearchDropdownList*>(evt);
            SListView* list = fill->dropDown->FindChildByName2<SListView>(L"lv_dropdown");
            auto* adapter = new CDriverFind_Os_DropBoxListViewAdapter(nullptr);
            adapter->AddItem({SStringW(L"Windows 10"), 42});
            adapter->AddItem({SStringW(L"Windows 11"), 51});
            list->SetAdapter(adapter);
            list->SetSel(0);
            adapter->Release();
            fill->showDropDown = true;
            fill->bubbleUp = FALSE;
            return true;
        }
    } fill;
    os->GetEventSet()->unsubscribeEvent(EVT_FILL_SEARCH_DROPDOWN_LIST,
                                        Subscriber(&BoxRecorder::OnFill, &osRecorder));
    os->GetEventSet()->subscribeEvent(EVT_FILL_SEARCH_DROPDOWN_LIST, &OsFill::OnFill, &fill);
    ASSERT_TRUE(os->ShowDropDown());
    SDropdownList* popup = os->popup;
    ASSERT_NE(popup, nullptr);
    SListView* list = popup->GetListView();
    SItemPanel* item = list->GetItemPanel(1);
    ASSERT_NE(item, nullptr);
    SAutoRefPtr<CDriverFind_Os_DropBoxListViewAdapter> adapter(
        static_cast<CDriverFind_Os_DropBoxListViewAdapter*>(list->GetAdapter()));
    adapter->notifyDataSetChanged();  // the same item windows filled again
    EXPECT_EQ(item->GetEventSet()->subscriberCount(EVT_ITEMPANEL_CLICK), 1u);
    EXPECT_EQ(item->FindChildByName(L"device_name_item")->GetWindowTextW(), L"Windows 11");

    ASSERT_TRUE(test::ClickInItem(*popup, *list, 1, L"device_name_item"));
    ASSERT_EQ(osRecorder.selections.size(), 1u);
    EXPECT_EQ(osRecorder.selections[0], 1);
    EXPECT_EQ(adapter->GetItem(osRecorder.selections[0]).osId, 51);
}

}  // namespace
}  // namespace apptest
