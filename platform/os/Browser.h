#pragma once
#include <string>

namespace os {

// Opens an address in the user's browser through the desktop's default
// handler ("xdg-open") and returns at once; the handler runs detached and its
// outcome is not examined. The environment variable PELLUCOR_BROWSER names
// another opener program, which gets the address as its one argument (tests
// use it to see the address without a browser).
void OpenInBrowser(const std::wstring& address);

}  // namespace os
