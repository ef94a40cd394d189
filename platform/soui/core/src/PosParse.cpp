#include "PosParse.h"

#include <cwchar>

namespace SOUI::detail {

namespace {

bool ParseNumber(const std::wstring& text, float* value) {
    if (text.empty()) return false;
    wchar_t* end = nullptr;
    *value = std::wcstof(text.c_str(), &end);
    return end == text.c_str() + text.size();
}

bool ParseItem(std::wstring text, SPosItem* item) {
    while (!text.empty() && text.front() == L' ') text.erase(0, 1);
    while (!text.empty() && text.back() == L' ') text.pop_back();
    if (text.empty()) return false;
    if (text[0] == L'@') {
        item->kind = SPosItem::Size;
        return ParseNumber(text.substr(1), &item->value);
    }
    if (text[0] == L'|') {
        item->kind = SPosItem::FromCenter;
        return ParseNumber(text.substr(1), &item->value);
    }
    if (text.back() == L'%') {
        item->kind = SPosItem::Percent;
        return ParseNumber(text.substr(0, text.size() - 1), &item->value);
    }
    if (text[0] == L'-') {
        item->kind = SPosItem::FromEnd;
        return ParseNumber(text.substr(1), &item->value);
    }
    item->kind = SPosItem::FromStart;
    return ParseNumber(text, &item->value);
}

}  // namespace

std::vector<SPosItem> ParsePos(const std::wstring& text) {
    std::vector<SPosItem> items;
    std::wstring::size_type start = 0;
    while (start <= text.size()) {
        auto comma = text.find(L',', start);
        if (comma == std::wstring::npos) comma = text.size();
        SPosItem item;
        if (!ParseItem(text.substr(start, comma - start), &item)) return {};
        items.push_back(item);
        start = comma + 1;
    }
    if (items.size() != 2 && items.size() != 4) return {};
    return items;
}

int ResolvePos(const SPosItem& item, int start, int end, int base) {
    const float v = item.value;
    switch (item.kind) {
        case SPosItem::FromStart:
            return start + static_cast<int>(v);
        case SPosItem::FromEnd:
            return end - static_cast<int>(v);
        case SPosItem::Percent:
            return start + static_cast<int>(static_cast<float>(end - start) * v / 100.0f);
        case SPosItem::FromCenter:
            return (start + end) / 2 + static_cast<int>(v);
        case SPosItem::Size:
            return base + static_cast<int>(v);
    }
    return start;
}

bool ParseOffset(const std::wstring& text, float* x, float* y) {
    const auto comma = text.find(L',');
    if (comma == std::wstring::npos) return false;
    return ParseNumber(text.substr(0, comma), x) && ParseNumber(text.substr(comma + 1), y);
}

}  // namespace SOUI::detail
