#include "os/CodePage.h"

#include <climits>
#include <cstring>
#include <cwchar>
#include <string>

#include "os/LastError.h"
#include "os/UnicodeText.h"

namespace os {
namespace {

bool IsKnown(CodePage codePage) {
    return codePage == CodePage::Ansi || codePage == CodePage::Oem || codePage == CodePage::Utf8;
}

// Checks shared by both directions; false with the last error set.
template <typename Src, typename Dst>
bool ValidArguments(CodePage codePage, const Src* src, int srcLen, const Dst* dst, int dstCapacity) {
    if (!IsKnown(codePage) || src == nullptr || srcLen == 0 || srcLen < -1 || dstCapacity < 0 ||
        (dst == nullptr && dstCapacity != 0)) {
        SetLastError(kErrorInvalidParameter);
        return false;
    }
    return true;
}

// Hands out the converted elements: the count for a size pass, else a copy
// into dst when it fits.
template <typename Dst>
int Deliver(const std::basic_string<Dst>& converted, Dst* dst, int dstCapacity) {
    if (converted.size() > static_cast<size_t>(INT_MAX)) {
        SetLastError(kErrorInsufficientBuffer);
        return 0;
    }
    const int count = static_cast<int>(converted.size());
    if (dstCapacity == 0) return count;
    if (count > dstCapacity) {
        SetLastError(kErrorInsufficientBuffer);
        return 0;
    }
    std::memcpy(dst, converted.data(), converted.size() * sizeof(Dst));
    return count;
}

}  // namespace

int NarrowToWide(CodePage codePage, const char* src, int srcLen, wchar_t* dst, int dstCapacity) {
    if (!ValidArguments(codePage, src, srcLen, dst, dstCapacity)) return 0;
    // -1: the terminator is converted and counted too.
    const size_t n = srcLen == -1 ? std::strlen(src) + 1 : static_cast<size_t>(srcLen);
    return Deliver(Utf8ToWideLossy(std::string_view(src, n)), dst, dstCapacity);
}

int WideToNarrow(CodePage codePage, const wchar_t* src, int srcLen, char* dst, int dstCapacity) {
    if (!ValidArguments(codePage, src, srcLen, dst, dstCapacity)) return 0;
    const size_t n = srcLen == -1 ? std::wcslen(src) + 1 : static_cast<size_t>(srcLen);
    return Deliver(WideToUtf8Lossy(std::wstring_view(src, n)), dst, dstCapacity);
}

}  // namespace os
