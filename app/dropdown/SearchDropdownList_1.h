#pragma once
// "searchDropdownList_1": the query box. It watches its edit "edit_input_1"
// and, once the typing has paused for 16 ticks of 20 ms, asks its owner to
// fill the list; two fills are at least 51 ticks apart.
#include <cstdint>

#include "app/dropdown/DropdownEvents.h"
#include "app/dropdown/DropdownList.h"
#include "app/dropdown/SearchDropdownListBase.h"
#include "soui/SEdit.h"

class SSearchDropdownList_1 : public TSearchDropdownList<SDropdownList_1, EventFillSearchDropdownList_1,
                                                         EventDropdownListSelected_1> {
    SOUI_CLASS_NAME(SOUI::SWindow, L"searchDropdownList_1")

public:
    // The control timer that counts the ticks, and its period.
    static constexpr SOUI::UINT_PTR kTypingTimer = 2;
    static constexpr SOUI::UINT kTickMs = 20;

    SSearchDropdownList_1();
    ~SSearchDropdownList_1() override;

    // Asks the owner to fill the existing popup and shows it when the owner
    // says so; always TRUE.
    SOUI::BOOL ShowDropDown();
    // A change of the edit's text starts (or restarts) the typing pause.
    bool OnEditChange(SOUI::EventRENotify* evt);
    // One tick of the typing pause and of the cooling after a fill.
    void OnDebounceTimer(SOUI::UINT_PTR id);

    // FALSE when the layout has no edit "edit_input_1".
    SOUI::BOOL CreateChildren(SOUI::SXmlNode node) override;
    SOUI::BOOL ProcessSwndMessage(SOUI::UINT msg, SOUI::WPARAM wParam, SOUI::LPARAM lParam,
                                  SOUI::LRESULT& result) override;

    bool cooling = false;
    bool pending = false;
    bool timerStarted = false;
    int32_t quietTicks = 0;
    int32_t coolTicks = 0;
};
