// One engine handle per file, all opened at once or one every N ms:
//   bench_dravolin_engine [--stagger-ms N] <out-dir> <url>...
// Prints "<seconds> <cpu-seconds> <bytes>" when every transfer is done; exit 1
// when one failed.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "BenchReport.h"
#include "dravolin/Dravolin.h"

namespace {

std::mutex mutex;
std::condition_variable changed;
int finished = 0;
int failed = 0;

int32_t OnData(int32_t, float, int32_t, void*) {
    return 1;
}

int32_t OnStatus(int32_t, int32_t status, void*) {
    std::lock_guard lock(mutex);
    ++finished;
    if (status != DRAVOLIN_STATUS_DONE) ++failed;
    changed.notify_all();
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    int first = 1;
    int staggerMs = 0;
    if (argc > 2 && std::string(argv[1]) == "--stagger-ms") {
        staggerMs = std::atoi(argv[2]);
        first = 3;
    }
    if (argc - first < 2) {
        std::fprintf(stderr, "usage: bench_dravolin_engine [--stagger-ms N] <out-dir> <url>...\n");
        return 2;
    }
    std::filesystem::path out = argv[first];
    std::vector<std::string> urls(argv + first + 1, argv + argc);
    std::vector<int32_t> handles;
    for (size_t i = 0; i < urls.size(); ++i) {
        int32_t handle = DriverDownLoad_Init();
        DriverDownLoad_DataCallBack_Log(&OnData, handle, nullptr);
        DriverDownLoad_ErrorCallBack_Log(&OnStatus, handle, nullptr);
        handles.push_back(handle);
    }
    double cpuBefore = ProcessCpuSeconds();
    auto start = std::chrono::steady_clock::now();
    for (size_t i = 0; i < urls.size(); ++i) {
        if (i > 0 && staggerMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(staggerMs));
        // run.sh gives ASCII folders and names, so each byte is one unit.
        std::u16string path;
        for (char c : SavePathFor(out, urls[i]).string()) path += static_cast<char16_t>(c);
        DriverDownLoad_Open(handles[i], urls[i].data(), static_cast<int32_t>(urls[i].size()),
                            reinterpret_cast<const uint16_t*>(path.data()), static_cast<int32_t>(path.size()),
                            0, 0, 0);
    }
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return finished == static_cast<int>(urls.size()); });
    }
    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    double cpu = ProcessCpuSeconds() - cpuBefore;
    for (int32_t handle : handles) DriverDownLoad_Free(handle);
    return Report("bench_dravolin_engine", failed, elapsed.count(), cpu, out, urls);
}
