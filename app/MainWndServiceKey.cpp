// The service-key drive probe. Empty until the probe work lands.
#include "app/MainWnd.h"

void CMainWnd::ProbeServiceKeyDrive() {}

int CMainWnd::DecodeDeviceType(const std::string& /*encoded*/, char* /*output*/, int /*capacity*/,
                               const char* /*key*/) {
    return 0;
}
