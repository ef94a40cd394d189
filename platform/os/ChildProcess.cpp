#include "os/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace os {

namespace {

void CloseFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

// Runs `command` under the shell with both output streams on `outputFd`.
pid_t SpawnShell(const std::string& command, int outputFd, int readFd) {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    if (posix_spawn_file_actions_init(&actions) != 0) return -1;
    if (posix_spawnattr_init(&attributes) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return -1;
    }
    posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, outputFd, STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, readFd);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);

    char shell[] = "/bin/sh";
    char flag[] = "-c";
    std::string text = command;
    char* argv[] = {shell, flag, text.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, shell, &actions, &attributes, argv, environ) != 0) pid = -1;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

}  // namespace

ChildProcess::~ChildProcess() {
    End();
    CloseFd(outputFd_);
    CloseFd(wakeFds_[0]);
    CloseFd(wakeFds_[1]);
}

bool ChildProcess::StartShell(const std::string& command) {
    if (pid_ > 0 || outputFd_ >= 0) return false;
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) return false;
    if (::pipe2(wakeFds_, O_CLOEXEC) != 0) {
        wakeFds_[0] = wakeFds_[1] = -1;
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        return false;
    }
    const pid_t pid = SpawnShell(command, pipeFds[1], pipeFds[0]);
    // Only the child keeps the write end, so the read ends when it is done.
    ::close(pipeFds[1]);
    if (pid <= 0) {
        ::close(pipeFds[0]);
        CloseFd(wakeFds_[0]);
        CloseFd(wakeFds_[1]);
        return false;
    }
    outputFd_ = pipeFds[0];
    pid_ = pid;
    return true;
}

long ChildProcess::ReadOutput(char* buffer, size_t capacity) {
    if (outputFd_ < 0 || closed_.load(std::memory_order_acquire)) return -1;
    pollfd fds[2] = {{outputFd_, POLLIN, 0}, {wakeFds_[0], POLLIN, 0}};
    for (;;) {
        const int ready = ::poll(fds, 2, -1);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0 || fds[1].revents != 0 || closed_.load(std::memory_order_acquire)) return -1;
        const ssize_t count = ::read(outputFd_, buffer, capacity);
        if (count < 0 && errno == EINTR) continue;
        return count > 0 ? static_cast<long>(count) : -1;
    }
}

void ChildProcess::CloseOutput() {
    if (closed_.exchange(true, std::memory_order_acq_rel)) return;
    if (wakeFds_[1] >= 0) {
        const char wake = 1;
        while (::write(wakeFds_[1], &wake, 1) < 0 && errno == EINTR) {
        }
    }
}

bool ChildProcess::End() {
    if (pid_ <= 0) return false;
    // The child is not collected before this point, so its id and group
    // cannot have been reused.
    ::kill(-pid_, SIGKILL);
    while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    return true;
}

}  // namespace os
