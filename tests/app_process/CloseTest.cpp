// Closing the real program: the usage report and the download folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ProgramRun.h"
#include "tests/support/LocalService.h"
#include "tests/support/TempFolder.h"

namespace apptest {
namespace {

namespace fs = std::filesystem;

class Close : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        for (const auto& [file, value] : {std::pair{"product_version", "Aurex 14 G6"},
                                          {"sys_vendor", "Zorvik"},
                                          {"product_serial", "PF3X9K"},
                                          {"product_name", "21KJ"}})
            std::ofstream(dmi / file) << value << "\n";
    }
    // The firmware table of a known device, for the usage report.
    std::map<std::string, std::string> Env() const {
        std::map<std::string, std::string> env = ProgramTest::Env();
        env["PELLUCOR_DMI_DIR"] = dmi.string();
        return env;
    }

    pelltest::TempFolder dmiFolder{"pellucor_dmi_"};
    const fs::path& dmi = dmiFolder.Path();
};

TEST_F(Close, SendsTheUsageReportWithStatus3AndTheDeviceIdentity) {
    ProgramFolder folder;
    ProgramRun run(folder, Env());
    // The start-up worker has asked for the network; give it the time to read
    // the device as well.
    ASSERT_TRUE(WaitUntil([&] { return !service.Log("/").empty(); })) << run.Output();
    const auto before = std::chrono::system_clock::now();
    ::sleep(2);
    run.RequestClose();
    ASSERT_EQ(run.WaitForExit(), 0) << run.Output();
    std::map<std::string, std::string> report = service.LastToolReport();
    EXPECT_EQ(report["id"], "10092");
    EXPECT_EQ(report["versions"], "1.3.24.910");
    EXPECT_EQ(report["status"], "3");
    EXPECT_EQ(report["PcModel"], "Aurex 14 G6");
    EXPECT_EQ(report["Manufacture"], "Zorvik");
    EXPECT_EQ(report["SerialNumber"], "PF3X9K");
    EXPECT_EQ(report["sourc_type"], "1");
    const long long sent = std::stoll(report["datetime"]);
    const long long started =
        std::chrono::duration_cast<std::chrono::seconds>(before.time_since_epoch()).count();
    EXPECT_GE(sent, started);
    EXPECT_LE(sent, started + 120);
    EXPECT_TRUE(run.MessageBoxes().empty());
}

TEST_F(Close, BeforeTheDeviceIsReadTheReportCarriesEmptyIdentity) {
    // The start-up worker hangs in its network check, before it reads the
    // device; the window closes meanwhile and must neither wait for it nor
    // let it write into a freed record.
    service.SetFault("silent", "/");
    ProgramFolder folder;
    ProgramRun run(folder, Env());
    // A silent request is logged only once answered: wait for the end of the
    // window's initialisation instead, after which the worker starts.
    ASSERT_TRUE(WaitUntil([&] { return !service.Log("/home/tool/urlList").empty(); })) << run.Output();
    run.RequestClose();
    ASSERT_TRUE(WaitUntil([&] { return !service.Log("/Home/tool/statistics").empty(); })) << run.Output();
    std::map<std::string, std::string> report = service.LastToolReport();
    EXPECT_EQ(report["status"], "3");
    EXPECT_EQ(report["PcModel"], "");
    EXPECT_EQ(report["Manufacture"], "");
    EXPECT_EQ(report["SerialNumber"], "");
    EXPECT_EQ(run.WaitForExit(), 0) << run.Output();
}

TEST_F(Close, AnEmptyOrMissingDownloadFolderBecomesDriverBesideTheProgram) {
    for (const char* setting : {"", "/nonexistent/pellucor/downloads"}) {
        ProgramFolder folder;
        folder.ExecSql(std::string("INSERT INTO tb_set (localpath, newdevpath) VALUES ('") + setting +
                       "', '3');");
        ProgramRun run(folder, Env());
        ASSERT_TRUE(WaitUntil([&] { return fs::is_directory(fs::path(folder.Path()) / "Driver"); }))
            << setting << run.Output();
        run.RequestClose();
        EXPECT_EQ(run.WaitForExit(), 0) << run.Output();
        EXPECT_FALSE(fs::exists(setting + std::string())) << setting;
    }
}

}  // namespace
}  // namespace apptest
