#include "soui/SString.h"

#include <gtest/gtest.h>

#include <string>

using SOUI::SStringW;

namespace {

template <typename... Args>
std::wstring Formatted(const wchar_t* format, Args... args) {
    SStringW text;
    EXPECT_TRUE(text.Format(format, args...)) << "format failed";
    return std::wstring(text.c_str(), static_cast<size_t>(text.GetLength()));
}

}  // namespace

TEST(SStringFormat, WindowsPrintfForms) {
    EXPECT_EQ(Formatted(L"%s", L"中文驱动"), L"中文驱动");
    EXPECT_EQ(Formatted(L"[%s|%s]", L"a", L""), L"[a|]");
    EXPECT_EQ(Formatted(L"%5s|%-3s|", L"ab", L"c"), L"   ab|c  |");
    EXPECT_EQ(Formatted(L"%ls", L"explicit"), L"explicit");
    EXPECT_EQ(Formatted(L"%S", "narrow"), L"narrow");
    EXPECT_EQ(Formatted(L"%c%C", L'中', 'x'), L"中x");
    EXPECT_EQ(Formatted(L"%d", -42), L"-42");
    EXPECT_EQ(Formatted(L"%d%%", 57), L"57%");
    EXPECT_EQ(Formatted(L"%.2fKB", 1.5), L"1.50KB");
    EXPECT_EQ(Formatted(L"%.2fMB", static_cast<double>(1023.999f)), L"1024.00MB");
    EXPECT_EQ(Formatted(L"%.0fB/S", 1024.0), L"1024B/S");
    EXPECT_EQ(Formatted(L"%.0fKB/S", 2.5), L"2KB/S");
}

TEST(SStringFormat, LongResultIsWhole) {
    std::wstring longText(100000, L'长');
    EXPECT_EQ(Formatted(L"<%s>", longText.c_str()), L"<" + longText + L">");
}

TEST(SStringFormat, ReplacesPreviousTextAndFailsEmptyOnBadFormat) {
    SStringW text(L"old text");
    ASSERT_TRUE(text.Format(L"%d", 7));
    EXPECT_EQ(text, L"7");
    EXPECT_FALSE(text.Format(L"100%"));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_FALSE(text.Format(nullptr));
}

TEST(SString, LengthEmptinessAndEmbeddedNul) {
    SStringW empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(empty.GetLength(), 0);
    EXPECT_EQ(std::wstring(empty.c_str()), L"");

    SStringW nullText(static_cast<const wchar_t*>(nullptr));
    EXPECT_TRUE(nullText.IsEmpty());

    SStringW withNul(L"ab\0cd", 5);
    EXPECT_EQ(withNul.GetLength(), 5);
    EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(withNul)), L"ab");

    withNul.Empty();
    EXPECT_TRUE(withNul.IsEmpty());
}

TEST(SString, CompareAndConcatenate) {
    SStringW a(L"驱动"), b(L"驱动"), c(L"other");
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a != c);
    EXPECT_TRUE(a == L"驱动");
    EXPECT_TRUE(L"驱动" == a);
    EXPECT_FALSE(a == L"驱");
    EXPECT_TRUE(c < a || a < c);
    EXPECT_EQ(a + c, L"驱动other");
    a += L"!";
    EXPECT_EQ(a, L"驱动!");
}
