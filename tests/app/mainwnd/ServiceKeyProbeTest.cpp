#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/servicekey/ServiceKeyCounter.h"
#include "os/UsbDrives.h"
#include "soui/STestApi.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/TempFolder.h"

using namespace SOUI;

namespace apptest {
namespace {

namespace fs = std::filesystem;

using Block = std::array<uint8_t, 16>;

constexpr char kKey[] = "harborlamp7319mist";

// What a service-key tool writes: the text, padded with zeros to whole
// blocks, encrypted by OpenSSL in counter mode with the little-endian
// increment, then Base64.
std::string EncodeDeviceType(const std::string& text, Block counter = kDefaultServiceKeyCounter) {
    std::string plain = text;
    plain.resize((plain.size() / 16 + 1) * 16, '\0');
    std::vector<uint8_t> cipherText(plain.size());
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    EXPECT_EQ(
        EVP_EncryptInit_ex(ctx, EVP_aes_128_ecb(), nullptr, reinterpret_cast<const uint8_t*>(kKey), nullptr),
        1);
    EVP_CIPHER_CTX_set_padding(ctx, 0);
    for (size_t offset = 0; offset < plain.size(); offset += 16) {
        uint8_t stream[16];
        int written = 0;
        EXPECT_EQ(EVP_EncryptUpdate(ctx, stream, &written, counter.data(), 16), 1);
        for (size_t i = 0; i < 16; ++i)
            cipherText[offset + i] = static_cast<uint8_t>(plain[offset + i]) ^ stream[i];
        for (uint8_t& byte : counter)
            if (++byte != 0) break;
    }
    EVP_CIPHER_CTX_free(ctx);
    std::string base64(4 * ((cipherText.size() + 2) / 3) + 1, '\0');
    base64.resize(static_cast<size_t>(EVP_EncodeBlock(
        reinterpret_cast<uint8_t*>(base64.data()), cipherText.data(), static_cast<int>(cipherText.size()))));
    return base64;
}

enum class Bus { Usb, Sata, Nvme };
enum class Tool { First, Second };

// Drives as folders, with a device tree and a mount table that put each on
// its bus, in the order they are added.
class PreparedDrives {
public:
    PreparedDrives() { fs::create_directories(top_ / "sys" / "dev" / "block"); }

    fs::path Add(const std::string& name, Bus bus) {
        const int minor = ++count_;
        const std::string number = "8:" + std::to_string(minor);
        const std::string device =
            bus == Bus::Usb    ? "devices/pci0000:00/0000:00:14.0/usb2/2-" + name + "/host/block/" + name
            : bus == Bus::Sata ? "devices/pci0000:00/0000:00:17.0/ata1/host0/block/" + name
                               : "devices/pci0000:00/0000:00:1d.0/nvme/nvme0/" + name;
        fs::create_directories(top_ / "sys" / device);
        fs::create_directory_symlink("../../" + device, top_ / "sys" / "dev" / "block" / number);
        const fs::path root = top_ / "mnt" / name;
        fs::create_directories(root);
        mountInfo_ += std::to_string(40 + minor) + " 1 " + number + " / " + root.string() +
                      " rw - vfat /dev/" + name + " rw\n";
        return root;
    }

    // The tool's program, and its settings file when `settings` is given.
    static void Place(const fs::path& root, Tool tool, const std::string* settings) {
        const fs::path dir = tool == Tool::First ? root / "Mo" / "Halvard" : root / "Vell" / "Tamsin";
        fs::create_directories(dir);
        std::ofstream(dir / (tool == Tool::First ? "Ennisk.exe" : "Oradel.exe")) << "MZ";
        if (settings != nullptr) std::ofstream(dir / "DeviceInfo.ini") << *settings;
    }

    static void PlaceWithType(const fs::path& root, Tool tool, const std::string& text) {
        const std::string settings = "[Type]\r\nDeviceType=" + EncodeDeviceType(text) + "\r\n";
        Place(root, tool, &settings);
    }

    os::UsbDriveLister Lister() const { return os::UsbDriveLister(mountInfo_, (top_ / "sys").string()); }

private:
    pelltest::TempFolder folder_{"pell_drives_"};
    const fs::path& top_ = folder_.Path();
    std::string mountInfo_;
    int count_ = 0;
};

// The probe on a main window that is not shown: only the probe runs.
std::string ProbedDeviceType(const PreparedDrives& drives) {
    Framework();
    os::ScopedUsbDriveLister prepared(drives.Lister());
    CMainWnd wnd;
    EXPECT_EQ(wnd.deviceType, "1");
    wnd.ProbeServiceKeyDrive();
    return wnd.deviceType;
}

TEST(ServiceKeyProbe, DecodedValuePlusOneBecomesTheDeviceType) {
    for (const auto& [text, expected] : std::vector<std::pair<std::string, std::string>>{
             {"5", "6"}, {"-1", "0"}, {" 41 ", "42"}, {"2147483647", "-2147483648"}, {"12abc", "13"}}) {
        PreparedDrives drives;
        PreparedDrives::PlaceWithType(drives.Add("sdb1", Bus::Usb), Tool::Second, text);
        EXPECT_EQ(ProbedDeviceType(drives), expected) << text;
    }
}

TEST(ServiceKeyProbe, FirstToolWithoutItsSettingsPassesOverTheDrive) {
    PreparedDrives drives;
    const fs::path first = drives.Add("sdb1", Bus::Usb);
    PreparedDrives::Place(first, Tool::First, nullptr);
    PreparedDrives::PlaceWithType(first, Tool::Second, "8");
    const fs::path second = drives.Add("sdc1", Bus::Usb);
    PreparedDrives::PlaceWithType(second, Tool::Second, "5");
    EXPECT_EQ(ProbedDeviceType(drives), "6");
}

TEST(ServiceKeyProbe, OnlyTheFirstCompleteDriveCounts) {
    PreparedDrives drives;
    drives.Add("sdb1", Bus::Usb);  // no tool at all
    PreparedDrives::Place(drives.Add("sdc1", Bus::Usb), Tool::Second, nullptr);
    PreparedDrives::PlaceWithType(drives.Add("sdd1", Bus::Usb), Tool::Second, "-1");
    PreparedDrives::PlaceWithType(drives.Add("sde1", Bus::Usb), Tool::First, "5");
    EXPECT_EQ(ProbedDeviceType(drives), "0");
}

TEST(ServiceKeyProbe, DrivesOnOtherBusesAreNeverProbed) {
    PreparedDrives drives;
    PreparedDrives::PlaceWithType(drives.Add("sda1", Bus::Sata), Tool::First, "5");
    PreparedDrives::PlaceWithType(drives.Add("nvme0n1p1", Bus::Nvme), Tool::Second, "5");
    EXPECT_EQ(ProbedDeviceType(drives), "1");
    PreparedDrives::PlaceWithType(drives.Add("sdb1", Bus::Usb), Tool::Second, "-1");
    EXPECT_EQ(ProbedDeviceType(drives), "0");
}

TEST(ServiceKeyProbe, ValuesThatGiveNoNumberLeaveOne) {
    const std::string settingsFiles[] = {
        "",
        "[Type]\r\n",
        "[Type]\r\nDeviceType=\r\n",
        "[Other]\r\nDeviceType=" + EncodeDeviceType("5") + "\r\n",
        "[Type]\r\nDeviceType=" + EncodeDeviceType("abc") + "\r\n",
        "[Type]\r\nDeviceType=not base64 at all\r\n",
        "[Type]\r\nDeviceType=驱动\r\n",
    };
    for (const std::string& settings : settingsFiles) {
        PreparedDrives drives;
        PreparedDrives::Place(drives.Add("sdb1", Bus::Usb), Tool::First, &settings);
        EXPECT_EQ(ProbedDeviceType(drives), "1") << settings;
    }
}

// The counter block is a setting; the variable replaces the built-in one.
TEST(ServiceKeyProbe, TheCounterBlockComesFromTheSetting) {
    const Block other = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    PreparedDrives drives;
    const std::string settings = "[Type]\nDeviceType=" + EncodeDeviceType("5", other) + "\n";
    PreparedDrives::Place(drives.Add("sdb1", Bus::Usb), Tool::First, &settings);
    EXPECT_NE(ProbedDeviceType(drives), "6");

    ::setenv(kServiceKeyCounterVariable, "0102030405060708090A0b0c0d0e0f10", 1);
    EXPECT_EQ(ProbedDeviceType(drives), "6");
    // Not 32 hex digits: the built-in block is used.
    ::setenv(kServiceKeyCounterVariable, "0102030405060708090a0b0c0d0e0f1", 1);
    EXPECT_NE(ProbedDeviceType(drives), "6");
    ::unsetenv(kServiceKeyCounterVariable);
}

TEST(ServiceKeyProbe, DecodingNeverWritesPastTheBuffer) {
    Framework();
    CMainWnd wnd;
    const std::string encoded = EncodeDeviceType("123456789");  // one block, 24 characters
    char output[64];

    std::memset(output, 'x', sizeof output);
    EXPECT_EQ(wnd.DecodeDeviceType(encoded, output, 64, kKey), 9);
    EXPECT_STREQ(output, "123456789");
    // A buffer shorter than the text is refused and not touched.
    std::memset(output, 'x', sizeof output);
    EXPECT_EQ(wnd.DecodeDeviceType(encoded, output, 23, kKey), 0);
    EXPECT_EQ(output[0], 'x');
    // One long enough for the text but not for the whole blocks decrypted:
    // only its own bytes are written.
    const std::string four = EncodeDeviceType("7").substr(0, 4);
    std::memset(output, 'x', sizeof output);
    wnd.DecodeDeviceType(four, output, 4, kKey);
    EXPECT_EQ(std::string(output + 4, 60), std::string(60, 'x'));
    // No key of 16 bytes, no decoding.
    EXPECT_EQ(wnd.DecodeDeviceType(encoded, output, 64, "short"), 0);
    EXPECT_EQ(wnd.DecodeDeviceType(encoded, output, 64, nullptr), 0);
}

// The whole window: the probe runs in its start-up, and closing sends the
// usage report that the local service opens.
class ServiceKeyReport : public MainWindowTest {
protected:
    void StartWith(const PreparedDrives& drives) {
        prepared = std::make_unique<os::ScopedUsbDriveLister>(drives.Lister());
        MainWindowTest::SetUp();
    }
    void SetUp() override {}
    void TearDown() override {
        MainWindowTest::TearDown();
        prepared.reset();
    }

    std::string ReportedType() {
        EXPECT_TRUE(test::Click(Wnd(), L"btn_sys_close"));
        EXPECT_EQ(Service().Log("/Home/tool/statistics").size(), 1u);
        return Service().LastToolReport()["sourc_type"];
    }

    std::unique_ptr<os::ScopedUsbDriveLister> prepared;
};

TEST_F(ServiceKeyReport, TheDriveTypeIsSentAsTheSourceType) {
    PreparedDrives drives;
    PreparedDrives::PlaceWithType(drives.Add("sdb1", Bus::Usb), Tool::First, "5");
    StartWith(drives);
    EXPECT_EQ(ReportedType(), "6");
}

TEST_F(ServiceKeyReport, WithoutAServiceKeyDriveTheSourceTypeIsOne) {
    PreparedDrives drives;
    PreparedDrives::PlaceWithType(drives.Add("sda1", Bus::Sata), Tool::First, "5");
    drives.Add("sdb1", Bus::Usb);
    StartWith(drives);
    EXPECT_EQ(ReportedType(), "1");
}

}  // namespace
}  // namespace apptest
