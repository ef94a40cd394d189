#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "PackTestSupport.h"

TEST(FendrelExports, DynamicSymbolTableHoldsExactlyTheSixCalls) {
    std::string listing;
    ASSERT_EQ(packtest::RunProgram({"nm", "-D", "--defined-only", FENDREL_LIBRARY_FILE}, &listing), 0);
    std::set<std::string> exported;
    std::istringstream lines(listing);
    std::string address, type, name;
    while (lines >> address >> type >> name) exported.insert(name);
    const std::set<std::string> expected{"InitDllRes",
                                         "SetFileToIsoProgressCallBack",
                                         "SetFileToIsoErrorCallBack",
                                         "StartPackageFileToIsoThread",
                                         "StopPackageIso",
                                         "ReleaseFileToIsoDllRes"};
    EXPECT_EQ(exported, expected);
}
