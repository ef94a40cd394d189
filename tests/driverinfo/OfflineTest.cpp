#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "driverinfo/DriverInfoApi.h"
#include "os/ServiceAddress.h"
#include "tests/support/LocalService.h"

namespace {

// Corvane pointed at a loopback port where nothing listens.
class CorvaneOffline : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::string url = "https://127.0.0.1:" + std::to_string(pelltest::LocalService::UnusedPort());
        setenv(os::kServiceUrlVariable, url.c_str(), 1);
    }
    void SetUp() override { ASSERT_TRUE(DriverInfo_Init()); }
    void TearDown() override { DriverInfo_Free(); }
};

TEST_F(CorvaneOffline, NetworkCheckIsFalse) {
    EXPECT_FALSE(DriverInfo_GetNetWorkCondition());
}

TEST_F(CorvaneOffline, EveryQueryFailsWithoutTouchingOut) {
    auto* sentinel = reinterpret_cast<void*>(static_cast<uintptr_t>(0x1));
    SearchResult* search = static_cast<SearchResult*>(sentinel);
    DmInfoResult* serial = static_cast<DmInfoResult*>(sentinel);
    TreeNodeResult* names = static_cast<TreeNodeResult*>(sentinel);
    EXPECT_FALSE(DriverInfo_QueryBy_DevName(&search, "Aurex 14 G3", 11, 42));
    EXPECT_FALSE(DriverInfo_QueryBy_SN(&serial, "PF0ABCDE", 8, 42));
    EXPECT_FALSE(DriverInfo_QuerySuggest(&names, "Aurex", 5));
    EXPECT_EQ(static_cast<void*>(search), sentinel);
    EXPECT_EQ(static_cast<void*>(serial), sentinel);
    EXPECT_EQ(static_cast<void*>(names), sentinel);
}

}  // namespace
