#include "Utf16.h"

#include <gtest/gtest.h>

#include <vector>

using dravolin::Utf16ToUtf8;

TEST(Utf16, ConvertsEveryPlane) {
    // "a/é/驱动/😀"
    std::vector<uint16_t> text = {u'a', u'/', 0x00E9, u'/', 0x9A71, 0x52A8, u'/', 0xD83D, 0xDE00};
    auto out = Utf16ToUtf8(text.data(), text.size());
    ASSERT_TRUE(out.has_value());
    EXPECT_EQ(*out, "a/\xC3\xA9/\xE9\xA9\xB1\xE5\x8A\xA8/\xF0\x9F\x98\x80");
}

TEST(Utf16, RejectsUnpairedSurrogates) {
    std::vector<std::vector<uint16_t>> bad = {{0xD83D}, {0xDE00, u'a'}, {0xD83D, u'a'}};
    for (const auto& text : bad) EXPECT_FALSE(Utf16ToUtf8(text.data(), text.size()).has_value());
}
