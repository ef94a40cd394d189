#include "VirtualDisplay.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "soui/STestApi.h"

extern char** environ;

namespace x11test {

namespace fs = std::filesystem;

namespace {

// Generous: a loaded machine starts the server slowly, but never forever.
constexpr int kStartLimitMs = 30000;
constexpr auto kStopLimit = std::chrono::seconds(10);

std::string TempFile(const std::string& prefix) {
    std::string pattern = (fs::temp_directory_path() / (prefix + "XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) throw std::runtime_error("cannot make a temporary file");
    ::close(fd);
    return pattern;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Ends a child: SIGTERM, then SIGKILL when it lingers.
void Stop(pid_t pid) {
    ::kill(pid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + kStopLimit;
    while (::waitpid(pid, nullptr, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// Reads the display number the server writes once it takes connections.
std::string ReadDisplayNumber(int fd) {
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartLimitMs);
    while (number.empty() || number.back() != '\n') {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return {};
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return {};
        char c = 0;
        if (::read(fd, &c, 1) != 1) return {};  // the server ended before it was ready
        number += c;
    }
    number.pop_back();
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) return {};
    return number;
}

}  // namespace

std::string FindProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path != nullptr ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        if (dir.empty()) continue;
        const fs::path candidate = fs::path(dir) / name;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
    }
    return {};
}

VirtualDisplay::VirtualDisplay(int width, int height) : logFile_(TempFile("pellucor_xvfb_")) {
    const std::string server = FindProgram("Xvfb");
    if (server.empty())
        throw std::runtime_error("Xvfb is not installed (Debian package xvfb, see scripts/install-deps.sh)");
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe for Xvfb");

    // Everything the child needs is made before fork: after it, only
    // async-signal-safe calls.
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    const std::string fdText = std::to_string(pipeFds[1]);
    std::vector<std::string> args = {server, "-displayfd", fdText,      "-screen",
                                     "0",    screen,       "-nolisten", "tcp"};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const pid_t parent = ::getpid();

    pid_ = ::fork();
    if (pid_ < 0) {
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        throw std::runtime_error("cannot start Xvfb");
    }
    if (pid_ == 0) {
        // The server ends with the test process, even one that crashed.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent) ::_exit(127);
        ::fcntl(pipeFds[1], F_SETFD, 0);  // the server writes its number here
        const int log = ::open(logFile_.c_str(), O_WRONLY | O_TRUNC);
        if (log >= 0) {
            ::dup2(log, 1);
            ::dup2(log, 2);
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    const std::string number = ReadDisplayNumber(pipeFds[0]);
    ::close(pipeFds[0]);
    if (number.empty()) {
        Stop(pid_);
        pid_ = -1;
        throw std::runtime_error("Xvfb did not come up within " + std::to_string(kStartLimitMs / 1000) +
                                 " s: " + ReadText(logFile_));
    }
    name_ = ":" + number;
}

VirtualDisplay::~VirtualDisplay() {
    if (pid_ > 0) Stop(pid_);
    std::error_code ignored;
    fs::remove(logFile_, ignored);
}

ToolRun RunTool(const std::vector<std::string>& argv, std::chrono::seconds limit) {
    ToolRun run;
    if (argv.empty()) return run;
    const std::string program = FindProgram(argv[0]);
    if (program.empty()) {
        run.output = argv[0] + " is not installed (see scripts/install-deps.sh)";
        return run;
    }
    const std::string outputFile = TempFile("pellucor_tool_");
    std::vector<std::string> args = argv;
    args[0] = program;
    std::vector<char*> cargs;
    for (std::string& arg : args) cargs.push_back(arg.data());
    cargs.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), O_WRONLY | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = -1;
    const int rc = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, cargs.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        run.output = "cannot start " + program;
        fs::remove(outputFile);
        return run;
    }
    // The window keeps handling its events while the tool works on it.
    int status = 0;
    const bool ended = SOUI::test::PumpUntil([&] { return ::waitpid(pid, &status, WNOHANG) == pid; }, limit);
    if (!ended) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        run.output = "did not end within " + std::to_string(limit.count()) + " s; ";
    } else if (WIFEXITED(status)) {
        run.exitCode = WEXITSTATUS(status);
    }
    run.output += ReadText(outputFile);
    std::error_code ignored;
    fs::remove(outputFile, ignored);
    return run;
}

}  // namespace x11test
