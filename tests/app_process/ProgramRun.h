#pragma once
// Runs the real program from a folder of its own: a copy of the executable,
// its libraries, the chosen framework modules and the shipped database, on
// Qt's offscreen platform, answering its message boxes through the layer's
// log (the first button is pressed; each text is recorded).
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/LocalService.h"
#include "tests/support/TempFolder.h"

namespace apptest {

inline const std::vector<std::string> kAllModules = {"librender-skia.so", "libimgdecoder-gdip.so",
                                                     "libsoui-sys-resource.so"};

class ProgramFolder {
public:
    explicit ProgramFolder(const std::vector<std::string>& modules = kAllModules,
                           const std::string& programName = "Pellucor");
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    std::string Path() const { return dir.Path().string(); }
    std::string Program() const { return (dir / name).string(); }
    // Runs SQL on the folder's copy of the database.
    void ExecSql(const std::string& sql) const;

private:
    pelltest::TempFolder dir{"pellucor_run_"};
    std::string name;
};

class ProgramRun {
public:
    // Starts the program with the given extra environment, from `workDir`.
    ProgramRun(const ProgramFolder& folder, const std::map<std::string, std::string>& env = {},
               const std::string& workDir = "/");
    ~ProgramRun();  // kills a program still running
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    pid_t Pid() const { return pid; }
    bool Running();
    // Asks the program to close as at the end of the session (its window gets
    // WM_CLOSE).
    void RequestClose();
    // The exit code once the program has ended within the time; -1 when it
    // did not end (it is then killed) or ended by a signal.
    int WaitForExit(std::chrono::seconds limit = std::chrono::seconds(60));
    // The texts of the message boxes shown so far.
    std::vector<std::string> MessageBoxes() const;
    // Stderr and stdout of the program.
    std::string Output() const;

private:
    pelltest::TempFolder logDir{"pellucor_log_"};
    pid_t pid = -1;
    int exitCode = -2;
};

// Tests of the program against the shared local service, reset before each.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { service.Reset(); }

    // The settings that point the program at the service and trust it.
    std::map<std::string, std::string> Env() const {
        return {{"PELLUCOR_SERVICE_URL", service.BaseUrl()}, {"PELLUCOR_CA_FILE", service.CertificateFile()}};
    }
    // The main window's initialisation has passed the version gate.
    bool Initialised() const { return !service.Log("/home/tool/urlList").empty(); }

    pelltest::LocalService& service = pelltest::LocalService::Shared();
};

// Waits (polling, up to `limit`) until `done` holds.
bool WaitUntil(const std::function<bool()>& done, std::chrono::seconds limit = std::chrono::seconds(90));

}  // namespace apptest
