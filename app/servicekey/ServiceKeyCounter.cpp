#include "app/servicekey/ServiceKeyCounter.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "os/HexDigit.h"

namespace {

std::optional<std::array<uint8_t, 16>> ParseBlock(const char* text) {
    if (std::strlen(text) != 32) return std::nullopt;
    std::array<uint8_t, 16> block{};
    for (size_t i = 0; i < block.size(); ++i) {
        const int high = os::HexDigitValue(text[2 * i]);
        const int low = os::HexDigitValue(text[2 * i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        block[i] = static_cast<uint8_t>(high << 4 | low);
    }
    return block;
}

}  // namespace

std::array<uint8_t, 16> ServiceKeyCounterBlock() {
    const char* text = std::getenv(kServiceKeyCounterVariable);
    if (text == nullptr || *text == '\0') return kDefaultServiceKeyCounter;
    if (std::optional<std::array<uint8_t, 16>> block = ParseBlock(text)) return *block;
    std::fprintf(stderr, "%s is not 32 hex digits; the built-in counter block is used\n",
                 kServiceKeyCounterVariable);
    return kDefaultServiceKeyCounter;
}
