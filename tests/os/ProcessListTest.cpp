#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
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

TEST(ProcessList, AForkOfARunningProcessIsNoCopyOfItsOwn) {
    const pelltest::TempFolder dir("process_list_");
    const std::string name = "PlFork" + std::to_string(::getpid());
    fs::copy_file("/bin/sh", dir / name);
    const std::string program = (dir / name).string();
    // The subshell is a fork of the shell that never starts another program.
    char script[] = "(while :; do sleep 1; done) & wait";
    char option[] = "-c";
    char* argv[] = {const_cast<char*>(program.c_str()), option, script, nullptr};
    // In a group of its own, so that the subshell goes with it.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t child = -1;
    ASSERT_EQ(posix_spawn(&child, program.c_str(), nullptr, &attributes, argv, environ), 0);
    posix_spawnattr_destroy(&attributes);
    // The shell's children, once the subshell is there.
    const std::string children =
        "/proc/" + std::to_string(child) + "/task/" + std::to_string(child) + "/children";
    std::string forked;
    for (int i = 0; i < 500 && forked.empty(); ++i) {
        std::ifstream list(children);
        std::getline(list, forked);
        if (forked.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_FALSE(forked.empty()) << "the subshell did not start";
    EXPECT_EQ(os::CountProcessesNamed(name), 1);
    ::kill(-child, SIGKILL);
    ::waitpid(child, nullptr, 0);
}

}  // namespace
