#include "common/ResponseBuffer.h"

#include <cstring>
#include <limits>

char ResponseBuffer[kResponseBufferSize] = {};
int32_t ResponseLength = 0;

namespace {

bool g_responseCut = false;

}  // namespace

void ResetResponseBuffer() {
    std::memset(ResponseBuffer, 0, sizeof ResponseBuffer);
    ResponseLength = 0;
    g_responseCut = false;
}

size_t OnResponseData(const char* data, size_t size, size_t count, void*) {
    const size_t n = size * count;
    const bool overflow = size != 0 && n / size != count;
    const size_t room = static_cast<size_t>(kResponseLimit - ResponseLength);
    if (!overflow && n > 0 && n < room) {
        std::memcpy(ResponseBuffer + ResponseLength, data, n);
        ResponseLength += static_cast<int32_t>(n);
        ResponseBuffer[ResponseLength] = '\0';
    } else if (overflow || n > 0) {
        g_responseCut = true;
    }
    return n;
}

bool ResponseWasCut() {
    return g_responseCut;
}
