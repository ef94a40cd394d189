// Two copies of the program at once. While both run, any other window of the
// program on this machine would take itself for a second copy too, so this
// test runs alone.
#include <gtest/gtest.h>

#include "ProgramRun.h"
#include "tests/support/LocalService.h"

namespace apptest {
namespace {

using SecondCopy = ProgramTest;

TEST_F(SecondCopy, OnlySaysSoAndAsksTheServiceNothing) {
    ProgramFolder folder;
    ProgramRun first(folder, Env());
    ASSERT_TRUE(WaitUntil([&] { return Initialised() && !service.Log("/").empty(); })) << first.Output();
    service.ResetLog();

    ProgramRun second(folder, Env());
    EXPECT_EQ(second.WaitForExit(), 0) << second.Output();
    EXPECT_EQ(second.MessageBoxes(), std::vector<std::string>{"程序已经在运行！"});
    EXPECT_TRUE(service.Log().empty());
    EXPECT_TRUE(first.Running());

    first.RequestClose();
    EXPECT_EQ(first.WaitForExit(), 0) << first.Output();
}
}  // namespace
}  // namespace apptest
