#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace souitest {
namespace {

namespace fs = std::filesystem;

struct ProbeResult {
  int exitCode = -1;
  std::string output;
};

// Runs the start-up probe from a folder holding only the given modules.
ProbeResult RunProbeWith(const std::vector<std::string>& modules, const std::string& folderName) {
  const fs::path probe = SOUI_STARTUP_PROBE;
  const fs::path dir = fs::temp_directory_path() / ("soui_startup_" + folderName + "_" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  fs::copy_file(probe, dir / probe.filename());
  for (const auto& module : modules) fs::copy_file(probe.parent_path() / module, dir / module);
  ProbeResult result;
  // Started from another folder: the modules are found beside the program.
  const std::string command = "cd / && '" + (dir / probe.filename()).string() + "' 2>/dev/null";
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) result.output += buffer;
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  fs::remove_all(dir);
  return result;
}

const std::string kRender = "librender-skia.so";
const std::string kDecoder = "libimgdecoder-gdip.so";
const std::string kSysRes = "libsoui-sys-resource.so";

TEST(StartupTest, AllModulesPresentOpensTheWindow) {
  const ProbeResult r = RunProbeWith({kRender, kDecoder, kSysRes}, "all");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output, "window: opened\n");
}

TEST(StartupTest, MissingRendererShowsOnlyItsErrorAndExitsZero) {
  const ProbeResult r = RunProbeWith({kDecoder, kSysRes}, "norender");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output, "box: Load CreateRender_Skia Error!\n");
}

TEST(StartupTest, MissingDecoderShowsItsErrorAndExitsZero) {
  const ProbeResult r = RunProbeWith({kRender, kSysRes}, "nodecoder");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output, "box: Load CreateImgDecoder Error!\n");
}

TEST(StartupTest, MissingSystemResourcesWarnAndGoOn) {
  const ProbeResult r = RunProbeWith({kRender, kDecoder}, "nosysres");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output, "window: opened\nbox: Load SYS_NAMED_RESOURCE Error!\n");
}

}  // namespace
}  // namespace souitest
