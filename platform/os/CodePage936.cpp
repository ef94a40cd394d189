#include "os/CodePage936.h"

#include "os/IconvConverter.h"

namespace os {
namespace {

// glibc's name for the Windows code page, which maps 0x80 to the euro sign.
constexpr const char* kCodePage936 = "CP936";

}  // namespace

std::optional<std::string> WideToCodePage936(std::wstring_view text) {
    return IconvConverter(kCodePage936, "WCHAR_T").Convert(WideBytes(text));
}

std::optional<std::wstring> CodePage936ToWide(std::string_view bytes) {
    const std::optional<std::string> wide = IconvConverter("WCHAR_T", kCodePage936).Convert(bytes);
    if (!wide) return std::nullopt;
    return WideFromBytes(*wide);
}

}  // namespace os
