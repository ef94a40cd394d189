// Prints what a freshly started process sees: its own path (UTF-8) and the
// service base address for a compiled default. Run by the os tests.
#include <cstdio>
#include <string>

#include "os/CodePage.h"
#include "os/ModulePath.h"
#include "os/ServiceAddress.h"

int main() {
    const std::wstring path = os::ExecutablePath();
    std::string utf8(path.size() * 4 + 1, '\0');
    const int n = path.empty() ? 0
                               : os::WideToNarrow(os::CodePage::Utf8, path.c_str(), -1, utf8.data(),
                                                  static_cast<int>(utf8.size()));
    std::printf("%s\n%s\n", n > 0 ? utf8.c_str() : "",
                os::ServiceBaseUrl("https://compiled.default").c_str());
    return 0;
}
