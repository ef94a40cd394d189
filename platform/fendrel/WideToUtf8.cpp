#include "WideToUtf8.h"

namespace fendrel {

std::optional<std::string> WideToUtf8(const wchar_t* text) {
    static_assert(sizeof(wchar_t) == 4, "wide strings are UTF-32 here");
    std::string out;
    for (; *text != L'\0'; ++text) {
        const auto c = static_cast<char32_t>(*text);
        if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return std::nullopt;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace fendrel
