#include "os/CodePage.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "os/LastError.h"

namespace {

using os::CodePage;

constexpr CodePage kAllPages[] = {CodePage::Ansi, CodePage::Oem, CodePage::Utf8};

std::wstring ToWide(CodePage page, const std::string& bytes) {
    const int size = os::NarrowToWide(page, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    EXPECT_GT(size, 0);
    std::wstring out(static_cast<size_t>(size), L'?');
    EXPECT_EQ(os::NarrowToWide(page, bytes.data(), static_cast<int>(bytes.size()), out.data(), size), size);
    return out;
}

std::string ToNarrow(CodePage page, const std::wstring& text) {
    const int size = os::WideToNarrow(page, text.data(), static_cast<int>(text.size()), nullptr, 0);
    EXPECT_GT(size, 0);
    std::string out(static_cast<size_t>(size), '?');
    EXPECT_EQ(os::WideToNarrow(page, text.data(), static_cast<int>(text.size()), out.data(), size), size);
    return out;
}

TEST(CodePage, EveryNarrowPageIsUtf8BothWays) {
    const std::vector<std::pair<std::string, std::wstring>> cases{
        {"abc", L"abc"},
        {"Zorvik驱动专用[重要]", L"Zorvik驱动专用[重要]"},
        {"\xF0\x9F\x98\x80", std::wstring(1, static_cast<wchar_t>(0x1F600))},
        {"\xC3\xA9\x7F", L"\u00E9\x7F"},
    };
    for (CodePage page : kAllPages) {
        for (const auto& [narrow, wide] : cases) {
            EXPECT_EQ(ToWide(page, narrow), wide) << narrow;
            EXPECT_EQ(ToNarrow(page, wide), narrow) << narrow;
        }
    }
}

TEST(CodePage, LengthMinusOneCountsUpToAndWithTheFirstNul) {
    const char narrow[] = "ab\0cd";
    EXPECT_EQ(os::NarrowToWide(CodePage::Utf8, narrow, -1, nullptr, 0), 3);
    EXPECT_EQ(os::NarrowToWide(CodePage::Utf8, narrow, 5, nullptr, 0), 5);
    wchar_t wide[4] = {L'x', L'x', L'x', L'x'};
    ASSERT_EQ(os::NarrowToWide(CodePage::Utf8, narrow, -1, wide, 4), 3);
    EXPECT_EQ(std::wstring(wide, 3), std::wstring(L"ab\0", 3));
    EXPECT_EQ(wide[3], L'x') << "nothing past the count is written";
    EXPECT_EQ(os::WideToNarrow(CodePage::Oem, L"", -1, nullptr, 0), 1);
    EXPECT_EQ(os::WideToNarrow(CodePage::Oem, L"\u4E2D", -1, nullptr, 0), 4);
}

TEST(CodePage, IllFormedUtf8BecomesReplacementCharacters) {
    const std::wstring r(1, static_cast<wchar_t>(0xFFFD));
    const std::vector<std::pair<std::string, std::wstring>> cases{
        {"\xFF", r},
        {"a\xE4\xBD"
         "b",
         L"a" + r + L"b"},                    // cut three-byte sequence: one replacement
        {"\xC0\xAF", r + r},                  // overlong
        {"\xED\xA0\x80", r + r + r},          // surrogate
        {"\xF4\x90\x80\x80", r + r + r + r},  // beyond U+10FFFF
        {"\xE4\xBD", r},                      // cut at the end
    };
    for (const auto& [narrow, wide] : cases) EXPECT_EQ(ToWide(CodePage::Ansi, narrow), wide);
}

TEST(CodePage, WideValuesOutsideUnicodeBecomeReplacementCharacters) {
    for (wchar_t bad : {static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0xDFFF),
                        static_cast<wchar_t>(0x110000), static_cast<wchar_t>(-1)}) {
        EXPECT_EQ(ToNarrow(CodePage::Utf8, std::wstring(1, bad)), "\xEF\xBF\xBD");
    }
}

TEST(CodePage, NarrowToNarrowGivesWhatTheWideStepsGive) {
    const std::vector<std::string> cases{
        "Zorvik驱动专用[重要]",
        "\xF0\x9F\x98\x80",
        "a\xE4\xBD"
        "b",
        "\xC0\xAF",
        "\xED\xA0\x80",
        "\xF4\x90\x80\x80",
        "\xE4\xBD",
        std::string("ab\0c\xFF", 5),
    };
    for (const std::string& bytes : cases) {
        const std::string twoSteps = ToNarrow(CodePage::Oem, ToWide(CodePage::Utf8, bytes));
        const int len = static_cast<int>(bytes.size());
        const int size = os::NarrowToNarrow(CodePage::Utf8, CodePage::Oem, bytes.data(), len, nullptr, 0);
        ASSERT_EQ(size, static_cast<int>(twoSteps.size())) << bytes;
        std::string out(static_cast<size_t>(size) + 1, '?');
        ASSERT_EQ(os::NarrowToNarrow(CodePage::Utf8, CodePage::Oem, bytes.data(), len, out.data(), size),
                  size);
        EXPECT_EQ(out, twoSteps + "?") << "nothing past the count is written";
    }
    char narrow[3];
    EXPECT_EQ(os::NarrowToNarrow(CodePage::Utf8, CodePage::Oem, "a\xFF", -1, narrow, 3), 0);
    EXPECT_EQ(os::LastError(), os::kErrorInsufficientBuffer) << "U+FFFD takes three bytes, the NUL one";
    EXPECT_EQ(os::NarrowToNarrow(CodePage::Utf8, static_cast<CodePage>(936), "a", -1, nullptr, 0), 0);
    EXPECT_EQ(os::LastError(), os::kErrorInvalidParameter);
}

TEST(CodePage, FailuresReturnZeroAndSetTheLastError) {
    wchar_t wide[2];
    char narrow[2];
    struct Case {
        const char* what;
        std::function<int()> call;
        unsigned long error;
    };
    const Case cases[] = {
        {"empty source", [] { return os::NarrowToWide(CodePage::Utf8, "x", 0, nullptr, 0); },
         os::kErrorInvalidParameter},
        {"null source", [] { return os::NarrowToWide(CodePage::Utf8, nullptr, -1, nullptr, 0); },
         os::kErrorInvalidParameter},
        {"unknown page", [] { return os::NarrowToWide(static_cast<CodePage>(936), "x", -1, nullptr, 0); },
         os::kErrorInvalidParameter},
        {"null buffer with room", [] { return os::NarrowToWide(CodePage::Utf8, "x", -1, nullptr, 2); },
         os::kErrorInvalidParameter},
        {"negative length", [] { return os::WideToNarrow(CodePage::Oem, L"a", -2, nullptr, 0); },
         os::kErrorInvalidParameter},
        {"short buffer", [&] { return os::NarrowToWide(CodePage::Utf8, "abc", -1, wide, 2); },
         os::kErrorInsufficientBuffer},
        {"short narrow buffer", [&] { return os::WideToNarrow(CodePage::Oem, L"\u4E2D", -1, narrow, 2); },
         os::kErrorInsufficientBuffer},
    };
    for (const Case& c : cases) {
        os::SetLastError(os::kErrorSuccess);
        EXPECT_EQ(c.call(), 0) << c.what;
        EXPECT_EQ(os::LastError(), c.error) << c.what;
    }
}

}  // namespace
