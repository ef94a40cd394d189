#include "rtf/CodePageText.h"

#include <iconv.h>

#include <cerrno>
#include <string>
#include <utility>

namespace SOUI::rtf {

namespace {

constexpr wchar_t kReplacement = 0xFFFD;

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

class Converter {
public:
    explicit Converter(unsigned codePage) : handle_(iconv_open("WCHAR_T", IconvName(codePage).c_str())) {}
    ~Converter() {
        if (Valid()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; a byte that starts no character becomes
    // U+FFFD and conversion resumes after it.
    std::wstring Convert(std::string_view bytes) {
        std::wstring out;
        std::string input(bytes);
        char* in = input.data();
        size_t inLeft = input.size();
        while (inLeft > 0) {
            wchar_t buffer[256];
            char* outPtr = reinterpret_cast<char*>(buffer);
            size_t outLeft = sizeof(buffer);
            const size_t rc = iconv(handle_, &in, &inLeft, &outPtr, &outLeft);
            const int error = errno;
            out.append(buffer, static_cast<size_t>(reinterpret_cast<wchar_t*>(outPtr) - buffer));
            if (rc != static_cast<size_t>(-1) || error == E2BIG) continue;
            // EILSEQ, or EINVAL for a lead byte cut off at the end.
            out.push_back(kReplacement);
            ++in;
            --inLeft;
            iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t handle_;
};

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
    Converter converter(codePage);
    if (!converter.Valid()) return std::wstring(bytes.size(), kReplacement);
    return converter.Convert(bytes);
}

}  // namespace SOUI::rtf
