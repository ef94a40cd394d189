#include "app/dropdown/SearchDropdownList.h"

SSearchDropdownList::SSearchDropdownList() : TSearchDropdownList("popupStyle") {}

SOUI::BOOL SSearchDropdownList::ShowDropDown() {
    if (popup == nullptr) CreatePopup();
    return FillDropDown();
}
