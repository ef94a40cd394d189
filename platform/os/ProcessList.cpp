#include "os/ProcessList.h"

#include <dirent.h>
#include <unistd.h>

#include <cctype>
#include <fstream>
#include <memory>
#include <string>

namespace os {
namespace {

std::string BaseName(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The executable's file name of one process. Its link in /proc is readable
// only for our own processes; for the others the kernel's short name (the
// first 15 bytes of the file name it was started from) stands in.
std::string ExecutableName(const std::string& pid) {
    const std::string dir = "/proc/" + pid;
    char target[4096];
    const ssize_t n = ::readlink((dir + "/exe").c_str(), target, sizeof target - 1);
    if (n > 0) {
        std::string path(target, static_cast<size_t>(n));
        // A program file replaced while it runs still names the old file.
        const std::string deleted = " (deleted)";
        if (path.size() > deleted.size() &&
            path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0)
            path.resize(path.size() - deleted.size());
        return BaseName(path);
    }
    std::ifstream comm(dir + "/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

struct ProcessStatus {
    bool ended = true;
    std::string parent;
};

// A process that has ended but was not yet collected by its parent still has
// an entry; it runs no more.
ProcessStatus StatusOf(const std::string& pid) {
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string line;
    std::getline(stat, line);
    ProcessStatus status;
    const std::string::size_type close = line.rfind(')');
    if (close == std::string::npos || close + 2 >= line.size()) return status;
    const char state = line[close + 2];
    status.ended = state == 'Z' || state == 'X';
    // "<pid> (<name>) <state> <parent> ..."
    const std::string::size_type parentStart = close + 4;
    if (parentStart < line.size())
        status.parent = line.substr(parentStart, line.find(' ', parentStart) - parentStart);
    return status;
}

bool IsPid(const char* name) {
    if (*name == '\0') return false;
    for (const char* p = name; *p; ++p)
        if (!std::isdigit(static_cast<unsigned char>(*p))) return false;
    return true;
}

}  // namespace

int CountProcessesNamed(const std::string& fileName) {
    std::unique_ptr<DIR, int (*)(DIR*)> proc(::opendir("/proc"), ::closedir);
    if (!proc) return -1;
    int count = 0;
    while (const dirent* entry = ::readdir(proc.get())) {
        if (!IsPid(entry->d_name)) continue;
        if (ExecutableName(entry->d_name) != fileName) continue;
        const ProcessStatus status = StatusOf(entry->d_name);
        // A copy forked by a running one, on its way to start another program,
        // is no copy of its own.
        if (status.ended || (!status.parent.empty() && ExecutableName(status.parent) == fileName)) continue;
        ++count;
    }
    return count;
}

}  // namespace os
