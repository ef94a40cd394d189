#include "os/IconvConverter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "驱动" in code page 936.
const std::string kDriverChs = "\xC7\xFD\xB6\xAF";
const std::string kReplacement(os::WideBytes(L"\uFFFD"));

std::wstring Lossy(const std::string& bytes, const char* from = "CP936") {
    return os::WideFromBytes(os::IconvConverter("WCHAR_T", from).ConvertLossy(bytes, kReplacement));
}

// Far more output than one pass of the converter holds, whole both ways.
TEST(IconvConverter, LongTextConvertsWhole) {
    std::string chs;
    std::wstring wide;
    for (int i = 0; i < 3000; ++i) {
        chs += kDriverChs + "a";
        wide += L"驱动a";
    }
    const std::optional<std::string> toWide = os::IconvConverter("WCHAR_T", "CP936").Convert(chs);
    ASSERT_TRUE(toWide);
    EXPECT_EQ(os::WideFromBytes(*toWide), wide);
    EXPECT_EQ(os::IconvConverter("CP936", "WCHAR_T").Convert(os::WideBytes(wide)), chs);
    EXPECT_EQ(Lossy(chs), wide);
}

TEST(IconvConverter, StrictRefusesWhatLossyReplaces) {
    const struct {
        std::string bytes;
        std::wstring lossy;
    } cases[] = {
        {"a\xC7\n", L"a\uFFFD\n"},             // a lead byte without its trail byte
        {"ab\xC7", L"ab\uFFFD"},               // a lead byte cut off at the end
        {"\xFF" + kDriverChs, L"\uFFFD驱动"},  // a byte that starts no character
        {std::string(2000, 'x') + "\xFF", std::wstring(2000, L'x') + L"\uFFFD"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(os::IconvConverter("WCHAR_T", "CP936").Convert(c.bytes), std::nullopt) << c.bytes;
        EXPECT_EQ(Lossy(c.bytes), c.lossy) << c.bytes;
    }
}

TEST(IconvConverter, AnUnknownEncodingConvertsNothing) {
    os::IconvConverter unknown("WCHAR_T", "NO-SUCH-ENCODING");
    EXPECT_FALSE(unknown.Valid());
    EXPECT_EQ(unknown.Convert("abc"), std::nullopt);
    EXPECT_EQ(Lossy("abc", "NO-SUCH-ENCODING"), L"\uFFFD\uFFFD\uFFFD");
}

}  // namespace
