#pragma once
// Events of the search drop-downs. The fill event asks the owner to put the
// entries into the popup's list and to say whether to show it; the selection
// event reports the entry picked. Each control raises its own twin; both
// twins carry the same name, so one handler shape serves both.
#include <cstdint>

#include "soui/SEvents.h"
#include "soui/SString.h"

class SDropdownList;
class SDropdownList_1;

enum DropdownEventId {
    EVT_FILL_SEARCH_DROPDOWN_LIST = 10030000,
    EVT_DROPDOWN_LIST_SELECTED = 10030001,
};

class EventFillSearchDropdownList : public SOUI::TplEventArgs<EventFillSearchDropdownList> {
    SOUI_CLASS_NAME(SOUI::TplEventArgs<EventFillSearchDropdownList>, L"on_fill_search_dropdown_list")

public:
    enum { EventID = EVT_FILL_SEARCH_DROPDOWN_LIST };
    using TplEventArgs::TplEventArgs;

    SOUI::SStringW keyText;
    SDropdownList* dropDown = nullptr;
    bool showDropDown = false;
};

class EventFillSearchDropdownList_1 : public SOUI::TplEventArgs<EventFillSearchDropdownList_1> {
    SOUI_CLASS_NAME(SOUI::TplEventArgs<EventFillSearchDropdownList_1>, L"on_fill_search_dropdown_list")

public:
    enum { EventID = EVT_FILL_SEARCH_DROPDOWN_LIST };
    using TplEventArgs::TplEventArgs;

    SOUI::SStringW keyText;
    SDropdownList_1* dropDown = nullptr;
    bool showDropDown = false;
};

class EventDropdownListSelected : public SOUI::TplEventArgs<EventDropdownListSelected> {
    SOUI_CLASS_NAME(SOUI::TplEventArgs<EventDropdownListSelected>, L"on_dropdown_list_selected")

public:
    enum { EventID = EVT_DROPDOWN_LIST_SELECTED };
    using TplEventArgs::TplEventArgs;

    SDropdownList* dropDown = nullptr;
    int32_t selectedIndex = -1;
};

class EventDropdownListSelected_1 : public SOUI::TplEventArgs<EventDropdownListSelected_1> {
    SOUI_CLASS_NAME(SOUI::TplEventArgs<EventDropdownListSelected_1>, L"on_dropdown_list_selected")

public:
    enum { EventID = EVT_DROPDOWN_LIST_SELECTED };
    using TplEventArgs::TplEventArgs;

    SDropdownList_1* dropDown = nullptr;
    int32_t selectedIndex = -1;
};
