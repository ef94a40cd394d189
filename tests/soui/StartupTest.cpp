#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

namespace souitest {
namespace {

namespace fs = std::filesystem;

struct ProbeResult {
    int exitCode = -1;
    std::string output;
    std::string boxes;  // texts of the message boxes, one a line
};

// Runs the start-up probe from a folder holding only the given modules.
ProbeResult RunProbeWith(const std::vector<std::string>& modules, const std::string& folderName,
                         const std::string& argument = "") {
    const fs::path probe = SOUI_STARTUP_PROBE;
    const pelltest::TempFolder folder("soui_startup_" + folderName + "_");
    const fs::path& dir = folder.Path();
    fs::copy_file(probe, dir / probe.filename());
    for (const auto& module : modules) fs::copy_file(probe.parent_path() / module, dir / module);
    ProbeResult result;
    const fs::path log = dir / "boxes.txt";
    // Started from another folder: the modules are found beside the program.
    const std::string command = "cd / && SOUI_MESSAGEBOX_LOG='" + log.string() + "' '" +
                                (dir / probe.filename()).string() + "' " + argument + " 2>/dev/null";
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe)) result.output += buffer;
        const int status = pclose(pipe);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::ifstream boxes(log);
    result.boxes.assign(std::istreambuf_iterator<char>(boxes), std::istreambuf_iterator<char>());
    return result;
}

const std::string kRender = "librender-skia.so";
const std::string kDecoder = "libimgdecoder-gdip.so";
const std::string kSysRes = "libsoui-sys-resource.so";

struct StartupCase {
    const char* folder;
    std::vector<std::string> modules;
    const char* output;  // what the probe printed
    const char* boxes;   // the message boxes it showed
};

TEST(StartupTest, EachMissingModuleHasItsOwnOutcome) {
    const StartupCase cases[] = {
        {"all", {kRender, kDecoder, kSysRes}, "window: opened\n", ""},
        // Only the error, nothing else created, exit code 0.
        {"norender", {kDecoder, kSysRes}, "", "Load CreateRender_Skia Error!\n"},
        {"nodecoder", {kRender, kSysRes}, "", "Load CreateImgDecoder Error!\n"},
        // A warning, then the window opens without the system resources.
        {"nosysres", {kRender, kDecoder}, "window: opened\n", "Load SYS_NAMED_RESOURCE Error!\n"},
    };
    for (const auto& c : cases) {
        const ProbeResult r = RunProbeWith(c.modules, c.folder);
        EXPECT_EQ(r.exitCode, 0) << c.folder;
        EXPECT_EQ(r.output, c.output) << c.folder;
        EXPECT_EQ(r.boxes, c.boxes) << c.folder;
    }
}

TEST(StartupTest, FrameworkMessageBoxesGoToTheLogToo) {
    const ProbeResult r = RunProbeWith({kRender, kDecoder, kSysRes}, "ask", "ask");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, "window: opened\nanswer: 1\n");
    EXPECT_EQ(r.boxes, "有正在下载的任务，确认退出吗？\n");
}

}  // namespace
}  // namespace souitest
