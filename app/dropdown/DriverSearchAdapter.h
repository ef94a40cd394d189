#pragma once
// The model names of a suggestion answer, in the query box's drop-down list
// "lv_dropdown_1".
#include "app/dropdown/DropdownListAdapter.h"
#include "soui/SString.h"

// One suggested model name.
struct DriverSearchItem {
    SOUI::SStringW name;
};

class SDriverSearchAdapter : public TDropdownListAdapter<DriverSearchItem> {
public:
    explicit SDriverSearchAdapter(CMainWnd* owner) : TDropdownListAdapter(owner) {}

    void getView(int position, SOUI::SItemPanel* pItem, SOUI::SXmlNode xmlTemplate) override;
};
