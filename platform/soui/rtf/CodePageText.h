#pragma once
// Narrow text of a Windows code page to wide text, for documents that name
// their code page (RTF's \ansicpg, a font's \fcharset).
#include <string>
#include <string_view>

namespace SOUI::rtf {

// The code page that a font's character set stands for; 0 when the set
// names none of its own (the document's code page then applies).
unsigned CodePageOfCharset(int charset);

// Decodes `bytes` in `codePage` (936 is GBK). Bytes that do not form a
// character of that page, and every byte of a page this system cannot
// convert, become U+FFFD; nothing is dropped silently.
std::wstring DecodeCodePage(unsigned codePage, std::string_view bytes);

}  // namespace SOUI::rtf
