#pragma once
#include <string>

#include "soui/SString.h"

// Conversions between the program's three kinds of text: wide strings,
// narrow strings in the legacy code pages (wide to narrow writes the OEM
// page, narrow to wide reads the ANSI page) and the framework's string.
// Failures throw std::exception with "Invalid UTF-8 sequence.", "Error in
// conversion." or "La falla!"; characters a page cannot hold are replaced.
class StringConverter {
public:
    std::string WideToMultiByte(const std::wstring& text) const;
    std::wstring MultiByteToWide(const std::string& text) const;
    SOUI::SStringW ToSStringW(const std::string& text) const;
    // Only the characters before the first NUL are converted.
    std::string FromSStringW(const SOUI::SStringW& text) const;
};

extern StringConverter g_stringConverter;
