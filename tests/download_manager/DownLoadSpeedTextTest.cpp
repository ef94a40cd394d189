#include <gtest/gtest.h>

#include "download/DownLoadSpeedText.h"

TEST(DownLoadSpeedText, WholeUnitsSteppingUpAbove1024) {
    struct Case {
        float speed;
        const wchar_t* text;
    } cases[] = {
        {0.0f, L"0B/S"},        {-3.0f, L"0B/S"},       {512.4f, L"512B/S"}, {1023.6f, L"1024B/S"},
        {1024.0f, L"1024B/S"},  {2048.0f, L"2KB/S"},    {1536.0f, L"2KB/S"}, {1048576.0f, L"1024KB/S"},
        {1049600.0f, L"1MB/S"}, {3145728.0f, L"3MB/S"}, {5e9f, L"4768MB/S"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatDownLoadSpeed(c.speed), c.text) << c.speed;
}
