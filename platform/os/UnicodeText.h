#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace os {

// Conversions between UTF-8, UTF-16 and wide text (UTF-32 in wchar_t), the
// same whatever the process locale says. The whole view is converted; a NUL
// inside it is a character like any other.
//
// The strict forms give nothing when the source is no Unicode text: an
// ill-formed UTF-8 sequence, an unpaired surrogate, a value beyond U+10FFFF.
// Use them for file names, where a substituted character would silently name
// another file.
std::optional<std::wstring> Utf8ToWide(std::string_view text);
std::optional<std::string> WideToUtf8(std::wstring_view text);
std::optional<std::u16string> WideToUtf16(std::wstring_view text);
std::optional<std::string> Utf16ToUtf8(std::u16string_view text);

// The lossy forms put U+FFFD in place of each such piece (of UTF-8, each
// maximal ill-formed subpart) and never fail.
std::wstring Utf8ToWideLossy(std::string_view text);
std::string WideToUtf8Lossy(std::wstring_view text);

// The lossy forms into a buffer: with a null `dst` they only count; else
// `dst` must hold the counted number of elements. Return that number.
size_t Utf8ToWideLossy(std::string_view text, wchar_t* dst);
size_t WideToUtf8Lossy(std::wstring_view text, char* dst);
// UTF-8 as Utf8ToWideLossy then WideToUtf8Lossy make it, without the wide
// text between them, with the same counting rule.
size_t Utf8ToUtf8Lossy(std::string_view text, char* dst);

}  // namespace os
