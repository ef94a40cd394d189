#pragma once

namespace os {

// The calling thread's last-error value, set by the os operations that say so.
unsigned long LastError();
void SetLastError(unsigned long error);

// Values of the last error, with the numbers the Windows callers compare to.
constexpr unsigned long kErrorSuccess = 0;
constexpr unsigned long kErrorInvalidParameter = 87;
constexpr unsigned long kErrorInsufficientBuffer = 122;
constexpr unsigned long kErrorNoUnicodeTranslation = 1113;

}  // namespace os
