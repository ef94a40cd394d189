#include <cstdint>
#include <cwctype>

#include "os/HexDigit.h"
#include "soui/SystemApi.h"

namespace SOUI {

namespace {

int DigitValue(wchar_t c, bool hex) {
    if (hex) return os::HexDigitValue(c);
    return c >= L'0' && c <= L'9' ? c - L'0' : -1;
}

}  // namespace

BOOL StrToIntExW(LPCWSTR text, DWORD flags, int* result) {
    if (result == nullptr) return FALSE;
    *result = 0;
    if (text == nullptr) return FALSE;
    const wchar_t* p = text;
    while (std::iswspace(static_cast<wint_t>(*p))) ++p;
    bool negative = false;
    if (*p == L'-' || *p == L'+') negative = *p++ == L'-';
    bool hex = false;
    if ((flags & STIF_SUPPORTHEX) && p[0] == L'0' && (p[1] == L'x' || p[1] == L'X') &&
        DigitValue(p[2], true) >= 0) {
        hex = true;
        p += 2;
    }
    if (DigitValue(*p, hex) < 0) return FALSE;
    // Unsigned arithmetic wraps at 32 bits instead of overflowing.
    std::uint32_t value = 0;
    for (int digit; (digit = DigitValue(*p, hex)) >= 0; ++p)
        value = value * (hex ? 16u : 10u) + static_cast<std::uint32_t>(digit);
    if (negative) value = 0u - value;
    *result = static_cast<int>(value);
    return TRUE;
}

}  // namespace SOUI
