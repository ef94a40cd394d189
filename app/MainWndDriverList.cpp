// Filling the driver list from a search answer. Empty until the query work lands.
#include "app/MainWnd.h"

bool CMainWnd::FillDriverList(const SearchResult& /*result*/, std::string /*osName*/) {
    return true;
}
