#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

// Runs the probe through the shell with `env` in front and returns its two lines.
std::pair<std::string, std::string> RunProbe(const fs::path& probe, const std::string& env) {
    const std::string command = "env " + env + " '" + probe.string() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    EXPECT_NE(pipe, nullptr);
    if (pipe == nullptr) return {};
    std::string out;
    char buf[512];
    while (size_t n = fread(buf, 1, sizeof buf, pipe)) out.append(buf, n);
    EXPECT_EQ(pclose(pipe), 0) << command;
    const size_t cut = out.find('\n');
    if (cut == std::string::npos) return {out, ""};
    std::string second = out.substr(cut + 1);
    if (!second.empty() && second.back() == '\n') second.pop_back();
    return {out.substr(0, cut), second};
}

class ProcessView : public ::testing::Test {
protected:
    void SetUp() override {
        probe = dir / "探针";
        fs::copy_file(PELL_OS_PROBE_PATH, probe, fs::copy_options::overwrite_existing);
    }
    pelltest::TempFolder folder{"pell-驱动 目录-"};
    const fs::path& dir = folder.Path();
    fs::path probe;
};

TEST_F(ProcessView, ExecutablePathIsDecodedAsUtf8WhateverTheLocale) {
    for (const char* locale : {"LC_ALL=C", "LC_ALL=C.UTF-8"}) {
        EXPECT_EQ(RunProbe(probe, locale).first, probe.string()) << locale;
    }
}

TEST_F(ProcessView, ServiceAddressComesFromTheEnvironmentWhenSet) {
    EXPECT_EQ(RunProbe(probe, "-u PELLUCOR_SERVICE_URL").second, "https://compiled.default");
    EXPECT_EQ(RunProbe(probe, "PELLUCOR_SERVICE_URL=").second, "https://compiled.default");
    EXPECT_EQ(RunProbe(probe, "PELLUCOR_SERVICE_URL=https://127.0.0.1:8443/").second,
              "https://127.0.0.1:8443");
}

}  // namespace
