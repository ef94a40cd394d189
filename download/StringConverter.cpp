#include "download/StringConverter.h"

#include "common/TextEncoding.h"

// The program's narrow pages are the OEM page on the way out and the ANSI
// page on the way in, the same conversions the shared libraries use.
std::string StringConverter::WideToMultiByte(const std::wstring& text) const {
    return WideToOem(text);
}

std::wstring StringConverter::MultiByteToWide(const std::string& text) const {
    return AnsiToWide(text);
}

SOUI::SStringW StringConverter::ToSStringW(const std::string& text) const {
    SOUI::SStringW result;
    result.Format(L"%s", MultiByteToWide(text).c_str());
    return result;
}

std::string StringConverter::FromSStringW(const SOUI::SStringW& text) const {
    return WideToMultiByte(std::wstring(text.c_str()));
}
