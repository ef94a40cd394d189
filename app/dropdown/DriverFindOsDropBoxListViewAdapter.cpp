#include "app/dropdown/DriverFindOsDropBoxListViewAdapter.h"

using namespace SOUI;

void CDriverFind_Os_DropBoxListViewAdapter::getView(int position, SItemPanel* pItem, SXmlNode xmlTemplate) {
    ShowName(position, pItem, xmlTemplate);
    // Item windows are reused; an equal subscriber is kept once.
    pItem->GetEventSet()->subscribeEvent(EVT_ITEMPANEL_CLICK,
                                         &CDriverFind_Os_DropBoxListViewAdapter::OnItemEvent, this);
}

bool CDriverFind_Os_DropBoxListViewAdapter::OnItemEvent(EventArgs*) {
    return true;
}
