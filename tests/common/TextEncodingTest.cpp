#include "common/TextEncoding.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "common/TextEncodingFailure.h"
#include "os/LastError.h"

namespace {

TEST(TextEncoding, AllSixDirectionsConvertAndRoundTrip) {
    const std::string utf8 = "Zorvik驱动专用[重要] \xF0\x9F\x98\x80";
    const std::wstring wide = L"Zorvik驱动专用[重要] " + std::wstring(1, static_cast<wchar_t>(0x1F600));
    EXPECT_EQ(Utf8ToWide(utf8), wide);
    EXPECT_EQ(AnsiToWide(utf8), wide);
    EXPECT_EQ(WideToUtf8(wide), utf8);
    EXPECT_EQ(WideToOem(wide), utf8);
    EXPECT_EQ(Utf8ToOem(utf8), utf8);
    EXPECT_EQ(AnsiToUtf8(utf8), utf8);
}

TEST(TextEncoding, EmptySourceGivesEmptyResultEverywhere) {
    EXPECT_EQ(Utf8ToWide(""), L"");
    EXPECT_EQ(AnsiToWide(""), L"");
    EXPECT_EQ(WideToUtf8(L""), "");
    EXPECT_EQ(WideToOem(L""), "");
    EXPECT_EQ(Utf8ToOem(""), "");
    EXPECT_EQ(AnsiToUtf8(""), "");
}

TEST(TextEncoding, NulInTheMiddleEndsTheText) {
    EXPECT_EQ(Utf8ToWide(std::string("ab\0cd", 5)), L"ab");
    EXPECT_EQ(WideToOem(std::wstring(L"ab\0cd", 5)), "ab");
    EXPECT_EQ(AnsiToUtf8(std::string("中\0文", 7)), "中");
}

TEST(TextEncoding, UntranslatableBytesAreSubstitutedNotThrown) {
    EXPECT_EQ(Utf8ToOem("a\xFF"
                        "b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(WideToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
}

TEST(TextEncoding, SizePassFailureNamesTheReason) {
    struct Case {
        unsigned long lastError;
        bool mayBeUntranslatable;
        const char* message;
    };
    for (const Case& c : {Case{os::kErrorNoUnicodeTranslation, true, "Invalid UTF-8 sequence."},
                          Case{os::kErrorInvalidParameter, true, "Error in conversion."},
                          Case{os::kErrorNoUnicodeTranslation, false, "Error in conversion."}}) {
        try {
            ThrowSizePassFailure(c.lastError, c.mayBeUntranslatable);
            ADD_FAILURE() << "no exception";
        } catch (const std::exception& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
    EXPECT_STREQ(kCountMismatchMessage, "La falla!");
}

}  // namespace
