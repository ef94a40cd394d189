#include "TextWrap.h"

namespace SOUI::detail {

namespace {

// The longest prefix of rest (from start) that fits, at least one character.
size_t FittingLength(const std::wstring& para, size_t start, int maxWidth,
                     const std::function<int(const std::wstring&)>& width) {
    size_t low = 1;
    size_t high = para.size() - start;
    if (width(para.substr(start, high)) <= maxWidth) return high;
    while (low < high) {
        const size_t mid = (low + high + 1) / 2;
        if (width(para.substr(start, mid)) <= maxWidth)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

}  // namespace

std::vector<std::wstring> WrapText(const std::wstring& text, int maxWidth,
                                   const std::function<int(const std::wstring&)>& width) {
    std::vector<std::wstring> lines;
    size_t paraStart = 0;
    while (paraStart <= text.size()) {
        size_t paraEnd = text.find(L'\n', paraStart);
        if (paraEnd == std::wstring::npos) paraEnd = text.size();
        const std::wstring para = text.substr(paraStart, paraEnd - paraStart);
        if (para.empty()) lines.emplace_back();
        for (size_t start = 0; start < para.size();) {
            size_t length = FittingLength(para, start, maxWidth, width);
            if (start + length < para.size()) {
                const size_t space = para.rfind(L' ', start + length);
                if (space != std::wstring::npos && space > start) length = space - start + 1;
            }
            std::wstring line = para.substr(start, length);
            while (!line.empty() && line.back() == L' ') line.pop_back();
            lines.push_back(std::move(line));
            start += length;
        }
        if (paraEnd == text.size()) break;
        paraStart = paraEnd + 1;
    }
    return lines;
}

}  // namespace SOUI::detail
