// Starts downloads through the program's download globals and returns from
// main as soon as they all report progress, so the globals are torn down
// while the transfers run. Exit code 0 unless the downloads never got going.
// Arguments: service base, target folder, then name:size per served file.
#include <chrono>
#include <cstdio>
#include <set>
#include <string>
#include <thread>

#include "download/DownLoadEvent.h"
#include "download/DownLoadManager.h"
#include "download/EventQueue.h"
#include "download/PendingDownLoad.h"

int main(int argc, char** argv) {
    const int count = argc - 3;
    if (count < 1 || count > CDownLoadManager::kSlotCount) {
        std::fprintf(stderr, "usage: exit_while_downloading <service base> <folder> name:size...\n");
        return 2;
    }
    const std::string base = argv[1];
    const std::string folder = argv[2];

    g_downLoadManager.SetMaxDownLoads(count);
    for (int i = 0; i < count; ++i) {
        const std::string file = argv[3 + i];
        const size_t colon = file.rfind(':');
        if (colon == std::string::npos) return 2;
        PendingDownLoad request;
        request.kind = 2;
        request.taskId = i + 1;
        request.size = std::stoll(file.substr(colon + 1));
        request.url = base + "/files/" + file.substr(0, colon);
        const std::string target = folder + "/" + file.substr(0, colon);
        request.savePath.assign(target.begin(), target.end());
        g_downLoadManager.Enqueue(request);
    }

    std::set<int32_t> going;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (going.size() < static_cast<size_t>(count) && std::chrono::steady_clock::now() < deadline) {
        DownLoadEvent event;
        while (g_downLoadEventQueue.Pop(event))
            if (event.code == EVT_DOWNLOAD_PROGRESS) going.insert(event.taskId);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return going.size() == static_cast<size_t>(count) ? 0 : 3;
}
