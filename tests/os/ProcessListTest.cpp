#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "os/ProcessList.h"
#include "tests/support/TempFolder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

TEST(ProcessList, CountsRunningProcessesByExactFileNameAndNotEndedOnes) {
    const pelltest::TempFolder dir("process_list_");
    const std::string name = "PlProbe" + std::to_string(::getpid());
    fs::copy_file("/bin/sleep", dir / name);
    char seconds[] = "30";
    const std::string program = (dir / name).string();
    char* argv[] = {const_cast<char*>(program.c_str()), seconds, nullptr};
    pid_t child = -1;
    ASSERT_EQ(posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environ), 0);

    EXPECT_EQ(os::CountProcessesNamed(name), 1);
    EXPECT_EQ(os::CountProcessesNamed(name.substr(0, name.size() - 1)), 0);
    EXPECT_EQ(os::CountProcessesNamed(name + "x"), 0);

    // Ended but not yet collected: no longer running.
    ::kill(child, SIGKILL);
    for (int i = 0; i < 500 && os::CountProcessesNamed(name) != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(os::CountProcessesNamed(name), 0);
    ::waitpid(child, nullptr, 0);
}

}  // namespace
