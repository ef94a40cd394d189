#include "ProgramRun.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace apptest {
namespace fs = std::filesystem;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

ProgramFolder::ProgramFolder(const std::vector<std::string>& modules, const std::string& programName)
    : name(programName) {
    const fs::path program = PELLUCOR_PROGRAM;
    const fs::path bin = program.parent_path();
    fs::copy_file(program, dir / name);
    for (const char* library : {"libCorvane.so", "libTessaly.so", "libDravolin.so", "libFendrel.so"})
        fs::copy_file(bin / library, dir / library);
    for (const std::string& module : modules) fs::copy_file(bin / module, dir / module);
    fs::copy_file(bin / "driverdownload.db3", dir / "driverdownload.db3");
}

void ProgramFolder::ExecSql(const std::string& sql) const {
    const std::string command = "sqlite3 '" + (dir / "driverdownload.db3").string() + "' \"" + sql + "\"";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("sqlite3 failed: " + sql);
}

ProgramRun::ProgramRun(const ProgramFolder& folder, const std::map<std::string, std::string>& env,
                       const std::string& workDir) {
    std::map<std::string, std::string> vars;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const auto eq = entry.find('=');
        if (eq != std::string::npos) vars[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    vars["QT_QPA_PLATFORM"] = "offscreen";
    vars["SOUI_MESSAGEBOX_LOG"] = (logDir / "boxes.txt").string();
    for (const auto& [key, value] : env) vars[key] = value;
    std::vector<std::string> entries;
    for (const auto& [key, value] : vars) entries.push_back(key + "=" + value);
    std::vector<char*> envp;
    for (std::string& entry : entries) envp.push_back(entry.data());
    envp.push_back(nullptr);

    const std::string program = folder.Program();
    const std::string output = (logDir / "output.txt").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw std::runtime_error("cannot start " + program);
}

// The program has ended before its log folder goes.
ProgramRun::~ProgramRun() {
    if (Running()) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
}

bool ProgramRun::Running() {
    if (exitCode != -2) return false;
    int status = 0;
    const pid_t r = ::waitpid(pid, &status, WNOHANG);
    if (r == 0) return true;
    exitCode = (r == pid && WIFEXITED(status)) ? WEXITSTATUS(status) : -1;
    return false;
}

void ProgramRun::RequestClose() {
    if (Running()) ::kill(pid, SIGTERM);
}

int ProgramRun::WaitForExit(std::chrono::seconds limit) {
    if (!WaitUntil([this] { return !Running(); }, limit)) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        exitCode = -1;
    }
    return exitCode;
}

std::vector<std::string> ProgramRun::MessageBoxes() const {
    std::vector<std::string> lines;
    std::istringstream in(ReadFile((logDir / "boxes.txt").string()));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string ProgramRun::Output() const {
    return ReadFile((logDir / "output.txt").string());
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return true;
}

}  // namespace apptest
