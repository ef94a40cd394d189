#pragma once
#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

namespace os {

// One iconv conversion between two encodings as iconv names them ("CP936",
// "GBK", "WCHAR_T"). A converter per conversion keeps threads apart, and
// none touches the process's locale.
class IconvConverter {
public:
    IconvConverter(const char* to, const char* from);
    ~IconvConverter();
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    // False when iconv knows one of the two encodings not.
    bool Valid() const;

    // The whole input converted, or nothing at the first byte or character
    // that has no counterpart (or a sequence cut off at the end), and
    // nothing without a valid converter.
    std::optional<std::string> Convert(std::string_view input);

    // Converts as much as it can: each input byte that starts no character
    // becomes `replacement` (bytes of the target encoding) and conversion
    // resumes after it; without a valid converter every byte does. For
    // inputs in a byte encoding, where one byte is a unit to skip.
    std::string ConvertLossy(std::string_view input, std::string_view replacement);

private:
    // Strict without a replacement.
    std::optional<std::string> Run(std::string_view input, const std::string_view* replacement);

    iconv_t handle_;
};

// Wide text as the bytes of iconv's "WCHAR_T" encoding, and back; a trailing
// piece shorter than a character is dropped.
std::string_view WideBytes(std::wstring_view text);
std::wstring WideFromBytes(std::string_view bytes);

}  // namespace os
