// Page switches, links, dialogs and the agreement boxes. Empty until the
// page-command work lands.
#include "app/MainWnd.h"

void CMainWnd::OnBtnMin() {}
void CMainWnd::OnBtnHelp() {}
void CMainWnd::OnBtnAgreement() {}
void CMainWnd::OnBtnSettings() {}
void CMainWnd::OnBtnPack() {}
void CMainWnd::OnBtnBackMainTable() {}
void CMainWnd::OnBtnNetworkErrorBack() {}
void CMainWnd::OnBtnAgreementClose() {}
void CMainWnd::OnAgreementCheck() {}
