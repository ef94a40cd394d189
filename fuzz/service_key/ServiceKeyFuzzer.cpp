// The service-key probe on a settings file from a drive anyone can plug in:
// byte 0 picks an output capacity, the rest is the whole DeviceInfo.ini. The
// file is read, converted and decoded as the probe does, and its bytes are
// also decoded as they are (NULs, line breaks, any length), into a buffer of
// the picked capacity. The device type must come out as decimal text; no
// read or write may stray.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/servicekey/ServiceKeyValue.h"

namespace {

// One file for the whole run, in memory only: reached through its
// descriptor's name, it leaves nothing behind however the run ends.
class SettingsFile {
public:
    SettingsFile()
        : fd_(::memfd_create("DeviceInfo.ini", 0)), path_(L"/proc/self/fd/" + std::to_wstring(fd_)) {
        if (fd_ < 0) std::abort();
    }

    const std::wstring& Holding(const uint8_t* data, size_t size) {
        if (::ftruncate(fd_, 0) != 0 || ::pwrite(fd_, data, size, 0) != static_cast<ssize_t>(size))
            std::abort();
        return path_;
    }

private:
    int fd_;
    std::wstring path_;
};

bool IsDecimal(const std::string& text) {
    const size_t digits = text.rfind('-', 0) == 0 ? 1 : 0;
    if (text.size() <= digits) return false;
    return text.find_first_not_of("0123456789", digits) == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    static SettingsFile file;
    CAesCipher cipher;
    const auto decode = [&cipher](const std::string& encoded, char* output, int capacity, const char* key) {
        return DecodeServiceKeyValue(cipher, encoded, output, capacity, key);
    };
    if (!IsDecimal(DeviceTypeFromSettings(file.Holding(data + 1, size - 1), decode))) std::abort();

    // Exactly the picked size, so that a write past it is caught.
    std::vector<char> output(static_cast<size_t>(data[0]) * 5);
    const std::string raw(reinterpret_cast<const char*>(data + 1), size - 1);
    const int length = decode(raw, output.data(), static_cast<int>(output.size()), kServiceKeyDecodingKey);
    if (length < 0 || static_cast<size_t>(length) > output.size()) std::abort();
    return 0;
}
