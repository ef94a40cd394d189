#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

// The engine library exports its six calls and nothing else.
TEST(DravolinExports, ExactlyTheSixCalls) {
    std::string command = "nm -D --defined-only --format=posix '" DRAVOLIN_LIBRARY "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> names;
    char line[512];
    while (std::fgets(line, sizeof line, pipe)) {
        std::string text(line);
        names.insert(text.substr(0, text.find(' ')));
    }
    ASSERT_EQ(::pclose(pipe), 0);
    std::set<std::string> expected = {
        "DriverDownLoad_Init", "DriverDownLoad_DataCallBack_Log", "DriverDownLoad_ErrorCallBack_Log",
        "DriverDownLoad_Open", "DriverDownLoad_Cancel",           "DriverDownLoad_Free",
    };
    EXPECT_EQ(names, expected);
}
