#include "os/LastError.h"

namespace os {
namespace {

thread_local unsigned long t_lastError = kErrorSuccess;

}  // namespace

unsigned long LastError() {
    return t_lastError;
}

void SetLastError(unsigned long error) {
    t_lastError = error;
}

}  // namespace os
