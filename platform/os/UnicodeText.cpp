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

void AppendUtf8(std::string& out, char32_t v) {
    if (v < 0x80) {
        out += static_cast<char>(v);
    } else if (v < 0x800) {
        out += static_cast<char>(0xC0 | (v >> 6));
        out += static_cast<char>(0x80 | (v & 0x3F));
    } else if (v < 0x10000) {
        out += static_cast<char>(0xE0 | (v >> 12));
        out += static_cast<char>(0x80 | ((v >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (v & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (v >> 18));
        out += static_cast<char>(0x80 | ((v >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((v >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (v & 0x3F));
    }
}

// False at the first ill-formed piece unless `replace` puts U+FFFD there.
bool DecodeUtf8(std::string_view text, bool replace, std::wstring& out) {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size();
    out.reserve(n);
    for (size_t i = 0; i < n;) {
        char32_t value = 0;
        size_t bad = 1;
        const size_t used = DecodeOne(s + i, n - i, value, bad);
        if (used == 0) {
            if (!replace) return false;
            out.push_back(static_cast<wchar_t>(kReplacement));
            i += bad;
        } else {
            out.push_back(static_cast<wchar_t>(value));
            i += used;
        }
    }
    return true;
}

bool EncodeUtf8(std::wstring_view text, bool replace, std::string& out) {
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (!IsScalar(c) && !replace) return false;
        AppendUtf8(out, IsScalar(c) ? static_cast<char32_t>(c) : kReplacement);
    }
    return true;
}

}  // namespace

std::optional<std::wstring> Utf8ToWide(std::string_view text) {
    std::wstring out;
    if (!DecodeUtf8(text, false, out)) return std::nullopt;
    return out;
}

std::optional<std::string> WideToUtf8(std::wstring_view text) {
    std::string out;
    if (!EncodeUtf8(text, false, out)) return std::nullopt;
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

std::wstring Utf8ToWideLossy(std::string_view text) {
    std::wstring out;
    DecodeUtf8(text, true, out);
    return out;
}

std::string WideToUtf8Lossy(std::wstring_view text) {
    std::string out;
    EncodeUtf8(text, true, out);
    return out;
}

}  // namespace os
