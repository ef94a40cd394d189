#pragma once
#include <atomic>

#include "common/EventThread.h"
#include "os/ChildProcess.h"

namespace tessaly {

// Runs one shell command in a child process and hands its output (standard
// output and standard error together) chunk by chunk to a callback, read on
// a worker thread of its own.
class CCmdCommandOp {
public:
    using OutputCallback = void (*)(const char* data, int length, int user);

    // Longest command: the Windows command line held 4096 bytes with the
    // seven-byte shell prefix and the terminating zero.
    static constexpr int kMaxCommandLength = 4088;

    CCmdCommandOp() = default;
    // Wakes a reader blocked on the pipe so that the reader's stop can finish.
    virtual ~CCmdCommandOp() { child_.CloseOutput(); }
    CCmdCommandOp(const CCmdCommandOp&) = delete;
    CCmdCommandOp& operator=(const CCmdCommandOp&) = delete;

    // Starts the reader thread; false when it cannot run.
    bool Init();
    // Stops reading, ends the child and stops the reader; always true.
    bool Uninit();
    // Launches the command; one child per runner, a later launch is refused
    // since the reader may be reading the first one's pipe. Always 1.
    int Execute(const char* command, int length);
    bool SetOutputCallback(OutputCallback callback, int user);

private:
    bool LaunchChild(const char* command, int length);
    bool ClosePipe();
    bool EndChild();
    bool StartReader();
    bool StopReader();
    static bool ReadPipe(void* self);

    char commandLine[4096] = {};
    char readBuffer[4096] = {};
    std::atomic<OutputCallback> outputCallback{nullptr};
    std::atomic<int> userValue{0};
    // Published after the child and its pipe, for the reader.
    std::atomic<bool> started{false};
    os::ChildProcess child_;
    CEventThread reader;
};

// The process's single runner; each returns false or null when no runner
// exists or the argument is not it.
CCmdCommandOp* CreateCmdCommandOp();
bool DestroyCmdCommandOp(CCmdCommandOp* runner);
bool RunCmdCommand(CCmdCommandOp* runner, const char* command, int length);
bool SetCmdOutputCallback(CCmdCommandOp* runner, CCmdCommandOp::OutputCallback callback, int user);

}  // namespace tessaly
