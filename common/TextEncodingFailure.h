#pragma once

// The messages of the text-encoding helpers' exceptions.
inline constexpr const char* kInvalidUtf8Message = "Invalid UTF-8 sequence.";
inline constexpr const char* kConversionErrorMessage = "Error in conversion.";
inline constexpr const char* kCountMismatchMessage = "La falla!";

// Throws for a size pass that returned 0, telling an untranslatable source
// from other failures by the thread's last error where `mayBeUntranslatable`.
[[noreturn]] void ThrowSizePassFailure(unsigned long lastError, bool mayBeUntranslatable);
