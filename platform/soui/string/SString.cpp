#include "soui/SString.h"

#include <cwchar>
#include <cwctype>
#include <vector>

namespace SOUI {

namespace {

constexpr size_t kMaxFormattedLength = 1 << 20;

// The C library's wide printf reads "%s" and "%c" as narrow; the Windows
// forms mean wide, and "%S" / "%C" mean narrow. Rewrite each conversion.
std::wstring ToLibraryFormat(const wchar_t* format) {
    std::wstring out;
    for (const wchar_t* p = format; *p != L'\0'; ++p) {
        out += *p;
        if (*p != L'%') continue;
        ++p;
        if (*p == L'%') {
            out += *p;
            continue;
        }
        bool sized = false;
        while (*p != L'\0' && std::wcschr(L"-+ #0123456789.*hlLqjzt", *p) != nullptr) {
            if (std::wcschr(L"hlLqjzt", *p) != nullptr) sized = true;
            out += *p++;
        }
        if (*p == L'\0') break;
        if (!sized && (*p == L's' || *p == L'c')) {
            out += L'l';
            out += *p;
        } else if (!sized && (*p == L'S' || *p == L'C')) {
            out += static_cast<wchar_t>(std::towlower(*p));
        } else {
            out += *p;
        }
    }
    return out;
}

}  // namespace

template <>
bool TStringT<wchar_t>::Format(const wchar_t* format, ...) {
    text_.clear();
    if (format == nullptr) return false;
    const std::wstring libraryFormat = ToLibraryFormat(format);
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list args;
        va_start(args, format);
        const int written = std::vswprintf(buffer.data(), buffer.size(), libraryFormat.c_str(), args);
        va_end(args);
        if (written >= 0) {
            text_.assign(buffer.data(), static_cast<size_t>(written));
            return true;
        }
        // vswprintf does not say whether the buffer was short or the input
        // bad; grow up to a bound, then give up.
        if (buffer.size() >= kMaxFormattedLength) return false;
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace SOUI
