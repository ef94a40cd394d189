#include "tests/support/BrowserRecorder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace {

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

BrowserRecorder::BrowserRecorder(const char* variable)
    : variable_(variable), script_((dir_ / "open").string()), log_((dir_ / "opened").string()) {
    {
        // One appending write per address.
        std::ofstream script(script_);
        script << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"" << log_ << "\"\n";
    }
    ::chmod(script_.c_str(), 0700);
    ::setenv(variable_.c_str(), script_.c_str(), 1);
}

BrowserRecorder::~BrowserRecorder() {
    ::unsetenv(variable_.c_str());
}

std::vector<std::string> BrowserRecorder::WaitForOpened(size_t count) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    std::vector<std::string> lines = ReadLines(log_);
    while (lines.size() < count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        lines = ReadLines(log_);
    }
    return lines;
}
