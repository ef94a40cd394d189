#pragma once
// An X server of the test's own (Xvfb) and the X client tools that act on
// it as a user would: xdotool for mouse and keyboard, ImageMagick's import
// for pictures of the screen. A missing tool is a failure, never a skip.
#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace x11test {

// The full path of a program on PATH; empty when there is none.
std::string FindProgram(const std::string& name);

// Starts Xvfb on a display number that the server picks itself (free of
// other servers), one screen of the given size; stops it again. Throws
// std::runtime_error with the reason when the server does not come up.
class VirtualDisplay {
public:
    VirtualDisplay(int width, int height);
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // ":N", the value for DISPLAY.
    const std::string& Name() const { return name_; }

private:
    std::string logFile_;
    std::string name_;
    pid_t pid_ = -1;
};

struct ToolRun {
    int exitCode = -1;   // -1: not started, killed after the time limit, or ended by a signal
    std::string output;  // its stdout and stderr
};

// Runs the program (looked up on PATH) with the process's environment and
// keeps the window message loop running until it ends, for at most `limit`.
ToolRun RunTool(const std::vector<std::string>& argv, std::chrono::seconds limit = std::chrono::seconds(30));

}  // namespace x11test
