// The four driver-reply parsers on arbitrary replies. The first byte picks
// the parser, the rest arrives through the transfer callback as the reply,
// split in two chunks at a point the second byte picks.
#include <cstddef>
#include <cstdint>

#include "driverinfo/Parsers.h"
#include "driverinfo/Records.h"
#include "fuzz/ReplyChunks.h"

namespace {

struct Parser {
    bool (*clear)();
    bool (*parse)();
};

constexpr Parser kParsers[] = {
    {ClearDmInfoResult, ParseDmInfoResponse},
    {ClearSearchResult, ParseSearchResponse},
    {ClearQueryForWebResult, ParseQueryForWebResponse},
    {ClearTreeNodeResult, ParseTreeNodeResponse},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    static const bool recordsCreated = (CreateRecords(), true);
    (void)recordsCreated;
    const Parser& parser = kParsers[data[0] % 4];
    FeedReplyInTwoChunks(data, size);
    parser.clear();
    parser.parse();
    return 0;
}
