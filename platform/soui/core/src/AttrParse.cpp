#include "AttrParse.h"

#include <pugixml.hpp>

#include <cwctype>

#include "os/HexDigit.h"

namespace SOUI::detail {

namespace {

std::wstring Trim(const std::wstring& text) {
    const auto begin = text.find_first_not_of(L" \t\r\n");
    if (begin == std::wstring::npos) return {};
    const auto end = text.find_last_not_of(L" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

std::vector<std::wstring> Split(const std::wstring& text, wchar_t sep) {
    std::vector<std::wstring> parts;
    std::wstring::size_type start = 0;
    while (true) {
        const auto pos = text.find(sep, start);
        parts.push_back(
            Trim(text.substr(start, pos == std::wstring::npos ? std::wstring::npos : pos - start)));
        if (pos == std::wstring::npos) break;
        start = pos + 1;
    }
    return parts;
}

}  // namespace

bool ParseInt(const std::wstring& text, int* value) {
    const std::wstring t = Trim(text);
    if (t.empty()) return false;
    std::size_t i = 0;
    bool negative = false;
    if (t[i] == L'-' || t[i] == L'+') {
        negative = t[i] == L'-';
        ++i;
    }
    long long result = 0;
    const bool hex = t.size() > i + 1 && t[i] == L'0' && (t[i + 1] == L'x' || t[i + 1] == L'X');
    if (hex) i += 2;
    if (i >= t.size()) return false;
    for (; i < t.size(); ++i) {
        const int digit = hex ? os::HexDigitValue(t[i]) : (std::iswdigit(t[i]) ? t[i] - L'0' : -1);
        if (digit < 0) return false;
        result = result * (hex ? 16 : 10) + digit;
        if (result > 0xFFFFFFFFLL) return false;
    }
    *value = static_cast<int>(negative ? -result : result);
    return true;
}

int ToInt(const std::wstring& text) {
    int value = 0;
    return ParseInt(text, &value) ? value : 0;
}

bool ToBool(const std::wstring& text) {
    const std::wstring t = ToLower(Trim(text));
    return t == L"1" || t == L"true" || t == L"yes";
}

bool ParseColor(const std::wstring& text, SColor* color) {
    const std::wstring t = ToLower(Trim(text));
    if (!t.empty() && t[0] == L'#') {
        std::vector<int> digits;
        for (std::size_t i = 1; i < t.size(); ++i) {
            const int d = os::HexDigitValue(t[i]);
            if (d < 0) return false;
            digits.push_back(d);
        }
        auto byteAt = [&](std::size_t i) { return digits[i] * 16 + digits[i + 1]; };
        if (digits.size() == 3) {
            *color = RGBA(digits[0] * 17, digits[1] * 17, digits[2] * 17);
        } else if (digits.size() == 6) {
            *color = RGBA(byteAt(0), byteAt(2), byteAt(4));
        } else if (digits.size() == 8) {
            *color = RGBA(byteAt(0), byteAt(2), byteAt(4), byteAt(6));
        } else {
            return false;
        }
        return true;
    }
    const bool rgba = t.rfind(L"rgba(", 0) == 0;
    if ((rgba || t.rfind(L"rgb(", 0) == 0) && t.back() == L')') {
        const auto open = t.find(L'(');
        const auto parts = ParseIntList(t.substr(open + 1, t.size() - open - 2));
        if (parts.size() != (rgba ? 4u : 3u)) return false;
        *color = RGBA(parts[0], parts[1], parts[2], rgba ? parts[3] : 255);
        return true;
    }
    return false;
}

std::vector<int> ParseIntList(const std::wstring& text) {
    std::vector<int> values;
    for (const auto& part : Split(text, L',')) {
        int v = 0;
        if (!ParseInt(part, &v)) return {};
        values.push_back(v);
    }
    return values;
}

bool ParseRect(const std::wstring& text, CRect* rc) {
    const auto v = ParseIntList(text);
    if (v.size() == 1) {
        *rc = CRect(v[0], v[0], v[0], v[0]);
        return true;
    }
    if (v.size() != 4) return false;
    *rc = CRect(v[0], v[1], v[2], v[3]);
    return true;
}

SFontDesc ParseFont(const std::wstring& text, const SFontDesc& base) {
    SFontDesc font = base;
    for (const auto& item : Split(text, L',')) {
        const auto colon = item.find(L':');
        if (colon == std::wstring::npos) continue;
        const std::wstring key = ToLower(Trim(item.substr(0, colon)));
        const std::wstring value = Trim(item.substr(colon + 1));
        if (key == L"face")
            font.face = value;
        else if (key == L"size")
            font.size = ToInt(value);
        else if (key == L"adding")
            font.size = base.size + ToInt(value);
        else if (key == L"bold")
            font.bold = ToBool(value);
        else if (key == L"italic")
            font.italic = ToBool(value);
        else if (key == L"underline")
            font.underline = ToBool(value);
    }
    return font;
}

std::wstring Utf8ToWide(const char* text) {
    return pugi::as_wide(text ? text : "");
}

std::string WideToUtf8(const std::wstring& text) {
    return pugi::as_utf8(text);
}

std::wstring ToLower(std::wstring text) {
    for (auto& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

bool EqualsNoCase(const std::wstring& a, const std::wstring& b) {
    return ToLower(a) == ToLower(b);
}

}  // namespace SOUI::detail
