#pragma once
// Reading attribute values of layouts and definitions.
#include <string>
#include <vector>

#include "soui/IRender.h"
#include "soui/SRect.h"

namespace SOUI::detail {

// Decimal, or hexadecimal with "0x"; false when it is no number.
bool ParseInt(const std::wstring& text, int* value);
// 0 when it is no number.
int ToInt(const std::wstring& text);
bool ToBool(const std::wstring& text);
// "#rgb", "#rrggbb", "#rrggbbaa", "rgb(r,g,b)", "rgba(r,g,b,a)".
bool ParseColor(const std::wstring& text, SColor* color);
// Comma-separated integers.
std::vector<int> ParseIntList(const std::wstring& text);
// "l,t,r,b" or one value for all four.
bool ParseRect(const std::wstring& text, CRect* rc);
// "face:NAME,size:N,bold:1,italic:1,underline:1,adding:N" over base.
SFontDesc ParseFont(const std::wstring& text, const SFontDesc& base);

std::wstring Utf8ToWide(const char* text);
std::string WideToUtf8(const std::wstring& text);
std::wstring ToLower(std::wstring text);
bool EqualsNoCase(const std::wstring& a, const std::wstring& b);

}  // namespace SOUI::detail
