#pragma once
// The two search boxes of the main window, driven by a test. A recorder on
// each box's events stands in for the window's fill and selection handlers.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "app/dropdown/DriverSearchAdapter.h"
#include "app/dropdown/DropdownEvents.h"
#include "app/dropdown/SearchDropdownList.h"
#include "app/dropdown/SearchDropdownList_1.h"
#include "soui/SEdit.h"
#include "soui/SHostWnd.h"

namespace apptest {

// Fills the list with `entries` names ("model 0", ...) and asks for the popup
// when there are any, as the window's handlers do; records what it saw and
// stops both events there.
class BoxRecorder {
public:
    void Attach(SOUI::SWindow& box);
    bool OnFill(SOUI::EventArgs* evt);
    bool OnSelected(SOUI::EventArgs* evt);

    int entries = 5;
    std::vector<std::wstring> fillKeys;
    std::vector<int> selections;
    std::vector<SOUI::SDropDownWnd*> selectionPopups;
};

// The box's rectangle on the screen.
SOUI::CRect ScreenRectOf(SOUI::SWindow& wnd);

// The main window as the program shows it, with recorders on both boxes.
class SearchBoxTest : public MainWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    SOUI::SHostWnd& Host() { return Wnd(); }
    // The operating-system box is on the driver-list page.
    void ShowDriverListPage();
    // Ticks of the query box's typing timer, sent as the timer sends them:
    // the test counts ticks, not time.
    void Tick(int count);
    // Ticks one at a time until the next fill; the ticks it took, or -1.
    int TicksUntilFill(int limit = 200);
    // Types into the query box and waits (in ticks) for its popup of
    // `entries` entries; null when none opened.
    SDropdownList_1* OpenQueryPopup(const std::wstring& text, int entries);
    // Lets a popup that ended delete itself.
    void LetPopupsGo();

    SSearchDropdownList_1* query = nullptr;
    SSearchDropdownList* os = nullptr;
    SOUI::SEdit* edit = nullptr;
    BoxRecorder queryRecorder;
    BoxRecorder osRecorder;
};

}  // namespace apptest
