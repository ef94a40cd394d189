#include "WidgetRegister.h"

#include "soui/SEdit.h"
#include "soui/SListView.h"
#include "soui/SObjectFactory.h"
#include "soui/SPanel.h"

namespace SOUI::detail {

void RegisterListAndEditWindows(SObjectFactoryMgr* mgr) {
    mgr->RegisterWindowClass<SPanel>();
    mgr->RegisterWindowClass<SListView>();
    mgr->RegisterWindowClass<SEdit>();
    mgr->RegisterWindowClass<SRichEdit>();
}

}  // namespace SOUI::detail
