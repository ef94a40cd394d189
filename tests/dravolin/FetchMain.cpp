// One engine transfer in a process of its own, for tests that need a second
// process or a trust store of their own:
//   dravolin_fetch <url> <file> [expected-size]
// Prints the transfer's final status and exits 0; exit 2 for bad arguments
// (the file path must be ASCII), 3 when no status came within five minutes.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>

#include "dravolin/Dravolin.h"

namespace {

std::mutex mutex;
std::condition_variable ended;
int32_t finalStatus = 0;

int32_t OnStatus(int32_t, int32_t status, void*) {
    std::lock_guard lock(mutex);
    finalStatus = status;
    ended.notify_all();
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: dravolin_fetch <url> <file> [expected-size]\n");
        return 2;
    }
    const std::string url = argv[1];
    std::u16string path;
    for (char c : std::string(argv[2])) {
        if (static_cast<unsigned char>(c) >= 0x80) return 2;
        path += static_cast<char16_t>(c);
    }
    const uint64_t size = argc == 4 ? std::stoull(argv[3]) : 0;

    int32_t handle = DriverDownLoad_Init();
    DriverDownLoad_ErrorCallBack_Log(&OnStatus, handle, nullptr);
    DriverDownLoad_Open(handle, url.data(), static_cast<int32_t>(url.size()),
                        reinterpret_cast<const uint16_t*>(path.data()), static_cast<int32_t>(path.size()),
                        static_cast<uint32_t>(size & 0xFFFFFFFFu), static_cast<uint32_t>(size >> 32), 0);
    int32_t status = 0;
    {
        std::unique_lock lock(mutex);
        ended.wait_for(lock, std::chrono::minutes(5), [] { return finalStatus != 0; });
        status = finalStatus;
    }
    DriverDownLoad_Free(handle);
    if (status == 0) return 3;
    std::printf("%d\n", status);
    return 0;
}
