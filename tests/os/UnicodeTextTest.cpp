#include "os/UnicodeText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const wchar_t kGrin = static_cast<wchar_t>(0x1F600);

TEST(UnicodeText, EveryFormRoundTripsEveryPlane) {
    // "a/é/驱动/😀" with a NUL inside, which is a character like any other.
    const std::wstring wide = std::wstring(L"a/\u00E9/\u9A71\u52A8/\0", 8) + kGrin;
    const std::string utf8("a/\xC3\xA9/\xE9\xA9\xB1\xE5\x8A\xA8/\0\xF0\x9F\x98\x80", 17);
    const std::u16string utf16(u"a/\u00E9/\u9A71\u52A8/\0\xD83D\xDE00", 10);
    EXPECT_EQ(os::WideToUtf8(wide), utf8);
    EXPECT_EQ(os::Utf8ToWide(utf8), wide);
    EXPECT_EQ(os::WideToUtf16(wide), utf16);
    EXPECT_EQ(os::Utf16ToUtf8(utf16), utf8);
    EXPECT_EQ(os::WideToUtf8Lossy(wide), utf8);
    EXPECT_EQ(os::Utf8ToWideLossy(utf8), wide);
    EXPECT_EQ(os::WideToUtf8(L""), "");
    EXPECT_EQ(os::Utf16ToUtf8(u""), "");
}

TEST(UnicodeText, StrictFormsRefuseWhatIsNoUnicode) {
    for (const std::u16string& bad : {std::u16string(1, 0xD83D),
                                      std::u16string(u"\xDE00"
                                                     u"a"),
                                      std::u16string(u"\xD83D"
                                                     u"a")}) {
        EXPECT_FALSE(os::Utf16ToUtf8(bad).has_value());
    }
    for (wchar_t bad : {static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0xDFFF),
                        static_cast<wchar_t>(0x110000), static_cast<wchar_t>(-1)}) {
        const std::wstring text = L"a" + std::wstring(1, bad);
        EXPECT_FALSE(os::WideToUtf8(text).has_value());
        EXPECT_FALSE(os::WideToUtf16(text).has_value());
        EXPECT_EQ(os::WideToUtf8Lossy(text), "a\xEF\xBF\xBD");
    }
    for (const std::string bad : {"\xFF", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "a\xE4\xBD"}) {
        EXPECT_FALSE(os::Utf8ToWide(bad).has_value()) << bad;
    }
}

TEST(UnicodeText, LossyUtf8PutsOneReplacementPerIllFormedPiece) {
    const std::wstring r(1, static_cast<wchar_t>(0xFFFD));
    const std::vector<std::pair<std::string, std::wstring>> cases{
        {"a\xE4\xBD"
         "b",
         L"a" + r + L"b"},                    // cut three-byte sequence
        {"\xC0\xAF", r + r},                  // overlong
        {"\xED\xA0\x80", r + r + r},          // surrogate
        {"\xF4\x90\x80\x80", r + r + r + r},  // beyond U+10FFFF
    };
    for (const auto& [narrow, wide] : cases) EXPECT_EQ(os::Utf8ToWideLossy(narrow), wide);
}

}  // namespace
