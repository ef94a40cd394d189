#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace os {

// Conversions between wide text and code page 936 (simplified Chinese, GBK
// with the Windows additions) that leave the process's locale alone, so they
// are safe while other threads run.

// Nothing when a character has no form in code page 936.
std::optional<std::string> WideToCodePage936(std::wstring_view text);
// Nothing when the bytes are no well-formed code page 936 text.
std::optional<std::wstring> CodePage936ToWide(std::string_view bytes);

}  // namespace os
