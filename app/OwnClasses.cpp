#include "app/OwnClasses.h"

#include "app/SearchDropdownList.h"
#include "app/SearchDropdownList_1.h"
#include "app/SkinVScrollbar.h"

void RegisterOwnClasses(SOUI::SApplication& app) {
    app.RegisterWindowClass<SSearchDropdownList>();
    app.RegisterWindowClass<SSearchDropdownList_1>();
    app.RegisterSkinClass<SSkinVScrollbar>();
}
