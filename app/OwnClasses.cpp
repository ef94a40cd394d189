#include "app/OwnClasses.h"

#include "app/dropdown/SearchDropdownList.h"
#include "app/dropdown/SearchDropdownList_1.h"
#include "app/dropdown/SkinVScrollbar.h"

void RegisterOwnClasses(SOUI::SApplication& app) {
    app.RegisterWindowClass<SSearchDropdownList>();
    app.RegisterWindowClass<SSearchDropdownList_1>();
    app.RegisterSkinClass<SSkinVScrollbar>();
}
