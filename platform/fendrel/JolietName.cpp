#include "JolietName.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>

#include "os/CodePage.h"

namespace fendrel {
namespace {

constexpr std::size_t kJolietLongNameUnits = 103;

// Number of UTF-16 units of a UTF-8 text; nothing when it is not UTF-8 (the
// conversion replaces what is ill-formed, so the way back differs).
std::optional<std::size_t> Utf16Units(std::string_view text) {
    const int length = static_cast<int>(text.size());
    const int wideSize = os::NarrowToWide(os::CodePage::Utf8, text.data(), length, nullptr, 0);
    if (wideSize <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    os::NarrowToWide(os::CodePage::Utf8, text.data(), length, wide.data(), wideSize);
    std::string back(text.size(), '\0');
    if (os::WideToNarrow(os::CodePage::Utf8, wide.data(), wideSize, back.data(), length) != length ||
        back != text) {
        return std::nullopt;
    }
    const auto beyondBasicPlane =
        std::count_if(wide.begin(), wide.end(), [](wchar_t c) { return c > 0xFFFF; });
    return wide.size() + static_cast<std::size_t>(beyondBasicPlane);
}

}  // namespace

NameCheck CheckJolietName(std::string_view utf8Name) {
    const auto units = Utf16Units(utf8Name);
    if (!units) return NameCheck::kNotText;
    return *units <= kJolietLongNameUnits ? NameCheck::kFits : NameCheck::kTooLong;
}

}  // namespace fendrel
