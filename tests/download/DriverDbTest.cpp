#include "download/DriverDb.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "download/StringConverter.h"
#include "os/ModulePath.h"
#include "tests/support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

const std::set<int> kIconNumbers = {0,  1,  2,  4,  5,  6,  7,  8,  9,  10, 11, 13, 18, 20, 22, 25, 26, 30,
                                    31, 35, 36, 39, 42, 44, 45, 47, 48, 51, 52, 53, 54, 58, 59, 60, 61, 63,
                                    67, 68, 72, 73, 74, 79, 84, 85, 86, 87, 88, 90, 91, 92, 95, 96, 98};

// A fresh folder per test; with a copy of the shipped database unless told.
class DriverDbTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_downLoadDir = L"unchanged dir";
        g_maxDownLoadsText = L"unchanged count";
        g_maxDownLoads = 0;
    }
    void TearDown() override { db.Close(); }

    void OpenShippedCopy() {
        const fs::path programDir = g_stringConverter.WideToMultiByte(os::ExecutableDir());
        fs::copy_file(programDir / "driverdownload.db3", folder / "driverdownload.db3");
        ASSERT_TRUE(db.OpenIn(FolderText()));
    }
    // Narrow paths are UTF-8 here, whatever the C library's locale says.
    std::wstring FolderText() const { return g_stringConverter.MultiByteToWide(folder.string()) + L"/"; }

    // Runs SQL on the file beside the object under test.
    void Exec(const std::string& sql) {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open((folder / "driverdownload.db3").string().c_str(), &raw), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
        sqlite3_close(raw);
    }
    int SettingsRows() {
        sqlite3* raw = nullptr;
        sqlite3_open((folder / "driverdownload.db3").string().c_str(), &raw);
        sqlite3_stmt* stmt = nullptr;
        int rows = -1;
        if (sqlite3_prepare_v2(raw, "select count(*) from tb_set", -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW)
            rows = sqlite3_column_int(stmt, 0);
        sqlite3_finalize(stmt);
        sqlite3_close(raw);
        return rows;
    }

    pelltest::TempFolder temp{"下载库"};
    const fs::path& folder = temp.Path();
    CDriverDb db;
};

}  // namespace

TEST_F(DriverDbTest, ShippedFileMapsTheCatalogueCategoriesToCategorySkins) {
    OpenShippedCopy();
    for (const char* part : {"芯片组", "显卡", "声卡", "网卡", "蓝牙", "BIOS"}) {
        std::string icon;
        ASSERT_TRUE(db.QueryPartIcon(part, icon)) << part;
        const std::string prefix = "_skin.sys.dirver.icon_";
        ASSERT_EQ(icon.rfind(prefix, 0), 0u) << part << ": " << icon;
        EXPECT_EQ(kIconNumbers.count(std::atoi(icon.c_str() + prefix.size())), 1u) << icon;
    }
}

TEST_F(DriverDbTest, ShippedFileStartsWithEmptyFolderAndThreeDownloads) {
    OpenShippedCopy();
    db.LoadSettings();
    EXPECT_EQ(g_downLoadDir, L"");
    EXPECT_EQ(g_maxDownLoadsText, L"3");
    EXPECT_EQ(g_maxDownLoads, 3);
}

TEST_F(DriverDbTest, UnknownPartLeavesIconAsPassed) {
    OpenShippedCopy();
    std::string icon = "caller's";
    EXPECT_TRUE(db.QueryPartIcon("不存在的分类", icon));
    EXPECT_EQ(icon, "caller's");
}

TEST_F(DriverDbTest, NullOrEmptyIconReadsAsEmpty) {
    OpenShippedCopy();
    Exec("insert into tb_part values('无图标', '')");
    std::string icon = "caller's";
    EXPECT_TRUE(db.QueryPartIcon("无图标", icon));
    EXPECT_EQ(icon, "");
}

TEST_F(DriverDbTest, SettingsRoundTripNewestRowWins) {
    OpenShippedCopy();
    const int before = SettingsRows();
    g_downLoadDir = L"/home/用户/驱动下载";
    g_maxDownLoadsText = L"5";
    EXPECT_TRUE(db.SaveSettings());
    g_downLoadDir = L"/data/第二个目录";
    g_maxDownLoadsText = L"2";
    EXPECT_TRUE(db.SaveSettings());
    EXPECT_EQ(SettingsRows(), before + 2);

    g_downLoadDir.clear();
    g_maxDownLoadsText.clear();
    db.LoadSettings();
    EXPECT_EQ(g_downLoadDir, L"/data/第二个目录");
    EXPECT_EQ(g_maxDownLoadsText, L"2");
    EXPECT_EQ(g_maxDownLoads, 2);
}

TEST_F(DriverDbTest, CountTextWithoutLeadingDigitsReadsAsZero) {
    OpenShippedCopy();
    g_maxDownLoadsText = L"x4";
    db.SaveSettings();
    g_maxDownLoads = 9;
    db.LoadSettings();
    EXPECT_EQ(g_maxDownLoads, 0);
    EXPECT_EQ(g_maxDownLoadsText, L"x4");
}

// Values that a statement built by printf would break or be changed by.
TEST_F(DriverDbTest, QuotesInjectionAndLongValuesAreStoredAndComparedExactly) {
    OpenShippedCopy();
    const std::wstring longDir = L"/长目录/" + std::wstring(3000, L'目');  // far beyond 1023 bytes
    const std::wstring values[] = {
        L"/home/o'brien/drivers", L"x' OR '1'='1", L"'); DROP TABLE tb_set; --", L"''", longDir,
    };
    for (const std::wstring& value : values) {
        const int before = SettingsRows();
        g_downLoadDir = value;
        g_maxDownLoadsText = value.size() < 100 ? value : L"4";
        db.SaveSettings();
        ASSERT_EQ(SettingsRows(), before + 1) << "tb_set intact, one row added";
        g_downLoadDir.clear();
        g_maxDownLoadsText.clear();
        db.LoadSettings();
        EXPECT_EQ(g_downLoadDir, value);
        EXPECT_EQ(g_maxDownLoadsText, value.size() < 100 ? value : L"4");
    }

    // A printf-built lookup would match every row with this name.
    std::string icon = "caller's";
    EXPECT_TRUE(db.QueryPartIcon("x' OR '1'='1", icon));
    EXPECT_EQ(icon, "caller's");
    EXPECT_TRUE(db.QueryPartIcon("'); DROP TABLE tb_part; --", icon));
    EXPECT_EQ(icon, "caller's");
    EXPECT_TRUE(db.QueryPartIcon("芯片组", icon));
    EXPECT_NE(icon, "caller's") << "tb_part intact";

    const std::string longPart(2000, 'p');
    Exec("insert into tb_part values('Wi-Fi ''6E''', '_skin.sys.dirver.icon_9')");
    Exec("insert into tb_part values('" + longPart + "', '_skin.sys.dirver.icon_10')");
    EXPECT_TRUE(db.QueryPartIcon("Wi-Fi '6E'", icon));
    EXPECT_EQ(icon, "_skin.sys.dirver.icon_9");
    EXPECT_TRUE(db.QueryPartIcon(longPart, icon));
    EXPECT_EQ(icon, "_skin.sys.dirver.icon_10");
}

TEST_F(DriverDbTest, TaskIdsCountOnAcrossCloseAndReopen) {
    OpenShippedCopy();
    EXPECT_EQ(db.NextTaskId(), 1);
    EXPECT_EQ(db.NextTaskId(), 2);
    EXPECT_TRUE(db.Close());
    ASSERT_TRUE(db.OpenIn(FolderText()));
    EXPECT_EQ(db.NextTaskId(), 3);
}

TEST_F(DriverDbTest, EmptySettingsTableKeepsTheSettings) {
    OpenShippedCopy();
    Exec("delete from tb_set");
    db.LoadSettings();
    EXPECT_EQ(g_maxDownLoads, 0);
    EXPECT_EQ(g_downLoadDir, L"unchanged dir");
    EXPECT_EQ(g_maxDownLoadsText, L"unchanged count");
}

TEST_F(DriverDbTest, MissingFileIsCreatedEmptyAndEverythingFailsQuietly) {
    ASSERT_TRUE(db.OpenIn(FolderText()));
    EXPECT_TRUE(fs::exists(folder / "driverdownload.db3"));
    std::string icon = "caller's";
    EXPECT_FALSE(db.QueryPartIcon("芯片组", icon));
    EXPECT_EQ(icon, "caller's");
    db.LoadSettings();
    EXPECT_EQ(g_downLoadDir, L"unchanged dir");
    EXPECT_EQ(g_maxDownLoads, 0);
    EXPECT_TRUE(db.SaveSettings());
    EXPECT_EQ(SettingsRows(), -1) << "no table was created";
    EXPECT_EQ(db.NextTaskId(), 1);
}

TEST_F(DriverDbTest, UnopenableFileAndClosedObjectFailQuietly) {
    std::string icon = "caller's";
    EXPECT_FALSE(db.QueryPartIcon("芯片组", icon)) << "never opened";
    db.LoadSettings();
    EXPECT_TRUE(db.SaveSettings());

    EXPECT_FALSE(db.OpenIn(FolderText() + L"no such folder/"));
    EXPECT_FALSE(db.QueryPartIcon("芯片组", icon));
    EXPECT_EQ(icon, "caller's");
    db.LoadSettings();
    EXPECT_EQ(g_downLoadDir, L"unchanged dir");
    EXPECT_TRUE(db.SaveSettings());
    EXPECT_TRUE(db.Close());
    EXPECT_TRUE(db.Close());
}

TEST(DriverDbProgramFolder, OpensTheFileBesideTheProgram) {
    CDriverDb db;
    ASSERT_TRUE(db.Open());
    std::string icon;
    EXPECT_TRUE(db.QueryPartIcon("芯片组", icon));
    EXPECT_EQ(icon.rfind("_skin.sys.dirver.icon_", 0), 0u);
}
