#include "os/ServiceAddress.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(ServiceAddress, EnvironmentIsReadOnceAtTheFirstCall) {
    ASSERT_EQ(setenv(os::kServiceUrlVariable, "https://127.0.0.1:4443", 1), 0);
    EXPECT_EQ(os::ServiceBaseUrl("https://compiled.default"), "https://127.0.0.1:4443");
    ASSERT_EQ(setenv(os::kServiceUrlVariable, "https://elsewhere.example", 1), 0);
    EXPECT_EQ(os::ServiceBaseUrl("https://compiled.default"), "https://127.0.0.1:4443");
    ASSERT_EQ(unsetenv(os::kServiceUrlVariable), 0);
    EXPECT_EQ(os::ServiceBaseUrl("https://other.default"), "https://127.0.0.1:4443");
}
