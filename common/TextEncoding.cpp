#include "common/TextEncoding.h"

#include <stdexcept>
#include <string>

#include "common/TextEncodingFailure.h"
#include "os/CodePage.h"
#include "os/LastError.h"

void ThrowSizePassFailure(unsigned long lastError, bool mayBeUntranslatable) {
    if (mayBeUntranslatable && lastError == os::kErrorNoUnicodeTranslation) {
        throw std::runtime_error(kInvalidUtf8Message);
    }
    throw std::runtime_error(kConversionErrorMessage);
}

namespace {

// Size pass, exactly sized zero-filled buffer, convert pass that must agree;
// the text ends at the buffer's first NUL (the counted terminator). The
// result string is that buffer: a whole reply is converted without a copy.
template <typename Dst, typename Src, typename Convert>
std::basic_string<Dst> ConvertTwoPass(const std::basic_string<Src>& text, bool mayBeUntranslatable,
                                      Convert convert) {
    const int size = convert(text.c_str(), -1, static_cast<Dst*>(nullptr), 0);
    if (size == 0) ThrowSizePassFailure(os::LastError(), mayBeUntranslatable);
    std::basic_string<Dst> buffer(static_cast<size_t>(size), Dst{});
    if (convert(text.c_str(), -1, buffer.data(), size) != size)
        throw std::runtime_error(kCountMismatchMessage);
    buffer.resize(std::char_traits<Dst>::length(buffer.c_str()));
    return buffer;
}

std::wstring NarrowToWide(os::CodePage codePage, const std::string& text) {
    return ConvertTwoPass<wchar_t>(text, true, [codePage](const char* src, int len, wchar_t* dst, int cap) {
        return os::NarrowToWide(codePage, src, len, dst, cap);
    });
}

std::string WideToNarrow(os::CodePage codePage, const std::wstring& text, bool mayBeUntranslatable) {
    return ConvertTwoPass<char>(text, mayBeUntranslatable,
                                [codePage](const wchar_t* src, int len, char* dst, int cap) {
                                    return os::WideToNarrow(codePage, src, len, dst, cap);
                                });
}

}  // namespace

std::wstring Utf8ToWide(const std::string& text) {
    return NarrowToWide(os::CodePage::Utf8, text);
}

std::string WideToOem(const std::wstring& text) {
    return WideToNarrow(os::CodePage::Oem, text, true);
}

std::string Utf8ToOem(const std::string& text) {
    return ConvertTwoPass<char>(text, true, [](const char* src, int len, char* dst, int cap) {
        return os::NarrowToNarrow(os::CodePage::Utf8, os::CodePage::Oem, src, len, dst, cap);
    });
}

std::wstring AnsiToWide(const std::string& text) {
    return NarrowToWide(os::CodePage::Ansi, text);
}

std::string WideToUtf8(const std::wstring& text) {
    return WideToNarrow(os::CodePage::Utf8, text, false);
}

std::string AnsiToUtf8(const std::string& text) {
    return WideToUtf8(AnsiToWide(text));
}
