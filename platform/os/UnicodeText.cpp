#include "os/UnicodeText.h"

namespace os {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

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

// Writes the UTF-8 form of scalar `v` at dst; returns its length.
size_t PutUtf8(char* dst, char32_t v) {
    if (v < 0x80) {
        dst[0] = static_cast<char>(v);
        return 1;
    }
    if (v < 0x800) {
        dst[0] = static_cast<char>(0xC0 | (v >> 6));
        dst[1] = static_cast<char>(0x80 | (v & 0x3F));
        return 2;
    }
    if (v < 0x10000) {
        dst[0] = static_cast<char>(0xE0 | (v >> 12));
        dst[1] = static_cast<char>(0x80 | ((v >> 6) & 0x3F));
        dst[2] = static_cast<char>(0x80 | (v & 0x3F));
        return 3;
    }
    dst[0] = static_cast<char>(0xF0 | (v >> 18));
    dst[1] = static_cast<char>(0x80 | ((v >> 12) & 0x3F));
    dst[2] = static_cast<char>(0x80 | ((v >> 6) & 0x3F));
    dst[3] = static_cast<char>(0x80 | (v & 0x3F));
    return 4;
}

void AppendUtf8(std::string& out, char32_t v) {
    char bytes[4];
    out.append(bytes, PutUtf8(bytes, v));
}

size_t Utf8Length(char32_t v) {
    return v < 0x80 ? 1 : v < 0x800 ? 2 : v < 0x10000 ? 3 : 4;
}

// Hands each decoded value to `put`; false at the first ill-formed piece
// unless `replace` puts U+FFFD there.
template <typename Put>
bool DecodeUtf8(std::string_view text, bool replace, Put put) {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size();
    for (size_t i = 0; i < n;) {
        char32_t value = 0;
        size_t bad = 1;
        const size_t used = DecodeOne(s + i, n - i, value, bad);
        if (used == 0) {
            if (!replace) return false;
            put(kReplacement);
            i += bad;
        } else {
            put(value);
            i += used;
        }
    }
    return true;
}

// Hands each value to encode to `put`, with the same rule.
template <typename Put>
bool EncodeUtf8(std::wstring_view text, bool replace, Put put) {
    for (wchar_t c : text) {
        if (IsScalar(c)) {
            put(static_cast<char32_t>(c));
        } else {
            if (!replace) return false;
            put(kReplacement);
        }
    }
    return true;
}

}  // namespace

size_t Utf8ToWideLossy(std::string_view text, wchar_t* dst) {
    size_t count = 0;
    if (dst == nullptr) {
        DecodeUtf8(text, true, [&count](char32_t) { ++count; });
    } else {
        DecodeUtf8(text, true, [dst, &count](char32_t v) { dst[count++] = static_cast<wchar_t>(v); });
    }
    return count;
}

size_t WideToUtf8Lossy(std::wstring_view text, char* dst) {
    size_t count = 0;
    if (dst == nullptr) {
        EncodeUtf8(text, true, [&count](char32_t v) { count += Utf8Length(v); });
    } else {
        EncodeUtf8(text, true, [dst, &count](char32_t v) { count += PutUtf8(dst + count, v); });
    }
    return count;
}

size_t Utf8ToUtf8Lossy(std::string_view text, char* dst) {
    // Decoded values are scalars or U+FFFD, which encode without substitution.
    size_t count = 0;
    if (dst == nullptr) {
        DecodeUtf8(text, true, [&count](char32_t v) { count += Utf8Length(v); });
    } else {
        DecodeUtf8(text, true, [dst, &count](char32_t v) { count += PutUtf8(dst + count, v); });
    }
    return count;
}

std::optional<std::wstring> Utf8ToWide(std::string_view text) {
    std::wstring out;
    out.reserve(text.size());
    if (!DecodeUtf8(text, false, [&out](char32_t v) { out.push_back(static_cast<wchar_t>(v)); }))
        return std::nullopt;
    return out;
}

std::optional<std::string> WideToUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    if (!EncodeUtf8(text, false, [&out](char32_t v) { AppendUtf8(out, v); })) return std::nullopt;
    return out;
}

std::optional<std::u16string> WideToUtf16(std::wstring_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (!IsScalar(c)) return std::nullopt;
        auto v = static_cast<char32_t>(c);
        if (v >= 0x10000) {
            v -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (v >> 10));
            out += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
        } else {
            out += static_cast<char16_t>(v);
        }
    }
    return out;
}

std::optional<std::string> Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char32_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return std::nullopt;
            const char32_t low = text[++i];
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            return std::nullopt;
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

// Counted first, then written in place, without growing the result.
std::wstring Utf8ToWideLossy(std::string_view text) {
    std::wstring out(Utf8ToWideLossy(text, nullptr), L'\0');
    Utf8ToWideLossy(text, out.data());
    return out;
}

std::string WideToUtf8Lossy(std::wstring_view text) {
    std::string out(WideToUtf8Lossy(text, nullptr), '\0');
    WideToUtf8Lossy(text, out.data());
    return out;
}

}  // namespace os
