#include "os/ModulePath.h"

#include <gtest/gtest.h>

TEST(ModulePath, ExecutableDirIsPrefixOfPathAndEndsInSeparator) {
    std::wstring path = os::ExecutablePath();
    std::wstring dir = os::ExecutableDir();
    ASSERT_FALSE(path.empty());
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), os::kPathSeparator);
    EXPECT_EQ(path.compare(0, dir.size(), dir), 0);
    EXPECT_EQ(path.substr(dir.size()), L"os_tests");
}
