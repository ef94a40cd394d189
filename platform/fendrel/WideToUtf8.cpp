#include "WideToUtf8.h"

#include "os/CodePage.h"

namespace fendrel {

std::optional<std::string> WideToUtf8(const wchar_t* text) {
    // The code-page conversion would put U+FFFD in their place, silently
    // naming another file.
    for (const wchar_t* c = text; *c != L'\0'; ++c) {
        const auto value = static_cast<char32_t>(*c);
        if ((value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) return std::nullopt;
    }
    const int size = os::WideToNarrow(os::CodePage::Utf8, text, -1, nullptr, 0);
    if (size <= 0) return std::nullopt;
    std::string out(static_cast<std::size_t>(size), '\0');
    if (os::WideToNarrow(os::CodePage::Utf8, text, -1, out.data(), size) != size) return std::nullopt;
    out.pop_back();  // the terminator
    return out;
}

}  // namespace fendrel
