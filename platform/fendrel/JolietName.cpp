#include "JolietName.h"

#include <cstddef>
#include <optional>

namespace fendrel {
namespace {

constexpr std::size_t kJolietLongNameUnits = 103;

// Number of UTF-16 units of a UTF-8 text; nothing when it is not UTF-8.
std::optional<std::size_t> Utf16Units(std::string_view text) {
    std::size_t units = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length;
        char32_t value;
        if (lead < 0x80) {
            length = 1;
            value = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            value = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            value = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            value = lead & 0x07;
        } else {
            return std::nullopt;
        }
        if (i + length > text.size()) return std::nullopt;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            value = (value << 6) | (next & 0x3F);
        }
        static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (value < kSmallest[length] || value > 0x10FFFF ||
            (value >= 0xD800 && value <= 0xDFFF)) {
            return std::nullopt;
        }
        units += value >= 0x10000 ? 2 : 1;
        i += length;
    }
    return units;
}

}  // namespace

NameCheck CheckJolietName(std::string_view utf8Name, bool isFolder) {
    const auto units = Utf16Units(utf8Name);
    if (!units) return NameCheck::kNotText;
    const auto dot = utf8Name.rfind('.');
    const bool hasExtension =
        !isFolder && dot != std::string_view::npos && dot + 1 < utf8Name.size();
    const std::size_t limit = kJolietLongNameUnits + (hasExtension ? 1 : 0);
    return *units <= limit ? NameCheck::kFits : NameCheck::kTooLong;
}

}  // namespace fendrel
