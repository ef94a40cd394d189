#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace dravolin {

// UTF-8 text of count UTF-16 code units; nullopt for an unpaired surrogate.
std::optional<std::string> Utf16ToUtf8(const uint16_t* text, size_t count);

}  // namespace dravolin
