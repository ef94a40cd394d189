// The select-all box "btn_allchoose" of the driver list and its label.
#include "app/mainwnd/DriverDownLoadFindAdapter.h"
#include "app/mainwnd/MainWnd.h"

using namespace SOUI;

void CMainWnd::OnBtnAllChoose() {
    if (driverListView == nullptr) return;
    allChosen = !allChosen;
    // The box toggled itself on its click; this sets it from the state, which
    // also serves a click on the label.
    if (SWindow* box = FindChildByName(L"btn_allchoose")) box->SetCheck(allChosen ? TRUE : FALSE);
    if (CDriverDownLoad_Find_Adapter* adapter = DownloadListAdapter()) {
        adapter->SetAllChecked(allChosen);
        adapter->notifyDataSetChanged();
    }
}

bool CMainWnd::SetAllChooseState(bool chosen) {
    allChosen = chosen;
    if (SWindow* box = FindChildByName(L"btn_allchoose")) box->SetCheck(chosen ? TRUE : FALSE);
    return true;
}
