#pragma once
// The device type that a service-key tool leaves in its settings file, as
// plain functions: the file comes from a drive anyone can plug in, and these
// are what reads and decodes its bytes.
#include <functional>
#include <string>

#include "app/servicekey/AesCipher.h"

// Both tools encrypt with the first 16 bytes of this text.
inline constexpr char kServiceKeyDecodingKey[] = "harborlamp7319mist";

// Base64, then AES counter mode with `cipher`, keyed with the first 16 bytes
// of `key` and given the counter block in force. The `capacity` bytes of
// `output` are zeroed and take the decrypted whole blocks as far as they
// fit; the result is the length of the text there up to its first zero.
// 0 with `output` untouched for a null buffer or key, a key under 16 bytes
// or a capacity below the encoded text's length.
int DecodeServiceKeyValue(CAesCipher& cipher, const std::string& encoded, char* output, int capacity,
                          const char* key);

// Decodes one value as DecodeServiceKeyValue does, with a cipher of its own.
using ServiceKeyDecoder =
    std::function<int(const std::string& encoded, char* output, int capacity, const char* key)>;

// The device type that a tool's settings file gives: the value of "DeviceType"
// in section "Type", decoded by `decode`, read as a leading decimal number,
// plus one (wrapping as a 32-bit integer), as decimal text. "1" when the file
// is missing or its value is empty or decodes to no number.
std::string DeviceTypeFromSettings(const std::wstring& settingsFile, const ServiceKeyDecoder& decode);
