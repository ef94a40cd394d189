#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

namespace {

// Names of the defined dynamic symbols of a shared library, read with nm.
std::set<std::string> DefinedDynamicSymbols(const std::string& library) {
    const std::string command = "nm -D --defined-only '" + library + "'";
    FILE* pipe = popen(command.c_str(), "r");
    EXPECT_NE(pipe, nullptr);
    std::set<std::string> names;
    if (pipe == nullptr) return names;
    std::string out;
    char buf[4096];
    while (size_t n = fread(buf, 1, sizeof buf, pipe)) out.append(buf, n);
    EXPECT_EQ(pclose(pipe), 0) << command;
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name) names.insert(name);
    }
    return names;
}

TEST(CorvaneExports, ExactlyTheSixFunctions) {
    const std::set<std::string> expected{"DriverInfo_Init",         "DriverInfo_Free",
                                         "DriverInfo_QueryBy_SN",   "DriverInfo_QueryBy_DevName",
                                         "DriverInfo_QuerySuggest", "DriverInfo_GetNetWorkCondition"};
    EXPECT_EQ(DefinedDynamicSymbols(PELL_CORVANE_PATH), expected);
}

}  // namespace
