#include "ContentRange.h"

#include <charconv>

namespace dravolin {
namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
    return s;
}

// The whole of s must be a non-negative decimal number that fits.
std::optional<int64_t> ParseNumber(std::string_view s) {
    if (s.empty() || s.front() < '0' || s.front() > '9') return std::nullopt;
    int64_t value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return value;
}

bool StartsWithBytesUnit(std::string_view s) {
    constexpr std::string_view unit = "bytes";
    if (s.size() <= unit.size() || !IsSpace(s[unit.size()])) return false;
    for (size_t i = 0; i < unit.size(); ++i) {
        char c = s[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != unit[i]) return false;
    }
    return true;
}

}  // namespace

std::optional<ContentRange> ParseContentRange(std::string_view value) {
    value = Trim(value);
    if (!StartsWithBytesUnit(value)) return std::nullopt;
    std::string_view rest = Trim(value.substr(5));
    size_t dash = rest.find('-');
    size_t slash = rest.find('/');
    if (dash == std::string_view::npos || slash == std::string_view::npos || dash > slash)
        return std::nullopt;
    auto first = ParseNumber(rest.substr(0, dash));
    auto last = ParseNumber(rest.substr(dash + 1, slash - dash - 1));
    std::string_view totalText = rest.substr(slash + 1);
    if (!first || !last || *first > *last) return std::nullopt;
    ContentRange range{*first, *last, -1};
    if (totalText != "*") {
        auto total = ParseNumber(totalText);
        if (!total || *last >= *total) return std::nullopt;
        range.total = *total;
    }
    return range;
}

}  // namespace dravolin
