#pragma once
// Base64 (standard alphabet) with the service-key tools' framing rules.
#include <cstdint>

// Decodes the zero-terminated `text` into `output`. A leading "+ " is
// skipped; decoding stops at the end of the text, at a carriage return where
// a group of four would begin, or after a group whose fourth character is
// "=". Returns the bytes written, or -1 for a character outside the alphabet,
// a text that ends inside a group, or more bytes than `limit` (0: no limit);
// bytes written before a failure stay. Null arguments give -1.
int Base64Decode(const char* text, uint8_t* output, unsigned limit);
