#pragma once
// Breaks paragraphs into lines that fit a width.
#include <functional>
#include <string>
#include <vector>

namespace SOUI::detail {

// width(text) measures one line. A line breaks after the last space that
// fits, else after the last character that fits (CJK text has no spaces);
// each line takes at least one character. Paragraphs are separated by '\n';
// an empty paragraph is an empty line.
std::vector<std::wstring> WrapText(const std::wstring& text, int maxWidth,
                                   const std::function<int(const std::wstring&)>& width);

}  // namespace SOUI::detail
