#include "os/CodePage936.h"

#include <gtest/gtest.h>

#include <atomic>
#include <clocale>
#include <string>
#include <thread>

namespace {

// "驱动程序" in code page 936.
const std::string kDriverChs = "\xC7\xFD\xB6\xAF\xB3\xCC\xD0\xF2";

TEST(CodePage936, ConvertsBothWays) {
    EXPECT_EQ(os::WideToCodePage936(L"驱动程序"), kDriverChs);
    EXPECT_EQ(os::WideToCodePage936(L"dGVzdA=="), "dGVzdA==");
    EXPECT_EQ(os::WideToCodePage936(L""), "");
    EXPECT_EQ(os::WideToCodePage936(L"€"), "\x80");
    EXPECT_EQ(os::CodePage936ToWide(kDriverChs), L"驱动程序");
    EXPECT_EQ(os::CodePage936ToWide("abc"), L"abc");
}

TEST(CodePage936, RefusesWhatItCannotConvert) {
    EXPECT_EQ(os::WideToCodePage936(L"ok \U0001F600"), std::nullopt);
    EXPECT_EQ(os::CodePage936ToWide("\xC7"), std::nullopt);      // a lead byte cut off
    EXPECT_EQ(os::CodePage936ToWide("\xC7\x0A"), std::nullopt);  // no trail byte
}

// The conversion must not switch the process's locale, not even for a
// moment: other threads run while it does.
TEST(CodePage936, LeavesTheProcessLocaleAlone) {
    ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
    const std::string before = std::setlocale(LC_ALL, nullptr);
    std::atomic<bool> stop{false};
    std::atomic<int> changes{0};
    std::thread watcher([&] {
        while (!stop)
            if (before != std::setlocale(LC_ALL, nullptr)) ++changes;
    });
    for (int i = 0; i < 2000; ++i) ASSERT_EQ(os::WideToCodePage936(L"驱动程序"), kDriverChs);
    stop = true;
    watcher.join();
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(std::setlocale(LC_ALL, nullptr), before);
}

}  // namespace
