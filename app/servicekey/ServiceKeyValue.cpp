#include "app/servicekey/ServiceKeyValue.h"

#include <algorithm>
#include <array>
#include <cinttypes>
#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/servicekey/Base64Decode.h"
#include "app/servicekey/ServiceKeyCounter.h"
#include "os/CodePage936.h"
#include "os/IniFile.h"

namespace {

constexpr int kOutputCapacity = 1024;

// The decimal value at the start of the text as atoi reads it (leading white
// space, an optional sign, digits; 0 without digits), held at the int range
// where atoi's result is undefined.
int LeadingInt(const std::string& text) {
    size_t i = text.find_first_not_of(" \t\n\v\f\r");
    if (i == std::string::npos) return 0;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min<long long>(value * 10 + (text[i] - '0'), static_cast<long long>(INT_MAX) + 1);
    if (negative) return static_cast<int>(-value);
    return static_cast<int>(std::min<long long>(value, INT_MAX));
}

std::string Int64ToString(int64_t value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%" PRId64, value);
    return buffer;
}

}  // namespace

int DecodeServiceKeyValue(CAesCipher& cipher, const std::string& encoded, char* output, int capacity,
                          const char* key) {
    if (output == nullptr || capacity < 0 || key == nullptr || strnlen(key, 16) < 16) return 0;
    cipher.SetKey(reinterpret_cast<const uint8_t*>(key), 16);
    const std::array<uint8_t, 16> counter = ServiceKeyCounterBlock();
    cipher.SetCounter(counter.data());

    // What the Base64 text can hold at most, in whole cipher blocks; the
    // bytes past what the decoder writes stay zero.
    const size_t textLength = std::strlen(encoded.c_str());
    const size_t decodedMax = textLength / 4 * 3;
    const size_t blocks = (decodedMax + 15) / 16 * 16;
    std::vector<uint8_t> decoded(std::max<size_t>(blocks, 16), 0);
    Base64Decode(encoded.c_str(), decoded.data(), static_cast<unsigned>(decodedMax));
    if (static_cast<size_t>(capacity) < textLength) return 0;

    std::memset(output, 0, static_cast<size_t>(capacity));
    cipher.Process(decoded.data(), decoded.data(), static_cast<unsigned>(blocks), CAesCipher::kCtr);
    // Whole blocks may be longer than the caller's buffer: what does not fit
    // is dropped rather than written past it.
    std::memcpy(output, decoded.data(), std::min(blocks, static_cast<size_t>(capacity)));
    return static_cast<int>(strnlen(output, static_cast<size_t>(capacity)));
}

std::string DeviceTypeFromSettings(const std::wstring& settingsFile, const ServiceKeyDecoder& decode) {
    std::wstring value;
    os::ReadIniValue(L"Type", L"DeviceType", settingsFile, value);
    // A value with no form in the tools' code page decodes as empty.
    const std::string encoded = os::WideToCodePage936(value).value_or(std::string());
    std::vector<char> output(kOutputCapacity, 0);
    const int length = decode(encoded, output.data(), kOutputCapacity, kServiceKeyDecodingKey);
    const int decoded = LeadingInt(std::string(output.data(), static_cast<size_t>(length)));
    // One more, wrapping as a 32-bit integer does.
    const int32_t type = static_cast<int32_t>(static_cast<uint32_t>(decoded) + 1u);
    return Int64ToString(type);
}
