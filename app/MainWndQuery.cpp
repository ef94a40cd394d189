// The driver query and the result header. Empty until the query work lands.
#include "app/MainWnd.h"

void CMainWnd::OnQuery() {}

bool CMainWnd::FillOsList(const SearchResult& /*result*/) {
    return true;
}
