#include "download/DownLoadCounters.h"

std::atomic<int32_t> g_activeDownLoads{0};
int32_t g_startedDownLoads = 0;
std::atomic<int32_t> g_completedDownLoads{0};

void DecrementActiveDownLoads() {
    int32_t current = g_activeDownLoads.load();
    while (current > 0 && !g_activeDownLoads.compare_exchange_weak(current, current - 1)) {
    }
}
