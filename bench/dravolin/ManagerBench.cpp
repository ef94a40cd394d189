// The whole download path as the window drives it, one file per task:
//   bench_dravolin_manager <out-dir> <url>...
// Lists a task per address, queues them all with the limit at six, and waits
// until the dispatcher has marked every task done. Prints
// "<seconds> <cpu-seconds> <bytes>"; exit 1 when one failed.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "BenchReport.h"
#include "download/DownLoadCounters.h"
#include "download/DownLoadDispatcher.h"
#include "download/DownLoadManager.h"
#include "download/DriverTaskList.h"
#include "download/EventQueue.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_dravolin_manager <out-dir> <url>...\n");
        return 2;
    }
    std::filesystem::path out = argv[1];
    std::vector<std::string> urls(argv + 2, argv + argc);
    std::vector<PendingDownLoad> requests;
    for (size_t i = 0; i < urls.size(); ++i) {
        DriverTask task;
        task.id = static_cast<int32_t>(i) + 1;
        task.kind = 2;
        task.url = urls[i];
        g_driverTaskList.Add(task);
        PendingDownLoad request;
        request.kind = task.kind;
        request.taskId = task.id;
        request.url = urls[i];
        request.savePath = SavePathFor(out, urls[i]).wstring();
        requests.push_back(request);
    }
    g_downLoadDispatcher.Start(nullptr);
    g_downLoadManager.SetMaxDownLoads(6);

    double cpuBefore = ProcessCpuSeconds();
    auto start = std::chrono::steady_clock::now();
    for (const auto& request : requests) {
        ++g_activeDownLoads;
        g_downLoadManager.Enqueue(request);
    }
    // The window's 20 ms timer.
    std::set<int32_t> finished;
    int failed = 0;
    while (finished.size() < requests.size()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        DownLoadEvent event;
        while (g_uiEventQueue.Pop(event)) {
            if (event.code != EVT_TASK_CHANGED) continue;
            int32_t index = 0;
            DriverTask task;
            if (!g_driverTaskList.FindById(event.taskId, index, task)) continue;
            if ((task.state == TASK_COMPLETED || task.state == TASK_FAILED) &&
                finished.insert(task.id).second)
                failed += task.state == TASK_FAILED;
        }
    }
    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    double cpu = ProcessCpuSeconds() - cpuBefore;
    return Report("bench_dravolin_manager", failed, elapsed.count(), cpu, out, urls);
}
