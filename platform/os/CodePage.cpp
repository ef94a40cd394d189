#include "os/CodePage.h"

#include <climits>
#include <cstring>
#include <cwchar>
#include <string>

#include "os/LastError.h"

namespace os {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsKnown(CodePage codePage) {
    return codePage == CodePage::Ansi || codePage == CodePage::Oem || codePage == CodePage::Utf8;
}

// Length of the next well-formed UTF-8 sequence at s[0..n) and its value; 0
// when it is ill-formed, then `bad` is the length of the maximal ill-formed
// prefix that becomes one replacement character.
size_t DecodeOne(const unsigned char* s, size_t n, char32_t& value, size_t& bad) {
    const unsigned char lead = s[0];
    bad = 1;
    if (lead < 0x80) {
        value = lead;
        return 1;
    }
    size_t length;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;   // no overlong forms
        if (lead == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
    } else {
        return 0;
    }
    value = lead & (0xFF >> (length + 1));
    for (size_t i = 1; i < length; ++i) {
        if (i >= n) return 0;
        const unsigned char c = s[i];
        if (c < low || c > high) return 0;
        low = 0x80;
        high = 0xBF;
        value = (value << 6) | (c & 0x3F);
        bad = i + 1;
    }
    return length;
}

bool IsScalar(wchar_t c) {
    const auto v = static_cast<long long>(c);
    return v >= 0 && v <= 0x10FFFF && !(v >= 0xD800 && v <= 0xDFFF);
}

size_t EncodeOne(char32_t v, char* out) {
    if (v < 0x80) {
        out[0] = static_cast<char>(v);
        return 1;
    }
    if (v < 0x800) {
        out[0] = static_cast<char>(0xC0 | (v >> 6));
        out[1] = static_cast<char>(0x80 | (v & 0x3F));
        return 2;
    }
    if (v < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (v >> 12));
        out[1] = static_cast<char>(0x80 | ((v >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (v & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (v >> 18));
    out[1] = static_cast<char>(0x80 | ((v >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((v >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (v & 0x3F));
    return 4;
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
    const auto* s = reinterpret_cast<const unsigned char*>(src);
    std::wstring out;
    out.reserve(n);
    for (size_t i = 0; i < n;) {
        char32_t value = 0;
        size_t bad = 1;
        size_t used = DecodeOne(s + i, n - i, value, bad);
        if (used == 0) {
            out.push_back(static_cast<wchar_t>(kReplacement));
            i += bad;
        } else {
            out.push_back(static_cast<wchar_t>(value));
            i += used;
        }
    }
    return Deliver(out, dst, dstCapacity);
}

int WideToNarrow(CodePage codePage, const wchar_t* src, int srcLen, char* dst, int dstCapacity) {
    if (!ValidArguments(codePage, src, srcLen, dst, dstCapacity)) return 0;
    const size_t n = srcLen == -1 ? std::wcslen(src) + 1 : static_cast<size_t>(srcLen);
    std::string out;
    out.reserve(n);
    char bytes[4];
    for (size_t i = 0; i < n; ++i) {
        char32_t value = IsScalar(src[i]) ? static_cast<char32_t>(src[i]) : kReplacement;
        out.append(bytes, EncodeOne(value, bytes));
    }
    return Deliver(out, dst, dstCapacity);
}

}  // namespace os
