// Six engine handles opened at once, one file each:
//   bench_dravolin_engine <out-dir> <url>...
// Prints "<seconds> <cpu-seconds> <bytes>" when every transfer is done; exit 1
// when one failed.
#include <sys/resource.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "dravolin/Dravolin.h"

namespace {

std::mutex mutex;
std::condition_variable changed;
int finished = 0;
int failed = 0;

int32_t OnData(int32_t, float, int32_t, void*) { return 1; }

int32_t OnStatus(int32_t, int32_t status, void*) {
    std::lock_guard lock(mutex);
    ++finished;
    if (status != DRAVOLIN_STATUS_DONE) ++failed;
    changed.notify_all();
    return 1;
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_dravolin_engine <out-dir> <url>...\n");
        return 2;
    }
    std::filesystem::path out = argv[1];
    std::vector<std::string> urls(argv + 2, argv + argc);
    std::vector<int32_t> handles;
    for (size_t i = 0; i < urls.size(); ++i) {
        int32_t handle = DriverDownLoad_Init();
        DriverDownLoad_DataCallBack_Log(&OnData, handle, nullptr);
        DriverDownLoad_ErrorCallBack_Log(&OnStatus, handle, nullptr);
        handles.push_back(handle);
    }
    double cpuBefore = CpuSeconds();
    auto start = std::chrono::steady_clock::now();
    for (size_t i = 0; i < urls.size(); ++i) {
        std::string name = urls[i].substr(urls[i].rfind('/') + 1);
        std::u16string path;
        for (char c : (out / name).string()) path += static_cast<char16_t>(static_cast<unsigned char>(c));
        DriverDownLoad_Open(handles[i], urls[i].data(), static_cast<int32_t>(urls[i].size()),
                            reinterpret_cast<const uint16_t*>(path.data()), static_cast<int32_t>(path.size()), 0, 0,
                            0);
    }
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return finished == static_cast<int>(urls.size()); });
    }
    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    double cpu = CpuSeconds() - cpuBefore;
    for (int32_t handle : handles) DriverDownLoad_Free(handle);
    if (failed != 0) {
        std::fprintf(stderr, "bench_dravolin_engine: %d transfers failed\n", failed);
        return 1;
    }
    uintmax_t bytes = 0;
    for (const auto& url : urls) bytes += std::filesystem::file_size(out / url.substr(url.rfind('/') + 1));
    std::printf("%.3f %.3f %ju\n", elapsed.count(), cpu, bytes);
    return 0;
}
