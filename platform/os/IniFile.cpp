#include "os/IniFile.h"

#include <cwctype>
#include <optional>

#include "os/CodePage936.h"
#include "os/FileBytes.h"
#include "os/UnicodeText.h"

namespace os {
namespace {

// The profile call hands back at most this many characters.
constexpr size_t kMaxValueLength = 255;

// UTF-8 when the bytes are well-formed UTF-8, else code page 936; bytes that
// are neither become replacement characters.
std::wstring DecodeText(std::string bytes) {
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    if (std::optional<std::wstring> utf8 = Utf8ToWide(bytes)) return *utf8;
    if (std::optional<std::wstring> chs = CodePage936ToWide(bytes)) return *chs;
    return Utf8ToWideLossy(bytes);
}

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f';
}

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool SameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i])))
            return false;
    return true;
}

std::wstring_view Unquote(std::wstring_view value) {
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// The value of `key` in `section`, empty when there is none.
std::wstring FindValue(std::wstring_view text, std::wstring_view section, std::wstring_view key) {
    bool inSection = false;
    while (!text.empty()) {
        const size_t end = text.find(L'\n');
        const std::wstring_view line = Trim(text.substr(0, end));
        text = end == std::wstring_view::npos ? std::wstring_view() : text.substr(end + 1);

        if (!line.empty() && line.front() == L'[') {
            const size_t close = line.rfind(L']');
            if (close == std::wstring_view::npos) continue;
            // Leaving the first matching section ends the search.
            if (inSection) break;
            inSection = SameName(Trim(line.substr(1, close - 1)), section);
            continue;
        }
        if (!inSection) continue;
        const size_t equals = line.find(L'=');
        if (!SameName(Trim(line.substr(0, equals)), key)) continue;
        if (equals == std::wstring_view::npos) return {};
        const std::wstring_view value = Unquote(Trim(line.substr(equals + 1)));
        return std::wstring(value.substr(0, kMaxValueLength));
    }
    return {};
}

}  // namespace

bool ReadIniValue(const std::wstring& section, const std::wstring& key, const std::wstring& file,
                  std::wstring& value) {
    const std::optional<std::string> name = WideToUtf8(file);
    const std::optional<std::string> bytes = name ? ReadFileBytes(*name) : std::nullopt;
    if (!bytes) return false;
    std::wstring found = FindValue(DecodeText(*bytes), Trim(section), Trim(key));
    if (found.empty()) return false;
    value = std::move(found);
    return true;
}

}  // namespace os
