// The version and URL-list reply parsers on arbitrary replies (input layout
// in ReplyChunks.h). A parser may throw (the exports turn that into a failed
// request); nothing else may go wrong.
#include <cstddef>
#include <cstdint>

#include "datacollection/ToolReplies.h"
#include "fuzz/ReplyChunks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    FeedReplyInTwoChunks(data, size);
    try {
        if (data[0] % 2 == 0)
            tessaly::ParseVersionResponse();
        else
            tessaly::ParseUrlListResponse();
    } catch (...) {
    }
    return 0;
}
