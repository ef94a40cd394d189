#include <gtest/gtest.h>

#include <string>

#include "app/dropdown/SkinVScrollbar.h"
#include "soui/SApplication.h"
#include "soui/STestApi.h"
#include "tests/app/DropdownFixture.h"
#include "tests/app/MainWindowFixture.h"

using namespace SOUI;

namespace apptest {
namespace {

TEST(DropdownClasses, AreRegisteredUnderTheirTags) {
    Framework();
    SApplication& app = SApplication::getSingleton();
    const struct {
        const wchar_t* tag;
        int type;
        const wchar_t* base;
    } classes[] = {
        {L"searchDropdownList", Window, L"window"},
        {L"searchDropdownList_1", Window, L"window"},
        {L"vscrollbar", Skin, L"scrollbar"},
    };
    for (const auto& c : classes) {
        const SObjectInfo* info = app.FindInfo(c.tag, c.type);
        ASSERT_NE(info, nullptr) << c.tag;
        EXPECT_EQ(info->baseClassName, c.base);
        SObject* made = app.CreateObject(c.tag, c.type);
        ASSERT_NE(made, nullptr);
        EXPECT_STREQ(made->GetObjectClass(), c.tag);
        EXPECT_TRUE(made->IsClass(c.tag));
        EXPECT_TRUE(made->IsClass(c.base));
        delete made;
    }
    SSearchDropdownList box;
    EXPECT_FALSE(box.IsClass(L"searchDropdownList_1"));
    EXPECT_TRUE(box.GetEventSet()->isEventPresent(EVT_FILL_SEARCH_DROPDOWN_LIST));
    EXPECT_TRUE(box.GetEventSet()->isEventPresent(EVT_DROPDOWN_LIST_SELECTED));
}

TEST(DropdownEvents, CarryTheirIdsNamesAndDefaults) {
    SSearchDropdownList box;
    EventFillSearchDropdownList fill(&box);
    EventFillSearchDropdownList_1 fill1(&box);
    EventDropdownListSelected picked(&box);
    EventDropdownListSelected_1 picked1(&box);
    for (EventArgs* evt : {static_cast<EventArgs*>(&fill), static_cast<EventArgs*>(&fill1)}) {
        EXPECT_EQ(evt->GetID(), 10030000);
        EXPECT_STREQ(evt->GetName(), L"on_fill_search_dropdown_list");
        EXPECT_STREQ(evt->GetObjectClass(), L"on_fill_search_dropdown_list");
        EXPECT_EQ(evt->sender, &box);
    }
    for (EventArgs* evt : {static_cast<EventArgs*>(&picked), static_cast<EventArgs*>(&picked1)}) {
        EXPECT_EQ(evt->GetID(), 10030001);
        EXPECT_STREQ(evt->GetName(), L"on_dropdown_list_selected");
    }
    EXPECT_TRUE(fill.keyText.IsEmpty());
    EXPECT_EQ(fill.dropDown, nullptr);
    EXPECT_FALSE(fill1.showDropDown);
    EXPECT_EQ(picked.selectedIndex, -1);
    EXPECT_EQ(picked1.dropDown, nullptr);
}

TEST(DropdownAttributes, NamesInAnyCaseNumbersDecimalOrHex) {
    const struct {
        const wchar_t* name;
        const wchar_t* value;
        int dropAlign;
        int maxDropHeight;
    } cases[] = {
        {L"maxDropHeight", L"0x10", 1, 16}, {L"MAXDROPHEIGHT", L"200", 1, 200},
        {L"maxdropheight", L"tall", 1, 0},  {L"dropAlign", L"0", 0, 120},
        {L"DropAlign", L"0X1", 1, 120},     {L"dropalign", L"", 0, 120},
    };
    for (const auto& c : cases) {
        SSearchDropdownList_1 box;
        EXPECT_EQ(box.SetAttribute(c.name, c.value, FALSE), S_FALSE) << c.name;
        EXPECT_EQ(box.dropAlign, c.dropAlign) << c.name << "=" << c.value;
        EXPECT_EQ(box.maxDropHeight, c.maxDropHeight) << c.name << "=" << c.value;
    }
    SSearchDropdownList box;
    EXPECT_EQ(box.SetAttribute(L"name", L"os_box", FALSE), S_FALSE)
        << "the window's own attributes still work";
    EXPECT_EQ(box.GetName(), L"os_box");
}

class OddLayout : public ::testing::Test {
protected:
    void SetUp() override {
        Framework();
        testing::internal::CaptureStderr();
        host = std::make_unique<SHostWnd>(L"LAYOUT:TEST_DROPDOWN_LAYOUTS");
        const bool created = host->Create(nullptr) != nullptr;
        diagnostics = testing::internal::GetCapturedStderr();
        ASSERT_TRUE(created);
        host->ShowWindow(SW_SHOWNORMAL);
    }
    void TearDown() override {
        host.reset();
        test::Pump(std::chrono::milliseconds(50));  // ended popups delete themselves
    }

    std::unique_ptr<SHostWnd> host;
    std::string diagnostics;
};

TEST_F(OddLayout, AQueryBoxWithoutItsEditIsNotBuiltAndSaysWhy) {
    EXPECT_EQ(host->FindChildByName(L"box_without_edit"), nullptr);
    EXPECT_EQ(host->FindChildByName(L"edit_other"), nullptr);
    EXPECT_NE(diagnostics.find("\"box_without_edit\" has no edit \"edit_input_1\""), std::string::npos)
        << diagnostics;
}

TEST_F(OddLayout, APopupWithoutItsListViewIsReportedAndNeverShown) {
    auto* box = host->FindChildByName2<SSearchDropdownList>(L"box_without_list");
    ASSERT_NE(box, nullptr);
    BoxRecorder recorder;
    recorder.Attach(*box);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(box->ShowDropDown());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("\"box_without_list\" has no list view \"lv_dropdown\""), std::string::npos) << said;
    EXPECT_EQ(recorder.fillKeys.size(), 1u) << "the owner was still asked";
    EXPECT_EQ(box->popup, nullptr) << "nothing to show: ended";
}

TEST_F(OddLayout, TheLayoutsAttributesPlaceThePopup) {
    auto* box = host->FindChildByName2<SSearchDropdownList>(L"box_with_attributes");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->dropAlign, 0);
    EXPECT_EQ(box->maxDropHeight, 16);
    BoxRecorder recorder;
    recorder.Attach(*box);
    ASSERT_TRUE(box->ShowDropDown());
    ASSERT_NE(box->popup, nullptr);
    CRect placed;
    ASSERT_TRUE(box->popup->GetWindowRect(&placed));
    const CRect rc = ScreenRectOf(*box);
    EXPECT_EQ(placed, CRect(rc.left, rc.bottom, rc.right, rc.bottom + 16));
}

}  // namespace
}  // namespace apptest
