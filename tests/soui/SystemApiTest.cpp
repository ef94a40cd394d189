#include <gtest/gtest.h>

#include <string>

#include "soui/SystemApi.h"

namespace souitest {
namespace {

using namespace SOUI;

TEST(SystemApi, StrToIntExReadsTheLeadingNumber) {
    struct Case {
        const wchar_t* text;
        DWORD flags;
        BOOL parsed;
        int value;
    };
    const Case cases[] = {
        {L"120", STIF_DEFAULT, TRUE, 120},
        {L"  -42", STIF_DEFAULT, TRUE, -42},
        {L"+7", STIF_DEFAULT, TRUE, 7},
        {L"0x10", STIF_SUPPORTHEX, TRUE, 16},
        {L"0XfF", STIF_SUPPORTHEX, TRUE, 255},
        {L"-0x10", STIF_SUPPORTHEX, TRUE, -16},
        {L"0x10", STIF_DEFAULT, TRUE, 0},  // without hex support the number is the 0
        {L"0x", STIF_SUPPORTHEX, TRUE, 0},
        {L"0xg", STIF_SUPPORTHEX, TRUE, 0},
        {L"12px", STIF_DEFAULT, TRUE, 12},
        {L"4294967295", STIF_DEFAULT, TRUE, -1},  // wraps at 32 bits
        {L"0xFFFFFFFF", STIF_SUPPORTHEX, TRUE, -1},
        {L"", STIF_SUPPORTHEX, FALSE, 0},
        {L"abc", STIF_SUPPORTHEX, FALSE, 0},
        {L"-", STIF_SUPPORTHEX, FALSE, 0},
        {L" x1", STIF_SUPPORTHEX, FALSE, 0},
    };
    for (const Case& c : cases) {
        int value = 12345;
        EXPECT_EQ(StrToIntExW(c.text, c.flags, &value), c.parsed) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
    int value = 5;
    EXPECT_FALSE(StrToIntExW(nullptr, STIF_SUPPORTHEX, &value));
    EXPECT_EQ(value, 0);
    EXPECT_FALSE(StrToIntExW(L"1", STIF_DEFAULT, nullptr));
}

TEST(SystemApi, DebugOutputIsOneLineOnStandardError) {
    testing::internal::CaptureStderr();
    OutputDebugStringW(L"列表 \"lv_dropdown\" missing");
    OutputDebugStringW(L"second\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "列表 \"lv_dropdown\" missing\nsecond\n");
}

}  // namespace
}  // namespace souitest
