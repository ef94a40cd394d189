#include "os/CodePage936.h"

#include <iconv.h>

#include <cerrno>

namespace os {
namespace {

// One iconv conversion; a handle per call keeps threads apart.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (Valid()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // The whole input converted, or nothing at the first byte or character
    // that has no counterpart (or a sequence cut off at the end).
    template <typename Out>
    std::optional<Out> Convert(const void* data, size_t size) {
        if (!Valid()) return std::nullopt;
        std::string input(static_cast<const char*>(data), size);
        char* in = input.data();
        size_t inLeft = input.size();
        Out out;
        for (;;) {
            typename Out::value_type buffer[256];
            char* outPtr = reinterpret_cast<char*>(buffer);
            size_t outLeft = sizeof(buffer);
            // A last call with no input flushes any pending shift state.
            const size_t rc = inLeft > 0 ? iconv(handle_, &in, &inLeft, &outPtr, &outLeft)
                                         : iconv(handle_, nullptr, nullptr, &outPtr, &outLeft);
            const int error = errno;
            out.append(buffer,
                       static_cast<size_t>(reinterpret_cast<typename Out::value_type*>(outPtr) - buffer));
            if (rc == static_cast<size_t>(-1) && error != E2BIG) return std::nullopt;
            if (rc != static_cast<size_t>(-1) && inLeft == 0 && outPtr == reinterpret_cast<char*>(buffer))
                return out;
        }
    }

private:
    iconv_t handle_;
};

// glibc's name for the Windows code page, which maps 0x80 to the euro sign.
constexpr const char* kCodePage936 = "CP936";

}  // namespace

std::optional<std::string> WideToCodePage936(std::wstring_view text) {
    return Converter(kCodePage936, "WCHAR_T")
        .Convert<std::string>(text.data(), text.size() * sizeof(wchar_t));
}

std::optional<std::wstring> CodePage936ToWide(std::string_view bytes) {
    return Converter("WCHAR_T", kCodePage936).Convert<std::wstring>(bytes.data(), bytes.size());
}

}  // namespace os
