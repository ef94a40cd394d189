#include "os/UsbDrives.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

// A device tree in the form of /sys, below a folder whose own path has a
// "usb1" in it (which must not count), and a mount table over it.
class UsbDrives : public ::testing::Test {
protected:
    void SetUp() override {
        sysfs_ = top_ / "usb1" / "sys";
        Device("8:1", "class-sda1",
               "devices/pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0/block/sda/sda1");
        Device("8:17", "sdb1",
               "devices/pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0/block/sdb/sdb1");
        Device("259:1", "nvme0n1p1",
               "devices/pci0000:00/0000:00:1d.0/0000:3d:00.0/nvme/nvme0/nvme0n1/nvme0n1p1");
        Device("7:0", "loop0", "devices/virtual/block/loop0");
        Device("8:33", "sdc1",
               "devices/pci0000:00/0000:00:14.0/usb3/3-2/3-2:1.0/host7/target7:0:0/7:0:0:0/block/sdc/sdc1");
        // Known by name only: a file system whose device number is not the
        // block device's.
        Device("", "sdd1",
               "devices/platform/xhci-hcd.0/usb1/1-1/1-1:1.0/host8/target8:0:0/8:0:0:0/block/sdd/sdd1");
    }
    void Device(const std::string& number, const std::string& name, const std::string& path) {
        fs::create_directories(sysfs_ / path);
        fs::create_directories(sysfs_ / "dev" / "block");
        fs::create_directories(sysfs_ / "class" / "block");
        if (!number.empty()) fs::create_directory_symlink("../../" + path, sysfs_ / "dev" / "block" / number);
        fs::create_directory_symlink("../../" + path, sysfs_ / "class" / "block" / name);
    }

    os::UsbDriveLister Lister() const {
        return os::UsbDriveLister(
            "27 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
            "40 27 8:17 / /media/user/KEY\\040ONE rw,nosuid shared:40 - vfat /dev/sdb1 rw,fmask=0022\n"
            "41 27 259:1 / /home rw,relatime - ext4 /dev/nvme0n1p1 rw\n"
            "42 27 7:0 / /snap/core/1 ro,nodev - squashfs /dev/loop0 ro\n"
            "43 27 0:44 / /proc/fs rw - proc proc rw\n"
            "44 27 8:33 / /media/user/\xE9\xA9\xB1\xE5\x8A\xA8 rw shared:44 master:2 - exfat /dev/sdc1 rw\n"
            "45 27 0:45 / /media/user/BTR rw - btrfs /dev/sdd1 rw\n"
            "46 27 8:33 / /media/user/\xFF\xFE rw - exfat /dev/sdc1 rw\n"
            "47 27 8:17 / /mnt/hidden rw - vfat /dev/sdb1 rw\n"
            "48 27 0:50 / /mnt/hidden rw - tmpfs tmpfs rw\n"
            "broken line\n",
            sysfs_.string());
    }

    pelltest::TempFolder folder_{"pell_usb_"};
    const fs::path& top_ = folder_.Path();
    fs::path sysfs_;
};

TEST_F(UsbDrives, ListsOnlyMountsOnTheUsbBusInTableOrder) {
    std::vector<std::wstring> roots;
    ASSERT_TRUE(Lister().GetUsbDrives(roots));
    // Left out: the mount point that is no UTF-8 text, and the USB drive
    // hidden under a later mount on the same point.
    EXPECT_EQ(roots, (std::vector<std::wstring>{L"/media/user/KEY ONE/", L"/media/user/驱动/",
                                                L"/media/user/BTR/"}));
}

TEST_F(UsbDrives, TellsARootsBus) {
    const os::UsbDriveLister lister = Lister();
    EXPECT_TRUE(lister.IsUsbDrive(L"/media/user/KEY ONE/"));
    EXPECT_TRUE(lister.IsUsbDrive(L"/media/user/驱动"));
    EXPECT_FALSE(lister.IsUsbDrive(L"/"));             // SATA
    EXPECT_FALSE(lister.IsUsbDrive(L"/home/"));        // NVMe
    EXPECT_FALSE(lister.IsUsbDrive(L"/snap/core/1"));  // virtual
    EXPECT_FALSE(lister.IsUsbDrive(L"/proc/fs"));      // no block device
    EXPECT_FALSE(lister.IsUsbDrive(L"/media/user"));   // not a mount point
    EXPECT_FALSE(lister.IsUsbDrive(L""));
}

TEST_F(UsbDrives, NoUsbMountsNoDrives) {
    const os::UsbDriveLister lister("27 1 8:1 / / rw - ext4 /dev/sda1 rw\n", sysfs_.string());
    std::vector<std::wstring> roots;
    EXPECT_FALSE(lister.GetUsbDrives(roots));
    EXPECT_TRUE(roots.empty());
    // A device tree that is not there knows no USB bus.
    const os::UsbDriveLister nowhere("40 27 8:17 / /media/k rw - vfat /dev/sdb1 rw\n",
                                     (top_ / "none").string());
    EXPECT_FALSE(nowhere.GetUsbDrives(roots));
}

TEST_F(UsbDrives, APreparedListerStandsInForTheSystemWhileItLives) {
    std::vector<std::wstring> system;
    const bool systemHasAny = os::UsbDriveLister::ForThisSystem().GetUsbDrives(system);
    {
        os::ScopedUsbDriveLister prepared(Lister());
        std::vector<std::wstring> roots;
        ASSERT_TRUE(os::GetUsbDrives(roots));
        EXPECT_EQ(roots.front(), L"/media/user/KEY ONE/");
        EXPECT_TRUE(os::IsUsbDrive(L"/media/user/BTR/"));
    }
    std::vector<std::wstring> after;
    EXPECT_EQ(os::GetUsbDrives(after), systemHasAny);
    EXPECT_EQ(after, system);
}

// This machine's own mounts: the root file system's device is read from the
// real device tree; with no USB bus at all, nothing is listed.
TEST_F(UsbDrives, ThisSystem) {
    const os::UsbDriveLister lister = os::UsbDriveLister::ForThisSystem();
    std::vector<std::wstring> roots;
    const bool any = lister.GetUsbDrives(roots);
    EXPECT_EQ(any, !roots.empty());
    for (const std::wstring& root : roots) EXPECT_TRUE(lister.IsUsbDrive(root));
    std::error_code error;
    const bool usbBus =
        fs::exists("/sys/bus/usb/devices", error) && !fs::is_empty("/sys/bus/usb/devices", error);
    if (!usbBus) {
        EXPECT_TRUE(roots.empty());
    }
}

}  // namespace
