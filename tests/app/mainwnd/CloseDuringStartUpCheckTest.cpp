// Closing the main window while its start-up network check still waits for
// the maker's site.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app/ProgramGlobals.h"
#include "common/ServiceRequest.h"
#include "os/ProcessList.h"
#include "soui/STestApi.h"
#include "tests/app/MainWindowFixture.h"

using namespace SOUI;

namespace apptest {
namespace {

// The home page's head reaches the service, which does not answer while the
// fault lasts; the check gives up after its time-out.
class SilentHomePage {
public:
    SilentHomePage() {
        Service().Reset();
        // Before the window starts its worker, which reads the environment.
        ::setenv(kServiceTimeoutVariable, "3", 1);
        Service().SetFault("silent", "/");
    }
    ~SilentHomePage() {
        ::unsetenv(kServiceTimeoutVariable);
        Service().SetFault("none");
    }
};

// Whether a connection to the local service's port is open: the service
// process only accepts, so the one connecting is this process, here the
// check inside the driver library.
bool ConnectedToService() {
    char port[8];
    std::snprintf(port, sizeof port, ":%04X", Service().Port());
    std::ifstream table("/proc/net/tcp");
    std::string line;
    std::getline(table, line);  // the column names
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state;
        fields >> slot >> local >> remote >> state;
        if (state == "01" && remote.ends_with(port)) return true;  // established
    }
    return false;
}

// The driver library takes one caller at a time: the window's teardown frees
// it only once the check, on the worker, has left it.
TEST(CloseDuringStartUpCheck, TheDriverLibraryIsFreedAfterTheCheckEnds) {
    Framework();
    SilentHomePage silent;
    g_networkState = -1;
    // Start-up ends the process, with code 0, when it takes itself for a
    // second copy of the tool.
    ASSERT_LE(os::CountProcessesNamed("Pellucor"), 1) << "two copies of the tool run on this machine";
    auto wnd = std::make_unique<CMainWnd>();
    ASSERT_NE(wnd->Create(nullptr), nullptr);
    {
        test::MessageBoxAnswerer startUpBoxes;
        wnd->SendMessageW(WM_INITDIALOG, 0, 0);
    }
    wnd->ShowWindow(SW_SHOWNORMAL);
    ASSERT_TRUE(test::PumpUntil(ConnectedToService));

    ASSERT_TRUE(wnd->DestroyWindow());
    EXPECT_FALSE(wnd->infoWorker.IsRunning());
    EXPECT_EQ(g_networkState, 0);
    wnd.reset();
    // The check did reach the silent home page: the service logs a request
    // once its reply is out, here when the fault ends.
    Service().SetFault("none");
    EXPECT_TRUE(test::PumpUntil([] { return !Service().Log("/").empty(); }));
}

}  // namespace
}  // namespace apptest
