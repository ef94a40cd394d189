#pragma once
#include <sys/types.h>

#include <atomic>
#include <cstddef>
#include <string>

namespace os {

// A command run through the platform's shell ("/bin/sh -c"), with its
// standard output and standard error going into one pipe that this process
// reads. The child gets a process group of its own, so ending it also ends
// whatever it started. One child per object.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // False when the pipe or the child cannot be created, or a child was
    // already started by this object.
    bool StartShell(const std::string& command);
    bool Started() const { return pid_ > 0; }

    // Blocks until output arrives, the pipe breaks or CloseOutput is called.
    // The count read (above 0), or -1 once nothing more can be read.
    long ReadOutput(char* buffer, size_t capacity);

    // Stops reading: a blocked ReadOutput returns -1 at once and later ones
    // fail. May be called from another thread than the reader; the
    // descriptors themselves are released with the object.
    void CloseOutput();

    // Ends the child and its process group and collects its exit; false when
    // no child runs.
    bool End();

private:
    pid_t pid_ = -1;
    int outputFd_ = -1;
    int wakeFds_[2] = {-1, -1};
    std::atomic<bool> closed_{false};
};

}  // namespace os
