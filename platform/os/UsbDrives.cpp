#include "os/UsbDrives.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <mutex>
#include <optional>
#include <sstream>

#include "os/FileBytes.h"
#include "os/UnicodeText.h"

namespace os {
namespace {

namespace fs = std::filesystem;

// The mount table writes space, tab, newline and backslash as \ooo.
std::string Unescape(const std::string& field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            if (digits.find_first_not_of("01234567") == std::string::npos) {
                out.push_back(static_cast<char>(std::stoi(digits, nullptr, 8)));
                i += 3;
                continue;
            }
        }
        out.push_back(field[i]);
    }
    return out;
}

// A host controller's root hub appears in the device path as "usb<n>".
bool IsUsbBusComponent(const std::string& name) {
    if (name.compare(0, 3, "usb") != 0) return false;
    return name.find_first_not_of("0123456789", 3) == std::string::npos;
}

std::mutex overrideLock;
std::unique_ptr<UsbDriveLister> overrideLister;

}  // namespace

UsbDriveLister::UsbDriveLister(std::string mountInfo, std::string sysfsRoot)
    : sysfsRoot_(std::move(sysfsRoot)) {
    std::istringstream lines(mountInfo);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::vector<std::string> f{std::istream_iterator<std::string>(fields),
                                   std::istream_iterator<std::string>()};
        // id, parent, major:minor, root, mount point, options, optional
        // fields, "-", type, source, super options.
        size_t separator = 6;
        while (separator < f.size() && f[separator] != "-") ++separator;
        if (f.size() < 6 || separator + 2 >= f.size()) continue;
        // A mount point that is no UTF-8 text names no file the program can
        // reach through wide names.
        std::optional<std::wstring> root = Utf8ToWide(Unescape(f[4]));
        if (!root || root->empty()) continue;
        if (root->back() != L'/') root->push_back(L'/');
        mounts_.push_back({std::move(*root), f[2], Unescape(f[separator + 2])});
    }
}

UsbDriveLister UsbDriveLister::ForThisSystem() {
    return UsbDriveLister(ReadFileBytes("/proc/self/mountinfo").value_or(std::string()), "/sys");
}

bool UsbDriveLister::OnUsbBus(const Mount& mount) const {
    std::error_code error;
    const fs::path base = fs::canonical(sysfsRoot_, error);
    if (error) return false;
    // The device by its number; a file system on a device without one in the
    // table (btrfs, for one) is found by the name of its source.
    fs::path device = fs::canonical(base / "dev" / "block" / mount.device, error);
    if (error && mount.source.compare(0, 5, "/dev/") == 0)
        device = fs::canonical(base / "class" / "block" / fs::path(mount.source).filename(), error);
    if (error) return false;
    const fs::path inside = device.lexically_relative(base);
    if (inside.empty() || *inside.begin() == "..") return false;
    for (const fs::path& part : inside)
        if (IsUsbBusComponent(part.string())) return true;
    return false;
}

bool UsbDriveLister::GetUsbDrives(std::vector<std::wstring>& roots) const {
    bool found = false;
    for (auto it = mounts_.begin(); it != mounts_.end(); ++it) {
        // A later mount on the same point hides this one.
        const auto hidden =
            std::find_if(it + 1, mounts_.end(), [&](const Mount& m) { return m.root == it->root; });
        if (hidden != mounts_.end() || !OnUsbBus(*it)) continue;
        roots.push_back(it->root);
        found = true;
    }
    return found;
}

bool UsbDriveLister::IsUsbDrive(const std::wstring& root) const {
    std::wstring wanted = root;
    if (wanted.empty()) return false;
    if (wanted.back() != L'/') wanted.push_back(L'/');
    // A later mount on the same point hides the earlier ones.
    for (auto it = mounts_.rbegin(); it != mounts_.rend(); ++it)
        if (it->root == wanted) return OnUsbBus(*it);
    return false;
}

bool GetUsbDrives(std::vector<std::wstring>& roots) {
    {
        std::lock_guard<std::mutex> lock(overrideLock);
        if (overrideLister) return overrideLister->GetUsbDrives(roots);
    }
    return UsbDriveLister::ForThisSystem().GetUsbDrives(roots);
}

bool IsUsbDrive(const std::wstring& root) {
    {
        std::lock_guard<std::mutex> lock(overrideLock);
        if (overrideLister) return overrideLister->IsUsbDrive(root);
    }
    return UsbDriveLister::ForThisSystem().IsUsbDrive(root);
}

ScopedUsbDriveLister::ScopedUsbDriveLister(UsbDriveLister lister) {
    std::lock_guard<std::mutex> lock(overrideLock);
    overrideLister = std::make_unique<UsbDriveLister>(std::move(lister));
}

ScopedUsbDriveLister::~ScopedUsbDriveLister() {
    std::lock_guard<std::mutex> lock(overrideLock);
    overrideLister.reset();
}

}  // namespace os
