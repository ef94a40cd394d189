#pragma once
#include <cstddef>
#include <string>

namespace tessaly {

// The standard Base64 alphabet: upper-case, lower-case, digits, '+', '/'.
extern const std::string Base64Alphabet;

// Standard Base64 with '=' fill and no line breaks; empty input, empty text.
std::string Base64Encode(const unsigned char* data, size_t length);

}  // namespace tessaly
