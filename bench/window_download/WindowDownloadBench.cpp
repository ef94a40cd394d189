// The window program's downloads as a user starts them:
//   bench_window_download <out-dir> <bytes-per-file> <url>...
// A private local service answers with one model whose drivers are the given
// addresses (their catalogue FilePath), so the files come from the server
// behind them. The model is typed into the real main window (offscreen) and
// queried, every driver ticked with "btn_allchoose" and "btn_driver_download"
// clicked; the program's own message loop then runs until every download has
// finished. Prints "<seconds> <cpu-seconds> <bytes>" from the click to the
// last one done, as bench_dravolin_manager does, and on a second line the
// window thread's CPU seconds in the same span. Exit 1 when one failed.
//
// PELLUCOR_CA_FILE must name the servers' certificate; the service's own is
// added to it.
#include <json/json.h>
#include <pthread.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <time.h>
#include <unistd.h>

#include "../dravolin/BenchReport.h"
#include "app/ProgramFramework.h"
#include "app/ProgramGlobals.h"
#include "app/mainwnd/DriverDownLoadFindAdapter.h"
#include "app/mainwnd/MainWnd.h"
#include "download/DownLoadCounters.h"
#include "download/DownLoadManager.h"
#include "download/DriverDb.h"
#include "download/DriverTaskList.h"
#include "os/UnicodeText.h"
#include "soui/STestApi.h"
#include "soui/SystemApi.h"
#include "tests/support/LocalService.h"

using namespace SOUI;
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kModel[] = "Bench Six";
// The window's own refresh runs every 20 ms; the end is seen at the same pace
// as bench_dravolin_manager sees it.
constexpr auto kPollInterval = std::chrono::milliseconds(20);
constexpr auto kGiveUpAfter = std::chrono::minutes(20);

// A folder removed with everything in it when the run ends.
struct TempDir {
    fs::path path;
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "pell-window-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) path = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        if (!path.empty()) fs::remove_all(path, ec);
    }
};

// The catalogue the service answers from: the sample systems and categories,
// and one model with a driver per address, each in a category of its own.
bool WriteCatalogue(const fs::path& dir, const std::string& size, const std::vector<std::string>& urls) {
    std::error_code ec;
    const fs::path samples = fs::read_symlink("/proc/self/exe", ec).parent_path() / "service-data";
    for (const char* name : {"oses.json", "parts.json"})
        if (ec || !fs::copy_file(samples / name, dir / name, ec)) return false;
    Json::Value model;
    model["codeName"] = kModel;
    model["productLine"] = "Bench";
    model["categoryid"] = "9906";
    model["productTreeId"] = "9906";
    model["defaultOS"] = "42";
    model["serials"] = Json::Value(Json::arrayValue);
    for (size_t i = 0; i < urls.size(); ++i) {
        Json::Value driver;
        driver["DriverEdtionId"] = std::to_string(99061 + i);
        driver["DriverName"] = "驱动 " + std::to_string(i + 1);
        driver["Version"] = "1.0";
        driver["PartID"] = std::to_string(1 + i % 6);
        driver["FileName"] = urls[i].substr(urls[i].rfind('/') + 1);
        driver["FileSize"] = size;
        driver["FilePath"] = urls[i];
        driver["FileType"] = "bin";
        driver["OSIDs"].append("42");
        model["drivers"].append(driver);
    }
    Json::Value models(Json::arrayValue);
    models.append(model);
    std::ofstream out(dir / "models.json");
    out << models;
    return static_cast<bool>(out);
}

// PELLUCOR_CA_FILE in force for both: the servers' certificate and the service's.
bool TrustServersAndService(const fs::path& bundle, const std::string& serviceCert) {
    const char* servers = std::getenv("PELLUCOR_CA_FILE");
    if (servers == nullptr || *servers == '\0') return false;
    std::ofstream out(bundle);
    for (const std::string& file : {std::string(servers), serviceCert}) {
        std::ifstream in(file);
        if (!in) return false;
        out << in.rdbuf() << '\n';
    }
    out.close();
    return static_cast<bool>(out) && ::setenv("PELLUCOR_CA_FILE", bundle.c_str(), 1) == 0;
}

double CpuSeconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

bool Finished(const DriverTask& listed, int& failed) {
    int32_t index = 0;
    DriverTask task;
    if (!g_driverTaskList.FindById(listed.id, index, task)) return false;
    failed += task.state == TASK_FAILED;
    return task.state == TASK_COMPLETED || task.state == TASK_FAILED;
}

int Fail(const char* why) {
    std::fprintf(stderr, "bench_window_download: %s\n", why);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_window_download <out-dir> <bytes-per-file> <url>...\n");
        return 2;
    }
    const fs::path out = argv[1];
    const std::vector<std::string> urls(argv + 3, argv + argc);
    TempDir temp;
    if (temp.path.empty() || !fs::create_directory(temp.path / "catalogue") ||
        !WriteCatalogue(temp.path / "catalogue", argv[2], urls))
        return Fail("cannot write the catalogue");
    pelltest::LocalService service((temp.path / "catalogue").string());
    ::setenv("PELLUCOR_SERVICE_URL", service.BaseUrl().c_str(), 1);
    if (!TrustServersAndService(temp.path / "trusted.pem", service.CertificateFile()))
        return Fail("PELLUCOR_CA_FILE must name the servers' certificate");

    test::UseOffscreenPlatform();
    test::MessageBoxAnswerer boxes;
    ProgramFramework framework;
    if (!framework.Start(GetModuleHandleW(nullptr))) return Fail("the framework did not start");
    CMainWnd wnd;
    if (wnd.Create(nullptr) == nullptr) return Fail("no main window");
    wnd.SendMessageW(WM_INITDIALOG, 0, 0);
    wnd.ShowWindow(SW_SHOWNORMAL);
    if (!test::PumpUntil([] { return g_networkState != -1; }) || g_networkState != 1)
        return Fail("the local service did not answer the network check");
    // The settings dialog's two choices, made as a test makes them.
    g_downLoadDir = out.wstring();
    g_downLoadManager.SetMaxDownLoads(6);

    SWindow* input = wnd.FindChildByName(L"edit_input_1");
    if (input == nullptr) return Fail("no query box");
    input->SetWindowTextW(os::Utf8ToWideLossy(kModel).c_str());
    if (!test::Click(wnd, L"btn_driver_query")) return Fail("cannot click the query button");
    CDriverDownLoad_Find_Adapter* adapter = wnd.DownloadListAdapter();
    if (adapter == nullptr || adapter->getCount() != static_cast<int>(urls.size()))
        return Fail("the query did not list the drivers");
    if (!test::Click(wnd, L"btn_allchoose")) return Fail("cannot click the select-all button");
    std::vector<DriverTask> tasks;
    adapter->CollectCheckedTasks(tasks);
    if (tasks.size() != urls.size()) return Fail("select-all did not tick every driver");

    clockid_t windowClock{};
    if (pthread_getcpuclockid(pthread_self(), &windowClock) != 0)
        return Fail("no clock of the window thread");
    const double windowCpuBefore = CpuSeconds(windowClock);
    const double cpuBefore = ProcessCpuSeconds();
    const auto start = Clock::now();
    if (!test::Click(wnd, L"btn_driver_download")) return Fail("cannot click the download button");
    if (g_startedDownLoads != static_cast<int32_t>(urls.size())) return Fail("the click started too few");

    // Watches from aside and ends the window's loop; the window thread does
    // nothing but what the program does.
    double seconds = 0, cpu = 0, windowCpu = 0;
    int failed = 0;
    bool timedOut = false;
    std::thread watcher([&] {
        const auto deadline = start + kGiveUpAfter;
        while (true) {
            std::this_thread::sleep_for(kPollInterval);
            int failedNow = 0;
            bool all = true;
            for (const DriverTask& task : tasks) all &= Finished(task, failedNow);
            timedOut = !all && Clock::now() > deadline;
            if (all || timedOut) {
                seconds = std::chrono::duration<double>(Clock::now() - start).count();
                windowCpu = CpuSeconds(windowClock) - windowCpuBefore;
                cpu = ProcessCpuSeconds() - cpuBefore;
                failed = failedNow;
                break;
            }
        }
        PostQuitMessage(0);
    });
    framework.App().Run(wnd.m_hWnd);
    watcher.join();

    std::vector<fs::path> saved;
    for (const DriverTask& task : tasks) saved.push_back(os::WideToUtf8Lossy(wnd.BuildDownloadPath(task)));
    if (!boxes.Texts().empty())
        std::fprintf(stderr, "bench_window_download: a message box came up: %s\n",
                     os::WideToUtf8Lossy(boxes.Texts().front()).c_str());
    wnd.DestroyWindow();
    if (timedOut) return Fail("the downloads did not finish in time");
    if (!boxes.Texts().empty()) return 1;
    const int code = Report("bench_window_download", failed, seconds, cpu, saved);
    if (code == 0) std::printf("%.3f\n", windowCpu);
    return code;
}
