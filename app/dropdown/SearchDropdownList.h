#pragma once
// "searchDropdownList": a box whose list opens only when its owner asks
// (ShowDropDown), as the operating-system box does from its button.
#include "app/dropdown/DropdownEvents.h"
#include "app/dropdown/DropdownList.h"
#include "app/dropdown/SearchDropdownListBase.h"

class SSearchDropdownList
    : public TSearchDropdownList<SDropdownList, EventFillSearchDropdownList, EventDropdownListSelected> {
    SOUI_CLASS_NAME(SOUI::SWindow, L"searchDropdownList")

public:
    SSearchDropdownList();

    // Makes the popup when there is none, asks the owner to fill it and shows
    // it when the owner says so; always TRUE.
    SOUI::BOOL ShowDropDown();
};
