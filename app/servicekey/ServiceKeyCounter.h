#pragma once
// The initial counter block with which the service-key tools encrypt the
// device type. It belongs to those tools, so it is a setting: the compiled-in
// block below, or 32 hex digits in the environment variable.
#include <array>
#include <cstdint>

constexpr const char* kServiceKeyCounterVariable = "PELLUCOR_SERVICE_KEY_COUNTER";

constexpr std::array<uint8_t, 16> kDefaultServiceKeyCounter = {
    0xf0, 0xf1, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa, 0xfb, 0xfc, 0xfd, 0xfe, 0xff};

// The block in force, read anew on each call. A variable that is set but not
// exactly 32 hex digits is reported on stderr and the default is used.
std::array<uint8_t, 16> ServiceKeyCounterBlock();
