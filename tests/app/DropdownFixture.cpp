#include "DropdownFixture.h"

#include "soui/SControls.h"
#include "soui/STestApi.h"
#include "soui/SWidgetTestApi.h"

using namespace SOUI;

namespace apptest {

void BoxRecorder::Attach(SWindow& box) {
    box.GetEventSet()->subscribeEvent(EVT_FILL_SEARCH_DROPDOWN_LIST, &BoxRecorder::OnFill, this);
    box.GetEventSet()->subscribeEvent(EVT_DROPDOWN_LIST_SELECTED, &BoxRecorder::OnSelected, this);
}

bool BoxRecorder::OnFill(EventArgs* evt) {
    SListView* list = nullptr;
    bool* show = nullptr;
    if (auto* fill = dynamic_cast<EventFillSearchDropdownList_1*>(evt)) {
        fillKeys.emplace_back(fill->keyText.c_str());
        list = fill->dropDown ? fill->dropDown->FindChildByName2<SListView>(L"lv_dropdown_1") : nullptr;
        show = &fill->showDropDown;
    } else if (auto* osFill = dynamic_cast<EventFillSearchDropdownList*>(evt)) {
        fillKeys.emplace_back(osFill->keyText.c_str());
        list = osFill->dropDown ? osFill->dropDown->FindChildByName2<SListView>(L"lv_dropdown") : nullptr;
        show = &osFill->showDropDown;
    }
    evt->bubbleUp = FALSE;
    if (list == nullptr || show == nullptr) return true;
    auto* adapter = new SDriverSearchAdapter(nullptr);
    for (int i = 0; i < entries; ++i) adapter->AddItem({SStringW((L"model " + std::to_wstring(i)).c_str())});
    list->SetAdapter(adapter);
    list->SetSel(0);
    adapter->Release();
    *show = entries > 0;
    return true;
}

bool BoxRecorder::OnSelected(EventArgs* evt) {
    if (auto* picked = dynamic_cast<EventDropdownListSelected_1*>(evt)) {
        selections.push_back(picked->selectedIndex);
        selectionPopups.push_back(picked->dropDown);
    } else if (auto* osPicked = dynamic_cast<EventDropdownListSelected*>(evt)) {
        selections.push_back(osPicked->selectedIndex);
        selectionPopups.push_back(osPicked->dropDown);
    }
    evt->bubbleUp = FALSE;
    return true;
}

CRect ScreenRectOf(SWindow& wnd) {
    const CRect rc = wnd.GetContainer()->FrameToHost(wnd.GetWindowRect());
    CPoint topLeft = rc.TopLeft();
    CPoint bottomRight = rc.BottomRight();
    SNativeWnd* host = SNativeWnd::FromHandle(wnd.GetContainer()->GetHostHwnd());
    host->ClientToScreen(&topLeft);
    host->ClientToScreen(&bottomRight);
    return CRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

void SearchBoxTest::SetUp() {
    MainWindowTest::SetUp();
    if (HasFatalFailure()) return;
    query = Wnd().FindChildByName2<SSearchDropdownList_1>(L"query_suggest_list");
    os = Wnd().FindChildByName2<SSearchDropdownList>(L"os_suggest_list");
    edit = Wnd().FindChildByName2<SEdit>(L"edit_input_1");
    ASSERT_NE(query, nullptr);
    ASSERT_NE(os, nullptr);
    ASSERT_NE(edit, nullptr);
    queryRecorder.Attach(*query);
    osRecorder.Attach(*os);
}

void SearchBoxTest::TearDown() {
    MainWindowTest::TearDown();
    LetPopupsGo();
}

void SearchBoxTest::ShowDriverListPage() {
    auto* tab = Wnd().FindChildByName2<STabCtrl>(L"tab_main_op");
    ASSERT_NE(tab, nullptr);
    ASSERT_TRUE(tab->SetCurSel(1));
}

void SearchBoxTest::Tick(int count) {
    for (int i = 0; i < count; ++i) query->SSendMessage(UM_SWNDTIMER, SSearchDropdownList_1::kTypingTimer);
}

int SearchBoxTest::TicksUntilFill(int limit) {
    const std::size_t before = queryRecorder.fillKeys.size();
    for (int ticks = 1; ticks <= limit; ++ticks) {
        Tick(1);
        if (queryRecorder.fillKeys.size() > before) return ticks;
    }
    return -1;
}

SDropdownList_1* SearchBoxTest::OpenQueryPopup(const std::wstring& text, int entries) {
    queryRecorder.entries = entries;
    if (!test::TypeText(Host(), L"edit_input_1", text)) return nullptr;
    if (TicksUntilFill() < 0) return nullptr;
    return query->popup && query->popup->IsWindowVisible() ? query->popup : nullptr;
}

void SearchBoxTest::LetPopupsGo() {
    // An ended popup deletes itself once the message that ended it is done.
    test::Pump(std::chrono::milliseconds(50));
}

}  // namespace apptest
