#pragma once
#include <optional>
#include <string>

namespace fendrel {

// UTF-8 form of a zero-terminated UTF-32 string, independent of the process
// locale; nothing when it holds a surrogate or a value beyond U+10FFFF.
std::optional<std::string> WideToUtf8(const wchar_t* text);

}  // namespace fendrel
