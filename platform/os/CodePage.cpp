#include "os/CodePage.h"

#include <climits>
#include <cstring>
#include <cwchar>
#include <string_view>

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

// Hands out the converted elements: the count for a size pass, else the
// conversion straight into dst when it fits. `convert(dst)` counts with a null
// dst and writes otherwise.
template <typename Dst, typename Convert>
int Deliver(Convert convert, Dst* dst, int dstCapacity) {
    const size_t count = convert(static_cast<Dst*>(nullptr));
    if (count > static_cast<size_t>(INT_MAX) ||
        (dstCapacity != 0 && count > static_cast<size_t>(dstCapacity))) {
        SetLastError(kErrorInsufficientBuffer);
        return 0;
    }
    if (dstCapacity != 0) convert(dst);
    return static_cast<int>(count);
}

}  // namespace

int NarrowToWide(CodePage codePage, const char* src, int srcLen, wchar_t* dst, int dstCapacity) {
    if (!ValidArguments(codePage, src, srcLen, dst, dstCapacity)) return 0;
    // -1: the terminator is converted and counted too.
    const size_t n = srcLen == -1 ? std::strlen(src) + 1 : static_cast<size_t>(srcLen);
    const std::string_view text(src, n);
    return Deliver([text](wchar_t* out) { return Utf8ToWideLossy(text, out); }, dst, dstCapacity);
}

int WideToNarrow(CodePage codePage, const wchar_t* src, int srcLen, char* dst, int dstCapacity) {
    if (!ValidArguments(codePage, src, srcLen, dst, dstCapacity)) return 0;
    const size_t n = srcLen == -1 ? std::wcslen(src) + 1 : static_cast<size_t>(srcLen);
    const std::wstring_view text(src, n);
    return Deliver([text](char* out) { return WideToUtf8Lossy(text, out); }, dst, dstCapacity);
}

int NarrowToNarrow(CodePage from, CodePage to, const char* src, int srcLen, char* dst, int dstCapacity) {
    if (!ValidArguments(from, src, srcLen, dst, dstCapacity)) return 0;
    if (!IsKnown(to)) {
        SetLastError(kErrorInvalidParameter);
        return 0;
    }
    const size_t n = srcLen == -1 ? std::strlen(src) + 1 : static_cast<size_t>(srcLen);
    const std::string_view text(src, n);
    return Deliver([text](char* out) { return Utf8ToUtf8Lossy(text, out); }, dst, dstCapacity);
}

}  // namespace os
