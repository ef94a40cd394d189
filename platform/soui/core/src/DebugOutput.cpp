#include <cstdio>
#include <string>

#include "os/UnicodeText.h"
#include "soui/SystemApi.h"

namespace SOUI {

void OutputDebugStringW(LPCWSTR text) {
    std::string line = os::WideToUtf8Lossy(text ? text : L"");
    if (line.empty() || line.back() != '\n') line += '\n';
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}

}  // namespace SOUI
