#include "os/IconvConverter.h"

#include <cerrno>
#include <cstring>

namespace os {
namespace {

const iconv_t kNoHandle = reinterpret_cast<iconv_t>(-1);
constexpr size_t kFailed = static_cast<size_t>(-1);

}  // namespace

IconvConverter::IconvConverter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}

IconvConverter::~IconvConverter() {
    if (Valid()) iconv_close(handle_);
}

bool IconvConverter::Valid() const {
    return handle_ != kNoHandle;
}

std::optional<std::string> IconvConverter::Convert(std::string_view input) {
    return Run(input, nullptr);
}

std::string IconvConverter::ConvertLossy(std::string_view input, std::string_view replacement) {
    if (!Valid()) {
        std::string out;
        for (size_t i = 0; i < input.size(); ++i) out.append(replacement);
        return out;
    }
    return Run(input, &replacement).value_or(std::string());
}

std::optional<std::string> IconvConverter::Run(std::string_view input, const std::string_view* replacement) {
    if (!Valid()) return std::nullopt;
    // iconv takes its input through a pointer to non-const.
    std::string source(input);
    char* in = source.data();
    size_t inLeft = source.size();
    std::string out;
    for (;;) {
        char buffer[1024];
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        // A last call with no input flushes any pending shift state.
        const bool flushing = inLeft == 0;
        const size_t rc = flushing ? iconv(handle_, nullptr, nullptr, &outPtr, &outLeft)
                                   : iconv(handle_, &in, &inLeft, &outPtr, &outLeft);
        const int error = errno;
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (rc != kFailed) {
            if (flushing) return out;
            continue;
        }
        if (error == E2BIG) continue;
        // EILSEQ, or EINVAL for a sequence cut off at the end.
        if (replacement == nullptr) return std::nullopt;
        if (flushing) return out;
        out.append(*replacement);
        ++in;
        --inLeft;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    }
}

std::string_view WideBytes(std::wstring_view text) {
    return {reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)};
}

std::wstring WideFromBytes(std::string_view bytes) {
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    return text;
}

}  // namespace os
