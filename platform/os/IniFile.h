#pragma once
#include <string>

namespace os {

// Reads one value of a settings file of "[section]" headers and "key=value"
// lines, as the platform's profile call does: section and key names compare
// without regard to case, the first match counts, the value is trimmed of
// white space and of one pair of enclosing quotes, and it is cut to 255
// characters. The file may be UTF-8 (with or without a byte-order mark) or
// code page 936. True when the value is not empty; only then is `value`
// changed. A missing or unreadable file reads as empty.
bool ReadIniValue(const std::wstring& section, const std::wstring& key, const std::wstring& file,
                  std::wstring& value);

}  // namespace os
