// driver_list_bench [runs]: types "Corran Bench" (5,000 drivers in 60
// categories) into the real main window, clicks the query button and paints
// the list page, against the local service on loopback. Each run is split
// into the service's two round trips (the same requests sent again through
// the program's own request helper, so that they wait for the service as the
// program's did), the library's own work (its call less those round trips),
// the window's fill of the list, header and page, and the paint. Then full
// redraws of the list page and the process's memory. Prints medians.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <time.h>
#include <unistd.h>

#include "app/ProgramFramework.h"
#include "app/ProgramGlobals.h"
#include "app/mainwnd/DriverDownLoadFindAdapter.h"
#include "app/mainwnd/MainWnd.h"
#include "common/ResponseBuffer.h"
#include "common/ServiceRequest.h"
#include "driverinfo/DriverInfoApi.h"
#include "soui/SControls.h"
#include "soui/SResProvider.h"
#include "soui/STestApi.h"
#include "soui/SWidgetTestApi.h"
#include "tests/support/LocalService.h"

using namespace SOUI;

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kModel[] = "Corran Bench";
constexpr char kLookupPath[] = "/home/driver/QueryForWeb";
constexpr char kSearchPath[] = "/home/driver/Search";
constexpr char kJsonHeader[] = "Content-Type:application/json;charset=UTF-8";

double Ms(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// CPU time of the calling (window) thread: its own work, whatever the load
// of the machine; waiting for the service costs it nothing.
double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

double Max(const std::vector<double>& values) {
    return values.empty() ? 0.0 : *std::max_element(values.begin(), values.end());
}

// "VmRSS" or "VmHWM" of this process, in MiB.
double MemoryMiB(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key + ":", 0) == 0) return std::atof(line.c_str() + key.size() + 1) / 1024.0;
    }
    return 0.0;
}

std::string LoadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string a, b, c;
    in >> a >> b >> c;
    return a + " " + b + " " + c;
}

struct Run {
    double clickToPainted = 0;  // the user's wait: click handled, then the page painted
    double service = 0;         // the two round trips alone
    double library = 0;         // the library's call, round trips included
    double window = 0;          // list fill, header and systems, page switch
    double paint = 0;           // first paint of the page
    double cpuClick = 0;        // window thread's CPU time, click to painted
    double cpuLibrary = 0;      // the same, in the library's call
    double cpuWindow = 0;       // the same, in the window's part
};

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const std::string loadAtStart = LoadAverage();
    test::UseOffscreenPlatform();
    pelltest::LocalService& service = pelltest::LocalService::Shared();
    ::setenv("PELLUCOR_SERVICE_URL", service.BaseUrl().c_str(), 1);
    ::setenv("PELLUCOR_CA_FILE", service.CertificateFile().c_str(), 1);

    ProgramFramework framework;
    if (!framework.Start(GetModuleHandleW(nullptr))) return 1;
    CMainWnd wnd;
    if (wnd.Create(nullptr) == nullptr) return 1;
    wnd.SendMessageW(WM_INITDIALOG, 0, 0);
    wnd.ShowWindow(SW_SHOWNORMAL);
    if (!test::PumpUntil([] { return g_networkState != -1; }) || g_networkState != 1) {
        std::fprintf(stderr, "the local service did not answer the network check\n");
        return 1;
    }
    auto* tab = wnd.FindChildByName2<STabCtrl>(L"tab_main_op");
    SWindow* input = wnd.FindChildByName(L"edit_input_1");
    if (tab == nullptr || input == nullptr || wnd.driverListView == nullptr) {
        std::fprintf(stderr, "the main window lacks the query box or the driver list\n");
        return 1;
    }
    test::RedrawNow(wnd);
    const double rssBefore = MemoryMiB("VmRSS");

    std::vector<Run> results;
    size_t replyBytes = 0;
    for (int i = 0; i < runs; ++i) {
        Run run;
        tab->SetCurSel(0);
        input->SetWindowTextW(L"Corran Bench");
        test::RedrawNow(wnd);
        service.ResetLog();
        const double cpuStart = ThreadCpuMs();
        const auto start = Clock::now();
        if (!test::Click(wnd, L"btn_driver_query")) return 1;
        const auto handled = Clock::now();
        test::RedrawNow(wnd);
        run.clickToPainted = Ms(start, Clock::now());
        run.paint = Ms(handled, Clock::now());
        run.cpuClick = ThreadCpuMs() - cpuStart;
        if (tab->GetCurSel() != 1 || wnd.driverListView->GetAdapter()->getCount() != 5000) {
            std::fprintf(stderr, "the answer did not fill the list (page %d, %d items)\n", tab->GetCurSel(),
                         wnd.driverListView->GetAdapter()->getCount());
            return 1;
        }

        // The same two requests through the same helper: the service's share.
        const auto lookups = service.Log(kLookupPath);
        const auto searches = service.Log(kSearchPath);
        if (lookups.empty() || searches.empty()) return 1;
        const auto serviceStart = Clock::now();
        const ServiceTransfer lookup =
            PostToService(service.BaseUrl() + kLookupPath, kJsonHeader, lookups.back().body);
        const ServiceTransfer search =
            PostToService(service.BaseUrl() + kSearchPath, kJsonHeader, searches.back().body);
        run.service = Ms(serviceStart, Clock::now());
        if (lookup != ServiceTransfer::Completed || search != ServiceTransfer::Completed) return 1;
        const std::string reply(ResponseBuffer, static_cast<size_t>(ResponseLength));
        const size_t headerEnd = reply.find("\r\n\r\n");
        replyBytes = headerEnd == std::string::npos ? reply.size() : reply.size() - headerEnd - 4;

        // The library's call, and the window's part of the query on its answer.
        SearchResult* result = nullptr;
        const double cpuLibraryStart = ThreadCpuMs();
        const auto libraryStart = Clock::now();
        if (!DriverInfo_QueryBy_DevName(&result, kModel, static_cast<int>(sizeof kModel - 1), 42) || !result)
            return 1;
        run.library = Ms(libraryStart, Clock::now());
        run.cpuLibrary = ThreadCpuMs() - cpuLibraryStart;
        const double cpuWindowStart = ThreadCpuMs();
        const auto windowStart = Clock::now();
        wnd.FillDriverList(*result, result->defaultOS.NAME);
        wnd.FillOsList(*result);
        tab->SetCurSel(1);
        run.window = Ms(windowStart, Clock::now());
        run.cpuWindow = ThreadCpuMs() - cpuWindowStart;
        results.push_back(run);
    }

    // Full redraws of the list page, at the top and in the middle of the list.
    std::vector<double> redraws;
    for (int scroll : {0, 200000}) {
        wnd.driverListView->SetScrollPos(TRUE, scroll, TRUE);
        for (int i = 0; i < 50; ++i) {
            const auto start = Clock::now();
            test::RedrawNow(wnd);
            redraws.push_back(Ms(start, Clock::now()));
        }
    }
    const double rssWithList = MemoryMiB("VmRSS");

    std::vector<double> total, svc, lib, own, win, paint, cpuClick, cpuLib, cpuWin;
    for (const Run& r : results) {
        cpuClick.push_back(r.cpuClick);
        cpuLib.push_back(r.cpuLibrary);
        cpuWin.push_back(r.cpuWindow);
        total.push_back(r.clickToPainted);
        svc.push_back(r.service);
        lib.push_back(r.library - r.service);
        win.push_back(r.window);
        paint.push_back(r.paint);
        own.push_back(r.clickToPainted - r.service);
    }
    std::printf(
        "driver list benchmark: %d runs of \"%s\" (5000 drivers, 60 categories), search reply %zu bytes\n",
        runs, kModel, replyBytes);
    std::printf("machine: %ld processors, load average %s at the start\n", sysconf(_SC_NPROCESSORS_ONLN),
                loadAtStart.c_str());
    std::printf("click to page 1 painted   median %8.2f ms  max %8.2f ms\n", Median(total), Max(total));
    std::printf(
        "  waiting for the service median %8.2f ms  (two HTTPS round trips, the same requests again)\n",
        Median(svc));
    std::printf(
        "  program's own time      median %8.2f ms  max %8.2f ms  (click to painted less the service)\n",
        Median(own), Max(own));
    std::printf("    library, less service median %8.2f ms  (reply parsing and text conversion)\n",
                Median(lib));
    std::printf("    window: list, header  median %8.2f ms  (fill 5000 tasks twice, systems, page switch)\n",
                Median(win));
    std::printf("    first paint of page 1 median %8.2f ms\n", Median(paint));
    std::printf(
        "window thread CPU time, click to painted: median %.2f ms (library call %.2f ms, window part %.2f "
        "ms)\n",
        Median(cpuClick), Median(cpuLib), Median(cpuWin));
    // The user's usual case: the first query of the process, on memory not yet touched.
    if (!results.empty()) {
        const Run& first = results.front();
        std::printf("first query alone: click to painted %.2f ms, own %.2f ms, window thread CPU %.2f ms\n",
                    first.clickToPainted, first.clickToPainted - first.service, first.cpuClick);
    }
    std::printf("full redraw of page 1     median %8.2f ms  max %8.2f ms  (%zu redraws, top and middle)\n",
                Median(redraws), Max(redraws), redraws.size());
    std::printf("memory: RSS %.1f MiB before the query, %.1f MiB with the list, peak %.1f MiB\n", rssBefore,
                rssWithList, MemoryMiB("VmHWM"));
    std::printf("load average at the end: %s\n", LoadAverage().c_str());
    wnd.DestroyWindow();
    return 0;
}
