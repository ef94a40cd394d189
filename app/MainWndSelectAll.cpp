// The select-all box of the driver list. Empty until the driver-list work lands.
#include "app/MainWnd.h"

void CMainWnd::OnBtnAllChoose() {}

bool CMainWnd::SetAllChooseState(bool chosen) {
    allChosen = chosen;
    return true;
}
