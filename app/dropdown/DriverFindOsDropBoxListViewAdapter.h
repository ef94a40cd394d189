#pragma once
// The operating systems of the last driver query, in the drop-down list
// "lv_dropdown" of the operating-system box.
#include "app/dropdown/DropdownListAdapter.h"
#include "app/dropdown/OsChoiceItem.h"
#include "soui/SEvents.h"

class CDriverFind_Os_DropBoxListViewAdapter : public TDropdownListAdapter<OsChoiceItem> {
public:
    explicit CDriverFind_Os_DropBoxListViewAdapter(CMainWnd* owner) : TDropdownListAdapter(owner) {}

    void getView(int position, SOUI::SItemPanel* pItem, SOUI::SXmlNode xmlTemplate) override;
    // A click on an item window: taken, nothing more (the list's command
    // picks the entry).
    bool OnItemEvent(SOUI::EventArgs* evt);
};
