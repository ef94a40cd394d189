#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>

#include "datacollection/CmdCommandOp.h"
#include "tests/support/TempFolder.h"

using namespace tessaly;

namespace {

// What the reader thread hands to the callback, for the test thread to read.
struct CollectedOutput {
    std::mutex mutex;
    std::string text;
    int user = 0;
};
CollectedOutput g_output;

void Collect(const char* data, int length, int user) {
    std::lock_guard<std::mutex> lock(g_output.mutex);
    g_output.text.append(data, static_cast<size_t>(length));
    g_output.user = user;
}

std::string Collected() {
    std::lock_guard<std::mutex> lock(g_output.mutex);
    return g_output.text;
}

template <typename Condition>
bool WaitUntil(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// True once the process has ended (a zombie that nobody collected counts).
bool Ended(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return true;
    const size_t name = line.rfind(')');
    return name != std::string::npos && line.compare(name, 3, ") Z") == 0;
}

bool RunCommand(CCmdCommandOp* runner, const std::string& command) {
    return RunCmdCommand(runner, command.data(), static_cast<int>(command.size()));
}

class CmdCommandOpTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::lock_guard<std::mutex> lock(g_output.mutex);
        g_output.text.clear();
        g_output.user = 0;
    }
};

}  // namespace

TEST_F(CmdCommandOpTest, CollectsStandardOutputAndErrorOnTheReader) {
    CCmdCommandOp* runner = CreateCmdCommandOp();
    ASSERT_NE(runner, nullptr);
    ASSERT_TRUE(SetCmdOutputCallback(runner, &Collect, 7));
    ASSERT_TRUE(RunCommand(runner, "printf 'to out;'; printf 'to err;' >&2; sleep 0.2; printf 'later'"));
    EXPECT_TRUE(WaitUntil([] { return Collected().find("later") != std::string::npos; })) << Collected();
    EXPECT_NE(Collected().find("to out;"), std::string::npos);
    EXPECT_NE(Collected().find("to err;"), std::string::npos);
    EXPECT_TRUE(DestroyCmdCommandOp(runner));
    std::lock_guard<std::mutex> lock(g_output.mutex);
    EXPECT_EQ(g_output.user, 7);
}

TEST_F(CmdCommandOpTest, OneRunnerPerProcess) {
    CCmdCommandOp* runner = CreateCmdCommandOp();
    ASSERT_NE(runner, nullptr);
    EXPECT_EQ(CreateCmdCommandOp(), nullptr);
    EXPECT_TRUE(DestroyCmdCommandOp(runner));
    EXPECT_FALSE(DestroyCmdCommandOp(runner));

    EXPECT_FALSE(DestroyCmdCommandOp(nullptr));
    EXPECT_FALSE(RunCmdCommand(nullptr, "true", 4));
    EXPECT_FALSE(SetCmdOutputCallback(nullptr, &Collect, 0));
    EXPECT_FALSE(RunCmdCommand(runner, "true", 4));  // no runner exists any more
    EXPECT_FALSE(SetCmdOutputCallback(runner, &Collect, 0));

    CCmdCommandOp* again = CreateCmdCommandOp();
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(DestroyCmdCommandOp(again));
}

TEST_F(CmdCommandOpTest, StopsAChildThatIsStillRunningAndWhatItStarted) {
    const pelltest::TempFolder folder("cmd_child_");
    const std::string pidFile = (folder / "pid").string();
    CCmdCommandOp* runner = CreateCmdCommandOp();
    ASSERT_NE(runner, nullptr);
    SetCmdOutputCallback(runner, &Collect, 0);
    // The shell starts a grandchild that would hold the pipe open for a minute.
    ASSERT_TRUE(RunCommand(runner, "sleep 60 & echo $! > " + pidFile + "; echo started; wait"));
    ASSERT_TRUE(WaitUntil([] { return Collected().find("started") != std::string::npos; }));
    pid_t grandchild = 0;
    std::ifstream(pidFile) >> grandchild;
    ASSERT_GT(grandchild, 0);

    EXPECT_TRUE(DestroyCmdCommandOp(runner));
    EXPECT_TRUE(WaitUntil([grandchild] { return Ended(grandchild); }));
}

TEST_F(CmdCommandOpTest, RefusesACommandLongerThanTheCommandLine) {
    CCmdCommandOp* runner = CreateCmdCommandOp();
    ASSERT_NE(runner, nullptr);
    SetCmdOutputCallback(runner, &Collect, 0);
    const std::string longest = "echo " + std::string(CCmdCommandOp::kMaxCommandLength - 5, 'a');
    const std::string tooLong = longest + "a";
    EXPECT_TRUE(RunCommand(runner, tooLong));  // runs nothing
    EXPECT_TRUE(RunCommand(runner, longest));
    EXPECT_TRUE(WaitUntil([] { return Collected().size() == CCmdCommandOp::kMaxCommandLength - 5 + 1; }))
        << Collected().size();
    EXPECT_EQ(Collected().find("aa\n"), CCmdCommandOp::kMaxCommandLength - 5 - 2u);
    EXPECT_TRUE(DestroyCmdCommandOp(runner));
}

TEST_F(CmdCommandOpTest, ARunnerWithoutACommandStopsCleanly) {
    CCmdCommandOp* runner = CreateCmdCommandOp();
    ASSERT_NE(runner, nullptr);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(DestroyCmdCommandOp(runner));
    EXPECT_EQ(Collected(), "");
}
