#include "app/dropdown/DriverSearchAdapter.h"

void SDriverSearchAdapter::getView(int position, SOUI::SItemPanel* pItem, SOUI::SXmlNode xmlTemplate) {
    ShowName(position, pItem, xmlTemplate);
}
