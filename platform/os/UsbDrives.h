#pragma once
#include <memory>
#include <string>
#include <vector>

namespace os {

// The drives on the USB bus: mounted file systems whose block device sits
// below a USB host controller in the device tree. A drive's root is its mount
// point with a trailing '/'.
class UsbDriveLister {
public:
    // `mountInfo`: a mount table in the form of /proc/self/mountinfo;
    // `sysfsRoot`: the folder that stands for /sys.
    UsbDriveLister(std::string mountInfo, std::string sysfsRoot);

    // This system's mount table and device tree, read now.
    static UsbDriveLister ForThisSystem();

    // The roots of all USB drives in the order of the mount table; true when
    // there is at least one.
    bool GetUsbDrives(std::vector<std::wstring>& roots) const;
    // True when `root` is a mount point whose device sits on the USB bus.
    bool IsUsbDrive(const std::wstring& root) const;

private:
    struct Mount {
        std::wstring root;
        std::string device;  // "major:minor"
        std::string source;
    };
    bool OnUsbBus(const Mount& mount) const;

    std::vector<Mount> mounts_;
    std::string sysfsRoot_;
};

// What the program asks: this system's USB drives, or those of the lister a
// test put in place.
bool GetUsbDrives(std::vector<std::wstring>& roots);
bool IsUsbDrive(const std::wstring& root);

// For tests: while it lives, GetUsbDrives and IsUsbDrive answer from
// `lister` in place of this system.
class ScopedUsbDriveLister {
public:
    explicit ScopedUsbDriveLister(UsbDriveLister lister);
    ~ScopedUsbDriveLister();
    ScopedUsbDriveLister(const ScopedUsbDriveLister&) = delete;
    ScopedUsbDriveLister& operator=(const ScopedUsbDriveLister&) = delete;
};

}  // namespace os
