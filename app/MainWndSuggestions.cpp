// Suggestions and the operating-system choice. Empty until that work lands.
#include "app/MainWnd.h"

void CMainWnd::OnFillQuerySuggest(SOUI::EventArgs* /*evt*/) {}
void CMainWnd::OnQuerySuggestSelected(SOUI::EventArgs* /*evt*/) {}
void CMainWnd::OnBtnOsDropdown() {}
void CMainWnd::OnFillOsDropdown(SOUI::EventArgs* /*evt*/) {}
void CMainWnd::OnOsSelected(SOUI::EventArgs* /*evt*/) {}
