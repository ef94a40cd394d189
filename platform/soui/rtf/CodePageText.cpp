#include "rtf/CodePageText.h"

#include <string>
#include <utility>

#include "os/IconvConverter.h"

namespace SOUI::rtf {

namespace {

constexpr wchar_t kReplacement[] = L"\uFFFD";

std::string IconvName(unsigned codePage) {
    switch (codePage) {
        case 936:
            return "GBK";
        case 950:
            return "BIG5";
        case 932:
            return "SHIFT_JIS";
        case 949:
            return "EUC-KR";
        case 65001:
            return "UTF-8";
        case 10000:
            return "MACINTOSH";
        default:
            return "CP" + std::to_string(codePage);
    }
}

}  // namespace

unsigned CodePageOfCharset(int charset) {
    static constexpr std::pair<int, unsigned> kTable[] = {
        {0, 1252},   {2, 1252},   {77, 10000}, {128, 932},  {129, 949},  {134, 936},
        {136, 950},  {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256},
        {186, 1257}, {204, 1251}, {222, 874},  {238, 1250}, {255, 437},
    };
    for (const auto& [set, page] : kTable) {
        if (set == charset) return page;
    }
    return 0;
}

std::wstring DecodeCodePage(unsigned codePage, std::string_view bytes) {
    if (bytes.empty()) return {};
    os::IconvConverter converter("WCHAR_T", IconvName(codePage).c_str());
    return os::WideFromBytes(converter.ConvertLossy(bytes, os::WideBytes(kReplacement)));
}

}  // namespace SOUI::rtf
