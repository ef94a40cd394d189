#include "dravolin/ContentRange.h"

#include <gtest/gtest.h>

using dravolin::ParseContentRange;

TEST(ContentRange, ParsesWellFormedRanges) {
    struct Case {
        const char* text;
        int64_t first, last, total;
    } cases[] = {
        {"bytes 100-999/1000", 100, 999, 1000},
        {"bytes 0-0/1", 0, 0, 1},
        {"  Bytes 5-9/*\r\n", 5, 9, -1},
        {"BYTES 4294967296-8589934591/8589934592", 4294967296LL, 8589934591LL, 8589934592LL},
    };
    for (const auto& c : cases) {
        auto r = ParseContentRange(c.text);
        ASSERT_TRUE(r.has_value()) << c.text;
        EXPECT_EQ(r->first, c.first) << c.text;
        EXPECT_EQ(r->last, c.last) << c.text;
        EXPECT_EQ(r->total, c.total) << c.text;
    }
}

TEST(ContentRange, RejectsMalformedOrInconsistentRanges) {
    const char* bad[] = {
        "",
        "bytes",
        "bytes */1000",
        "items 0-9/10",
        "bytes0-9/10",
        "bytes 9-0/10",
        "bytes 0-10/10",
        "bytes -1-9/10",
        "bytes 0-9/",
        "bytes 0-9",
        "bytes 0-9/10x",
        "bytes 0x1-9/10",
        "bytes 0-99999999999999999999/*",
        "bytes 1-2-3/10",
    };
    for (const char* text : bad) EXPECT_FALSE(ParseContentRange(text).has_value()) << text;
}
