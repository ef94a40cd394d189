#include "download/StringConverter.h"

#include <gtest/gtest.h>

#include <string>

TEST(StringConverter, ChineseTextRoundTrips) {
    const std::wstring texts[] = {L"", L"/home/用户/驱动下载", L"D:\\驱动\\Aurex 14 G3\\Windows 11 64位",
                                  L"ascii only"};
    for (const std::wstring& text : texts) {
        const std::string narrow = g_stringConverter.WideToMultiByte(text);
        EXPECT_EQ(g_stringConverter.MultiByteToWide(narrow), text);
        EXPECT_EQ(g_stringConverter.FromSStringW(g_stringConverter.ToSStringW(narrow)), narrow);
    }
    EXPECT_EQ(g_stringConverter.WideToMultiByte(L"芯片组"), "芯片组");
}

TEST(StringConverter, UnmappableCharactersAreReplacedWithoutThrowing) {
    const std::wstring withSurrogate = std::wstring(L"a") + static_cast<wchar_t>(0xD800) + L"b";
    EXPECT_EQ(g_stringConverter.WideToMultiByte(withSurrogate),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(g_stringConverter.MultiByteToWide("a\xFF"
                                                "b"),
              L"a\xFFFD"
              L"b");
}

TEST(StringConverter, TextStopsAtTheFirstNul) {
    EXPECT_EQ(g_stringConverter.FromSStringW(SOUI::SStringW(L"前\0后", 3)), "前");
    EXPECT_EQ(g_stringConverter.MultiByteToWide(std::string("ab\0cd", 5)), L"ab");
    EXPECT_EQ(g_stringConverter.WideToMultiByte(std::wstring(L"ab\0cd", 5)), "ab");
    const SOUI::SStringW framework = g_stringConverter.ToSStringW(std::string("驱动\0x", 8));
    EXPECT_EQ(framework, L"驱动");
}
