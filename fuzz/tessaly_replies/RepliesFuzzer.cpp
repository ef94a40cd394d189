// The version and URL-list reply parsers on arbitrary replies. The first byte
// picks the parser, the rest arrives through the transfer callback as the
// reply, split in two chunks at a point the second byte picks. A parser may
// throw (the exports turn that into a failed request); nothing else may go
// wrong.
#include <cstddef>
#include <cstdint>

#include "common/ResponseBuffer.h"
#include "datacollection/ToolReplies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const char* reply = reinterpret_cast<const char*>(data + 2);
    const size_t length = size - 2;
    const size_t split = length == 0 ? 0 : data[1] % (length + 1);
    ResetResponseBuffer();
    OnResponseData(reply, 1, split, nullptr);
    OnResponseData(reply + split, 1, length - split, nullptr);
    try {
        if (data[0] % 2 == 0)
            tessaly::ParseVersionResponse();
        else
            tessaly::ParseUrlListResponse();
    } catch (...) {
    }
    return 0;
}
