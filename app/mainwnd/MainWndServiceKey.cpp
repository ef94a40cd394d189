// The service-key drive probe: the device type that a key tool of the maker
// left on a USB drive goes into the usage report.
#include <optional>
#include <vector>

#include "app/mainwnd/MainWnd.h"
#include "app/servicekey/ServiceKeyValue.h"
#include "os/PathExists.h"
#include "os/UsbDrives.h"

namespace {

struct KeyTool {
    const wchar_t* program;
    const wchar_t* settings;
};
constexpr KeyTool kFirstTool = {L"Mo/Halvard/Ennisk.exe", L"Mo/Halvard/DeviceInfo.ini"};
constexpr KeyTool kSecondTool = {L"Vell/Tamsin/Oradel.exe", L"Vell/Tamsin/DeviceInfo.ini"};

}  // namespace

void CMainWnd::ProbeServiceKeyDrive() {
    std::vector<std::wstring> roots;
    if (!os::GetUsbDrives(roots)) return;
    std::optional<std::wstring> settings;
    for (const std::wstring& root : roots) {
        if (os::PathExists(root + kFirstTool.program)) {
            // The first tool's drive counts only with its own settings file.
            if (!os::PathExists(root + kFirstTool.settings)) continue;
            settings = root + kFirstTool.settings;
        } else if (os::PathExists(root + kSecondTool.program) &&
                   os::PathExists(root + kSecondTool.settings)) {
            settings = root + kSecondTool.settings;
        }
        if (settings) break;
    }
    if (!settings) return;

    deviceType = DeviceTypeFromSettings(
        *settings, [this](const std::string& encoded, char* output, int capacity, const char* key) {
            return DecodeDeviceType(encoded, output, capacity, key);
        });
}

int CMainWnd::DecodeDeviceType(const std::string& encoded, char* output, int capacity, const char* key) {
    return DecodeServiceKeyValue(cipher, encoded, output, capacity, key);
}
