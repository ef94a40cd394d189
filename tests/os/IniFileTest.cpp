#include "os/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

class IniFile : public ::testing::Test {
protected:
    // Writes the bytes to a file and names it as the program would.
    std::wstring Write(const std::string& bytes) {
        const fs::path file = dir_ / ("f" + std::to_string(count_++) + ".ini");
        std::ofstream(file, std::ios::binary) << bytes;
        const std::string narrow = file.string();
        return std::wstring(narrow.begin(), narrow.end());
    }

    // The value read, or "<none>" when the call said there is none (then the
    // out text must be as it was).
    std::wstring Read(const std::wstring& file, const std::wstring& section, const std::wstring& key) {
        std::wstring value = L"<none>";
        const bool found = os::ReadIniValue(section, key, file, value);
        EXPECT_EQ(found, value != L"<none>");
        return value;
    }

    pelltest::TempFolder folder_{"pell_ini_"};
    const fs::path& dir_ = folder_.Path();
    int count_ = 0;
};

TEST_F(IniFile, ReadsAsTheProfileCallDoes) {
    const std::wstring file = Write(
        "DeviceType=before any section\r\n"
        "[Other]\r\n"
        "DeviceType=other\r\n"
        "  [ type ]  \r\n"
        ";DeviceType=commented\r\n"
        "  devicetype =   dGVzdA==  \r\n"
        "DeviceType=second\r\n"
        "Quoted=\"  kept inside  \"\r\n"
        "Single='x'\r\n"
        "Unbalanced=\"x'\r\n"
        "Empty=\r\n"
        "NoEquals\r\n"
        "[Type]\r\n"
        "Later=from a second section of the name\n");
    EXPECT_EQ(Read(file, L"Type", L"DeviceType"), L"dGVzdA==");
    EXPECT_EQ(Read(file, L"TYPE", L"DEVICETYPE"), L"dGVzdA==");
    EXPECT_EQ(Read(file, L"Other", L"DeviceType"), L"other");
    EXPECT_EQ(Read(file, L"Type", L"Quoted"), L"  kept inside  ");
    EXPECT_EQ(Read(file, L"Type", L"Single"), L"x");
    EXPECT_EQ(Read(file, L"Type", L"Unbalanced"), L"\"x'");
    EXPECT_EQ(Read(file, L"Type", L"Empty"), L"<none>");
    EXPECT_EQ(Read(file, L"Type", L"NoEquals"), L"<none>");
    EXPECT_EQ(Read(file, L"Type", L"Missing"), L"<none>");
    EXPECT_EQ(Read(file, L"Type", L"Later"), L"<none>");
    EXPECT_EQ(Read(file, L"Nowhere", L"DeviceType"), L"<none>");
}

TEST_F(IniFile, CutsLongValuesTo255Characters) {
    const std::wstring file = Write("[Type]\nDeviceType=" + std::string(300, 'v') + "\n");
    EXPECT_EQ(Read(file, L"Type", L"DeviceType"), std::wstring(255, L'v'));
}

TEST_F(IniFile, ReadsUtf8AndCodePage936) {
    // "[类型]" / "名称=驱动" in UTF-8 with a byte-order mark, then in code page 936.
    const std::wstring utf8 =
        Write("\xEF\xBB\xBF[\xE7\xB1\xBB\xE5\x9E\x8B]\n\xE5\x90\x8D\xE7\xA7\xB0=\xE9\xA9\xB1\xE5\x8A\xA8\n");
    const std::wstring chs = Write("[\xC0\xE0\xD0\xCD]\r\n\xC3\xFB\xB3\xC6=\xC7\xFD\xB6\xAF\r\n");
    EXPECT_EQ(Read(utf8, L"类型", L"名称"), L"驱动");
    EXPECT_EQ(Read(chs, L"类型", L"名称"), L"驱动");
}

TEST_F(IniFile, AMissingFileReadsAsEmpty) {
    EXPECT_EQ(Read((dir_ / "absent.ini").wstring(), L"Type", L"DeviceType"), L"<none>");
    EXPECT_EQ(Read(dir_.wstring(), L"Type", L"DeviceType"), L"<none>");
    EXPECT_EQ(Read(Write(""), L"Type", L"DeviceType"), L"<none>");
}

}  // namespace
